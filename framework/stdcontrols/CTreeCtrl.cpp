#include "framework/stdcontrols/CTreeCtrl.h"

#include <QScrollBar>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "framework/stdcontrols/CImageList.h"
#include "framework/stdcontrols/SiblingOrder.h"
#include "framework/stdcontrols/StdTreeWidget.h"

namespace {

bool IsSpecial(HTREEITEM h) {
  return h == TVI_ROOT || h == TVI_FIRST || h == TVI_LAST || h == TVI_SORT;
}

int SortedPlace(const QTreeWidgetItem* parent, const QString& text) {
  for (int i = 0; i < parent->childCount(); ++i) {
    if (CompareCaseIgnored(parent->child(i)->text(0), text) > 0) return i;
  }
  return parent->childCount();
}

void Sort(QTreeWidgetItem* parent, bool recurse) {
  parent->sortChildren(0, Qt::AscendingOrder);
  if (!recurse) return;
  for (int i = 0; i < parent->childCount(); ++i) Sort(parent->child(i), true);
}

}  // namespace

const CRuntimeClass CTreeCtrl::classCTreeCtrl{"CTreeCtrl", &CStdControl::classCStdControl, nullptr};
const CRuntimeClass* CTreeCtrl::GetRuntimeClass() const { return &classCTreeCtrl; }

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("SysTreeView32", "", dwStyle, rect, pParentWnd, nID);
}

QWidget* CTreeCtrl::CreateWidget(const CREATESTRUCT& cs, QWidget* parent) {
  return MakeControlWidget("SysTreeView32", cs, parent);
}

StdTreeWidget* CTreeCtrl::Tree() const { return As<StdTreeWidget>(); }

// The item behind a handle of this tree, or null for none, a position or a stranger.
static QTreeWidgetItem* ItemOf(const StdTreeWidget* tree, HTREEITEM h) {
  if (tree == nullptr || h == nullptr || IsSpecial(h) || !tree->Owns(h)) return nullptr;
  return StdTreeWidget::Item(h);
}

QTreeWidgetItem* CTreeCtrl::ParentOf(HTREEITEM hParent) const {
  StdTreeWidget* tree = Tree();
  if (tree == nullptr) return nullptr;
  if (hParent == nullptr || hParent == TVI_ROOT) return tree->invisibleRootItem();
  return ItemOf(tree, hParent);
}

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCT* ins) {
  QTreeWidgetItem* parent = ins != nullptr ? ParentOf(ins->hParent) : nullptr;
  if (parent == nullptr) return nullptr;
  const TVITEM& tv = ins->item;
  auto* item = new StdTreeItem;
  const QString text =
      QString::fromUtf8((tv.mask & TVIF_TEXT) != 0 && tv.pszText != nullptr ? tv.pszText : "");
  item->setText(0, text);
  item->setData(0, treerole::kImage, (tv.mask & TVIF_IMAGE) != 0 ? tv.iImage : 0);
  item->setData(0, treerole::kSelectedImage,
                (tv.mask & TVIF_SELECTEDIMAGE) != 0 ? tv.iSelectedImage : 0);
  item->setData(0, treerole::kData,
                static_cast<qlonglong>((tv.mask & TVIF_PARAM) != 0 ? tv.lParam : 0));
  const HTREEITEM after = ins->hInsertAfter;
  int index = parent->childCount();
  if (after == TVI_FIRST) {
    index = 0;
  } else if (after == TVI_SORT) {
    index = SortedPlace(parent, text);
  } else if (QTreeWidgetItem* sibling = ItemOf(Tree(), after)) {
    const int at = parent->indexOfChild(sibling);
    if (at >= 0) index = at + 1;
  }
  parent->insertChild(index, item);
  Tree()->Adopt(item);
  return StdTreeWidget::Handle(item);
}

namespace {

SiblingOrder::Place PlaceOf(HTREEITEM where) {
  if (where == TVI_FIRST) return SiblingOrder::Place::First;
  return where == TVI_SORT ? SiblingOrder::Place::Sorted : SiblingOrder::Place::Last;
}

// The order in which `items` and the `existing` children of `parent` (ids below
// `existing`, then the new ones in `items` order) stand once every item is placed.
std::vector<int> PlacedOrder(const QTreeWidgetItem* parent, int existing,
                             std::span<const CTreeCtrl::ItemInsert> items,
                             std::span<const QString> texts) {
  const bool allSorted = std::all_of(items.begin(), items.end(),
                                     [](const auto& insert) { return insert.where == TVI_SORT; });
  // A level of applications only, the common large one, is a plain stable sort.
  if (existing == 0 && allSorted) return CaseIgnoredOrder(texts);
  SiblingOrder order;
  for (int i = 0; i < existing; ++i) {
    order.Insert(parent->child(i)->text(0), SiblingOrder::Place::Last, i);
  }
  for (size_t i = 0; i < items.size(); ++i) {
    order.Insert(texts[i], PlaceOf(items[i].where), existing + static_cast<int>(i));
  }
  return order.Ids();
}

}  // namespace

std::vector<HTREEITEM> CTreeCtrl::InsertItems(HTREEITEM hParent,
                                              std::span<const ItemInsert> items) {
  QTreeWidgetItem* parent = ParentOf(hParent);
  if (parent == nullptr) return {};
  const int existing = parent->childCount();
  std::vector<QString> texts;
  texts.reserve(items.size());
  for (const ItemInsert& insert : items) texts.push_back(QString::fromStdString(insert.text));
  const std::vector<int> order = PlacedOrder(parent, existing, items, texts);
  // Items and their texts are made in the order they will stand: showing, walking and
  // deleting a large level then reads memory in order instead of all over the heap.
  std::vector<QTreeWidgetItem*> made(items.size());
  // Runs of new items between the old ones go in with one insertion each.
  QList<QTreeWidgetItem*> run;
  int at = 0;
  auto flush = [&] {
    if (run.isEmpty()) return;
    parent->insertChildren(at, run);
    at += static_cast<int>(run.size());
    run.clear();
  };
  for (int id : order) {
    if (id < existing) {
      flush();
      ++at;
      continue;
    }
    const auto i = static_cast<size_t>(id - existing);
    const QString& text = texts[i];
    made[i] = new StdTreeItem(QString(text.constData(), text.size()), items[i].image,
                              items[i].selectedImage);
    run.append(made[i]);
  }
  flush();
  std::vector<HTREEITEM> handles;
  handles.reserve(made.size());
  for (QTreeWidgetItem* item : made) {
    Tree()->Adopt(item);
    handles.push_back(StdTreeWidget::Handle(item));
  }
  return handles;
}

HTREEITEM CTreeCtrl::InsertItem(const char* lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT ins;
  ins.hParent = hParent;
  ins.hInsertAfter = hInsertAfter;
  ins.item.mask = TVIF_TEXT;
  ins.item.pszText = lpszItem;
  return InsertItem(&ins);
}

HTREEITEM CTreeCtrl::InsertItem(const char* lpszItem, int nImage, int nSelectedImage,
                                HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT ins;
  ins.hParent = hParent;
  ins.hInsertAfter = hInsertAfter;
  ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  ins.item.pszText = lpszItem;
  ins.item.iImage = nImage;
  ins.item.iSelectedImage = nSelectedImage;
  return InsertItem(&ins);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) {
  if (hItem == TVI_ROOT) return DeleteAllItems();
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr) return FALSE;
  Tree()->DeleteItemNotify(item);
  return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems() {
  StdTreeWidget* tree = Tree();
  if (tree == nullptr) return FALSE;
  tree->DeleteAll();
  return TRUE;
}

std::string CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  return item != nullptr ? item->text(0).toStdString() : std::string();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, const char* lpszItem) {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr) return FALSE;
  item->setText(0, QString::fromUtf8(lpszItem != nullptr ? lpszItem : ""));
  return TRUE;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr) return FALSE;
  nImage = item->data(0, treerole::kImage).toInt();
  nSelectedImage = item->data(0, treerole::kSelectedImage).toInt();
  return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr) return FALSE;
  item->setData(0, treerole::kImage, nImage);
  item->setData(0, treerole::kSelectedImage, nSelectedImage);
  return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  return item != nullptr ? static_cast<DWORD_PTR>(item->data(0, treerole::kData).toLongLong()) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr) return FALSE;
  item->setData(0, treerole::kData, static_cast<qlonglong>(dwData));
  return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
  StdTreeWidget* tree = Tree();
  QTreeWidgetItem* item = ItemOf(tree, hItem);
  if (item == nullptr) return 0;
  UINT state = 0;
  if (tree->Selected() == item) state |= TVIS_SELECTED;
  if (item->isExpanded()) state |= TVIS_EXPANDED;
  if (tree->DropTarget() == item) state |= TVIS_DROPHILITED;
  return state & nStateMask;
}

UINT CTreeCtrl::GetCount() const {
  StdTreeWidget* tree = Tree();
  if (tree == nullptr) return 0;
  UINT count = 0;
  for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) ++count;
  return count;
}

HTREEITEM CTreeCtrl::GetRootItem() const {
  StdTreeWidget* tree = Tree();
  return tree != nullptr ? StdTreeWidget::Handle(tree->topLevelItem(0)) : nullptr;
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const {
  QTreeWidgetItem* parent = ParentOf(hItem);
  return parent != nullptr ? StdTreeWidget::Handle(parent->child(0)) : nullptr;
}

static HTREEITEM SiblingOf(const StdTreeWidget* tree, HTREEITEM hItem, int step) {
  QTreeWidgetItem* item = ItemOf(tree, hItem);
  if (item == nullptr) return nullptr;
  QTreeWidgetItem* parent = item->parent() != nullptr ? item->parent() : tree->invisibleRootItem();
  return StdTreeWidget::Handle(parent->child(parent->indexOfChild(item) + step));
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const {
  return SiblingOf(Tree(), hItem, 1);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const {
  return SiblingOf(Tree(), hItem, -1);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  return item != nullptr ? StdTreeWidget::Handle(item->parent()) : nullptr;
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const {
  StdTreeWidget* tree = Tree();
  return tree != nullptr ? StdTreeWidget::Handle(tree->itemAt(QPoint(1, 1))) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  return item != nullptr ? StdTreeWidget::Handle(Tree()->itemBelow(item)) : nullptr;
}

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  return item != nullptr ? StdTreeWidget::Handle(Tree()->itemAbove(item)) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
  switch (nCode) {
    case TVGN_ROOT:
      return GetRootItem();
    case TVGN_NEXT:
      return GetNextSiblingItem(hItem);
    case TVGN_PREVIOUS:
      return GetPrevSiblingItem(hItem);
    case TVGN_PARENT:
      return GetParentItem(hItem);
    case TVGN_CHILD:
      return GetChildItem(hItem);
    case TVGN_FIRSTVISIBLE:
      return GetFirstVisibleItem();
    case TVGN_NEXTVISIBLE:
      return GetNextVisibleItem(hItem);
    case TVGN_PREVIOUSVISIBLE:
      return GetPrevVisibleItem(hItem);
    case TVGN_DROPHILITE:
      return GetDropHilightItem();
    case TVGN_CARET:
      return GetSelectedItem();
    default:
      return nullptr;
  }
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  return item != nullptr && item->childCount() > 0 ? TRUE : FALSE;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) {
  StdTreeWidget* tree = Tree();
  if (tree == nullptr) return FALSE;
  QTreeWidgetItem* item = ItemOf(tree, hItem);
  if (item == nullptr && hItem != nullptr) return FALSE;
  return tree->SelectByCode(item) ? TRUE : FALSE;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const {
  StdTreeWidget* tree = Tree();
  return tree != nullptr ? StdTreeWidget::Handle(tree->Selected()) : nullptr;
}

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem) {
  StdTreeWidget* tree = Tree();
  if (tree == nullptr) return FALSE;
  QTreeWidgetItem* item = ItemOf(tree, hItem);
  if (item == nullptr && hItem != nullptr) return FALSE;
  tree->SetDropTarget(item);
  return TRUE;
}

HTREEITEM CTreeCtrl::GetDropHilightItem() const {
  StdTreeWidget* tree = Tree();
  return tree != nullptr ? StdTreeWidget::Handle(tree->DropTarget()) : nullptr;
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) {
  switch (nCode) {
    case TVGN_CARET:
      return SelectItem(hItem);
    case TVGN_DROPHILITE:
      return SelectDropTarget(hItem);
    case TVGN_FIRSTVISIBLE:
      if (QTreeWidgetItem* item = ItemOf(Tree(), hItem)) {
        Tree()->scrollToItem(item, QAbstractItemView::PositionAtTop);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr) return FALSE;
  Tree()->EnsureItemVisible(item);
  return TRUE;
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr || item->childCount() == 0) return FALSE;
  switch (nCode & 0x3) {
    case TVE_EXPAND:
      item->setExpanded(true);
      return TRUE;
    case TVE_COLLAPSE:
      item->setExpanded(false);
      return TRUE;
    case TVE_TOGGLE:
      item->setExpanded(!item->isExpanded());
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem, BOOL bRecurse) {
  QTreeWidgetItem* parent = ParentOf(hItem);
  if (parent == nullptr) return FALSE;
  Sort(parent, bRecurse != FALSE);
  return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  StdTreeWidget* tree = Tree();
  QTreeWidgetItem* item = nullptr;
  const UINT flags = tree != nullptr ? tree->HitTest(QPoint(pt.x, pt.y), &item) : TVHT_NOWHERE;
  if (pFlags != nullptr) *pFlags = flags;
  return StdTreeWidget::Handle(item);
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const {
  if (pHitTestInfo == nullptr) return nullptr;
  pHitTestInfo->hItem =
      HitTest(CPoint(pHitTestInfo->pt.x, pHitTestInfo->pt.y), &pHitTestInfo->flags);
  return pHitTestInfo->hItem;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, RECT* lpRect, BOOL bTextOnly) const {
  QTreeWidgetItem* item = ItemOf(Tree(), hItem);
  if (item == nullptr || lpRect == nullptr) return FALSE;
  const QRect r = Tree()->ItemRect(item, bTextOnly != FALSE);
  if (!r.isValid()) return FALSE;  // inside a collapsed item
  *lpRect = CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
  return TRUE;
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  StdTreeWidget* tree = Tree();
  if (tree == nullptr || nImageListType != TVSIL_NORMAL) return nullptr;
  CImageList* previous = tree->ImageList();
  tree->SetImageList(pImageList);
  return previous;
}

CImageList* CTreeCtrl::GetImageList(int nImageListType) const {
  StdTreeWidget* tree = Tree();
  return tree != nullptr && nImageListType == TVSIL_NORMAL ? tree->ImageList() : nullptr;
}
