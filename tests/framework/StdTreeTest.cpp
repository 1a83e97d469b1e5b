#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QTreeWidget>
#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "StdControlsTestSupport.h"
#include "framework/dialogbase/ControlFactory.h"
#include "framework/dialogbase/DialogUnits.h"
#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/CListBox.h"
#include "framework/stdcontrols/CTreeCtrl.h"
#include "framework/stdcontrols/SiblingOrder.h"

namespace {

constexpr UINT kTreeId = 2023;

class StdTree : public testing::Test {
 protected:
  void SetUp() override {
    parent.CreateShown();
    ASSERT_TRUE(tree.Create(WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT,
                            CRect(10, 10, 260, 260), &parent, kTreeId));
  }

  std::vector<std::string> Children(HTREEITEM parentItem) const {
    std::vector<std::string> texts;
    for (HTREEITEM h = tree.GetChildItem(parentItem); h != nullptr;
         h = tree.GetNextSiblingItem(h)) {
      texts.push_back(tree.GetItemText(h));
    }
    return texts;
  }

  QWidget* Viewport() const { return static_cast<QTreeWidget*>(tree.GetSafeHwnd())->viewport(); }
  // A point on the item's label, in the viewport's coordinates.
  QPoint OnLabel(HTREEITEM item) const {
    CRect r;
    EXPECT_TRUE(tree.GetItemRect(item, &r, TRUE));
    return Viewport()->mapFrom(tree.GetSafeHwnd(), Centre(r));
  }

  // Two root items, "a" then "b", as most cases start from.
  void AddAB() {
    a = tree.InsertItem("a");
    b = tree.InsertItem("b");
  }

  NotifyRecorder parent;
  CTreeCtrl tree;
  HTREEITEM a = nullptr;
  HTREEITEM b = nullptr;
};

TEST_F(StdTree, InsertPlacesFirstLastSortedAndAfterASibling) {
  const HTREEITEM b = tree.InsertItem("b");
  tree.InsertItem("a", TVI_ROOT, TVI_FIRST);
  tree.InsertItem("C", TVI_ROOT, TVI_SORT);
  tree.InsertItem("B2", TVI_ROOT, TVI_SORT);
  tree.InsertItem("after b", TVI_ROOT, b);
  EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::string>{"a", "b", "after b", "B2", "C"}));
  const HTREEITEM child = tree.InsertItem("child", b);
  tree.InsertItem("Aardvark", b, TVI_SORT);
  EXPECT_EQ(Children(b), (std::vector<std::string>{"Aardvark", "child"}));
  EXPECT_EQ(tree.GetCount(), 7u);
  EXPECT_EQ(tree.GetParentItem(child), b);
  EXPECT_TRUE(tree.ItemHasChildren(b));
  EXPECT_EQ(tree.GetItemText(tree.GetRootItem()), "a");
  EXPECT_EQ(tree.GetItemText(tree.GetPrevSiblingItem(b)), "a");
  EXPECT_EQ(tree.InsertItem("x", reinterpret_cast<HTREEITEM>(&parent)), nullptr);  // a stranger
  tree.DeleteItem(child);
  EXPECT_EQ(tree.GetItemText(child), "");  // a stale handle is refused
  EXPECT_FALSE(tree.SelectItem(child));
  EXPECT_EQ(tree.InsertItem("y", child), nullptr);
}

// The fast order must agree with Qt's folding wherever a text leaves ASCII.
TEST(StdTreeOrder, CaseIgnoringOrderAgreesWithQt) {
  // Pairs of texts; in the last, two surrogates fold as one character.
  const char16_t* const pairs[] = {
      u"abc",    u"ABD", u"Ab",      u"aB",          u"ab",         u"abc",    u"[",
      u"A",      u"_",   u"a",       u"\u00E9",      u"E",          u"\u00C9", u"\u00E9",
      u"\u212A", u"k",   u"x\u212A", u"XL",          u"\u017F",     u"S",      u"\u00DF",
      u"ss",     u"",    u"a",       u"a\U00010401", u"A\U00010428"};
  auto sign = [](int n) { return (n > 0) - (n < 0); };
  for (size_t i = 0; i < std::size(pairs); i += 2) {
    const QString a = QString::fromUtf16(pairs[i]);
    const QString b = QString::fromUtf16(pairs[i + 1]);
    EXPECT_EQ(sign(CompareCaseIgnored(a, b)), sign(QString::compare(a, b, Qt::CaseInsensitive)))
        << a.toStdString() << " / " << b.toStdString();
    EXPECT_EQ(sign(CompareCaseIgnored(b, a)), sign(QString::compare(b, a, Qt::CaseInsensitive)));
  }
}

// A large level is sorted on packed prefixes; it must give the plain stable sort's order.
TEST(StdTreeOrder, LevelOrderIsTheStableCaseIgnoringSort) {
  const QStringList level = QString::fromUtf16(
                                u"Program 10|program 9|PROGRAM 10|Program 1|a long shared name 2|"
                                u"A Long Shared Name 10|a long shared name 2|a|\u00E9t\u00E9|Et|"
                                u"x\u212Ay|XLZ||[bracket]|_under|16 chars exactly|"
                                u"16 chars exactlY|16 chars exactl")
                                .split(u'|');
  const std::vector<QString> texts(level.begin(), level.end());
  std::vector<int> expected(level.size());
  std::iota(expected.begin(), expected.end(), 0);
  std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
    return CompareCaseIgnored(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)]) < 0;
  });
  EXPECT_EQ(CaseIgnoredOrder(texts), expected);
}

TEST_F(StdTree, SelectionByCodeNotifiesChangingThenChanged) {
  AddAB();
  tree.SetItemData(b, 42);
  ASSERT_TRUE(tree.SelectItem(a));
  ASSERT_TRUE(tree.SelectItem(b));
  ASSERT_EQ(parent.Codes(),
            (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED, TVN_SELCHANGING, TVN_SELCHANGED}));
  const Received& last = parent.received.back();
  EXPECT_EQ(last.id, kTreeId);
  EXPECT_EQ(last.from, tree.GetSafeHwnd());
  EXPECT_EQ(last.tree.action, TVC_UNKNOWN);
  EXPECT_EQ(last.tree.itemOld.hItem, a);
  EXPECT_EQ(last.tree.itemNew.hItem, b);
  EXPECT_EQ(last.tree.itemNew.lParam, 42);
  EXPECT_EQ(tree.GetItemState(b, TVIS_SELECTED), TVIS_SELECTED);
  parent.received.clear();
  EXPECT_TRUE(tree.SelectItem(b));  // already selected: nothing happens
  EXPECT_TRUE(parent.received.empty());
  EXPECT_TRUE(tree.SelectItem(nullptr));
  ASSERT_EQ(parent.Codes().size(), 2u);
  EXPECT_EQ(parent.received.back().tree.itemNew.hItem, nullptr);
  EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

// Focus alone selects nothing; the parent can refuse a change by code or by click.
TEST_F(StdTree, UserClickAndKeysSelectWithTheirActionAndTheParentCanRefuse) {
  AddAB();
  QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(tree.GetSafeHwnd(), &focus);
  EXPECT_EQ(tree.GetSelectedItem(), nullptr);
  ClickAt(Viewport(), OnLabel(b));
  ASSERT_EQ(tree.GetSelectedItem(), b);
  ASSERT_EQ(parent.Codes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
  EXPECT_EQ(parent.received.back().tree.action, TVC_BYMOUSE);
  EXPECT_EQ(parent.received.back().tree.itemOld.hItem, nullptr);
  PressKey(tree.GetSafeHwnd(), Qt::Key_Up);
  EXPECT_EQ(tree.GetSelectedItem(), a);
  EXPECT_EQ(parent.received.back().code, TVN_SELCHANGED);
  EXPECT_EQ(parent.received.back().tree.action, TVC_BYKEYBOARD);
  parent.answer = [](const NMHDR& h) -> LRESULT { return h.code == TVN_SELCHANGING ? 1 : 0; };
  parent.received.clear();
  EXPECT_FALSE(tree.SelectItem(b));
  ClickAt(Viewport(), OnLabel(b));
  EXPECT_EQ(tree.GetSelectedItem(), a);
  EXPECT_EQ(parent.Codes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGING}));
}

TEST_F(StdTree, RightClickNotifiesWithoutSelectingAndFallsBackToContextMenu) {
  AddAB();
  tree.SelectItem(a);
  parent.received.clear();
  auto rightClick = [&] {
    const QPoint at = OnLabel(b);
    ClickAt(Viewport(), at, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, Viewport()->mapToGlobal(at));
    QApplication::sendEvent(Viewport(), &menu);
  };
  rightClick();
  EXPECT_EQ(tree.GetSelectedItem(), a);
  ASSERT_EQ(parent.received.size(), 2u);
  EXPECT_EQ(parent.received[0].code, NM_RCLICK);
  EXPECT_EQ(parent.received[1].message, static_cast<UINT>(WM_CONTEXTMENU));  // unhandled click
  EXPECT_EQ(parent.received[1].from, tree.GetSafeHwnd());

  parent.received.clear();
  parent.answer = [](const NMHDR& h) -> LRESULT { return h.code == NM_RCLICK ? 1 : 0; };
  rightClick();
  EXPECT_EQ(parent.Codes(), std::vector<UINT>{NM_RCLICK});
  EXPECT_TRUE(parent.Codes(WM_CONTEXTMENU).empty());
}

TEST_F(StdTree, DraggingAnItemSendsBeginDragAndLeavesTheSelection) {
  AddAB();
  tree.SelectItem(a);
  parent.received.clear();
  const QPoint start = OnLabel(b);
  SendMouse(Viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  SendMouse(Viewport(), QEvent::MouseMove, start + QPoint(1, 0), Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(parent.received.empty());  // not yet a drag
  SendMouse(Viewport(), QEvent::MouseMove, start + QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
  SendMouse(Viewport(), QEvent::MouseMove, start + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
  ASSERT_EQ(parent.Codes(), std::vector<UINT>{TVN_BEGINDRAG});  // once per drag
  const NMTREEVIEW& drag = parent.received[0].tree;
  EXPECT_EQ(drag.itemNew.hItem, b);
  const QPoint client = Viewport()->mapTo(tree.GetSafeHwnd(), start);
  EXPECT_EQ(drag.ptDrag.x, client.x());
  EXPECT_EQ(drag.ptDrag.y, client.y());
  SendMouse(Viewport(), QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(tree.GetSelectedItem(), a);
}

// The window that took the drag gets the button's release; the tree's next plain move
// finds the press over and is the tree's own again (hover tracking here).
TEST_F(StdTree, ADragThatEndsInAnotherWindowClearsThePress) {
  AddAB();
  auto* view = static_cast<QTreeWidget*>(tree.GetSafeHwnd());
  view->setMouseTracking(true);
  int entered = 0;
  QObject::connect(view, &QAbstractItemView::entered, [&entered] { ++entered; });
  const QPoint start = OnLabel(b);
  SendMouse(Viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  SendMouse(Viewport(), QEvent::MouseMove, start + QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
  ASSERT_EQ(parent.Codes(), std::vector<UINT>{TVN_BEGINDRAG});
  SendMouse(parent.GetSafeHwnd(), QEvent::MouseButtonRelease, QPoint(300, 300), Qt::LeftButton,
            Qt::NoButton);
  SendMouse(Viewport(), QEvent::MouseMove, OnLabel(a), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(entered, 1);
}

// The image list lives with the tree's widget: a wrapper made later (as data exchange
// makes one) hands back the list another wrapper set.
TEST(StdTreeImages, EveryWrapperOfTheTreeSeesItsImageList) {
  NotifyRecorder parent;
  parent.CreateShown();
  DialogResource form;
  form.items.push_back({"SysTreeView32", "", kTreeId, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE});
  AfxCreateDialogControls(parent.GetSafeHwnd(), form);
  CImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 1));
  {
    CTreeCtrl first;
    ASSERT_TRUE(first.SubclassDlgItem(kTreeId, &parent));
    EXPECT_EQ(first.SetImageList(&list, TVSIL_NORMAL), nullptr);
    first.Detach();
  }
  CTreeCtrl later;
  ASSERT_TRUE(later.SubclassDlgItem(kTreeId, &parent));
  EXPECT_EQ(later.GetImageList(TVSIL_NORMAL), &list);
  EXPECT_EQ(later.SetImageList(nullptr, TVSIL_NORMAL), &list);
  EXPECT_EQ(later.GetImageList(TVSIL_NORMAL), nullptr);
}

TEST_F(StdTree, DropHighlightIsApartFromTheSelection) {
  AddAB();
  tree.SelectItem(a);
  parent.received.clear();
  EXPECT_TRUE(tree.SelectDropTarget(b));
  EXPECT_EQ(tree.GetDropHilightItem(), b);
  EXPECT_EQ(tree.GetItemState(b, TVIS_DROPHILITED | TVIS_SELECTED), TVIS_DROPHILITED);
  EXPECT_EQ(tree.GetSelectedItem(), a);
  EXPECT_TRUE(parent.received.empty());
  tree.DeleteItem(b);  // a deleted target is no target
  EXPECT_EQ(tree.GetDropHilightItem(), nullptr);
}

TEST_F(StdTree, DeletingTheSelectionMovesItToANeighbour) {
  const HTREEITEM group = tree.InsertItem("group");
  const HTREEITEM first = tree.InsertItem("first", group);
  const HTREEITEM second = tree.InsertItem("second", group);
  tree.SelectItem(first);
  parent.received.clear();
  EXPECT_TRUE(tree.DeleteItem(first));  // next sibling
  EXPECT_EQ(tree.GetSelectedItem(), second);
  ASSERT_EQ(parent.Codes(), (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
  EXPECT_EQ(parent.received.back().tree.itemOld.hItem, nullptr);
  EXPECT_EQ(parent.received.back().tree.itemNew.hItem, second);
  EXPECT_TRUE(tree.DeleteItem(second));  // no sibling left: the parent
  EXPECT_EQ(tree.GetSelectedItem(), group);
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

TEST_F(StdTree, SortChildrenOrdersOneLevelIgnoringCaseAndKeepsTheSelection) {
  const HTREEITEM gamma = tree.InsertItem("gamma");
  tree.InsertItem("beta");
  tree.InsertItem("Alpha");
  tree.InsertItem("z", gamma);
  tree.InsertItem("y", gamma);
  tree.SelectItem(gamma);
  parent.received.clear();
  EXPECT_TRUE(tree.SortChildren(TVI_ROOT));
  EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(Children(gamma), (std::vector<std::string>{"z", "y"}));  // one level only
  EXPECT_EQ(tree.GetSelectedItem(), gamma);
  EXPECT_TRUE(parent.received.empty());
  EXPECT_TRUE(tree.SortChildren(gamma));
  EXPECT_EQ(Children(gamma), (std::vector<std::string>{"y", "z"}));
}

TEST_F(StdTree, ExpandAndEnsureVisible) {
  const HTREEITEM top = tree.InsertItem("top");
  const HTREEITEM mid = tree.InsertItem("mid", top);
  const HTREEITEM leaf = tree.InsertItem("leaf", mid);
  CRect r;
  EXPECT_FALSE(tree.GetItemRect(leaf, &r, FALSE));  // hidden inside collapsed items
  EXPECT_TRUE(tree.EnsureVisible(leaf));
  EXPECT_EQ(tree.GetItemState(top, TVIS_EXPANDED), TVIS_EXPANDED);
  EXPECT_TRUE(tree.GetItemRect(leaf, &r, FALSE));
  EXPECT_FALSE(tree.Expand(leaf, TVE_EXPAND));  // nothing to expand
}

TEST(StdTemplates, TemplateStylesHoldAndAComboIsOneFieldHigh) {
  NotifyRecorder form;
  form.CreateShown();
  DialogResource tmpl;
  tmpl.items = {{"LISTBOX", "", 11, 5, 70, 80, 40, WS_CHILD | WS_VISIBLE | LBS_SORT},
                {"COMBOBOX", "", 12, 5, 115, 80, 60, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST}};
  AfxCreateDialogControls(form.GetSafeHwnd(), tmpl);
  CListBox list;
  ASSERT_TRUE(list.SubclassDlgItem(11, &form));
  list.AddString("b");
  EXPECT_EQ(list.AddString("a"), 0);
  // The combo box's 60 units are its dropped list; the box is one field high.
  QWidget* combo = form.GetDlgItem(12)->GetSafeHwnd();
  EXPECT_EQ(combo->height(), combo->sizeHint().height());
  EXPECT_LT(combo->height(), MapDialogRect(TemplateBaseUnits(8), CRect(0, 0, 1, 60)).Height());
}

}  // namespace
