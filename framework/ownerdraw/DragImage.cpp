#include "framework/ownerdraw/DragImage.h"

#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "framework/gdi/CDC.h"
#include "framework/gdi/PaintToImage.h"
#include "framework/stdcontrols/CTreeCtrl.h"

namespace {

constexpr double kOpacity = 0.6;  // the window's content shows through the picture

// Shows the drag picture: a child laid over the lock window, or a small top-level
// window of its own when no window is locked. It never takes the mouse, so the drop
// target below keeps receiving it.
class DragOverlay : public QWidget {
 public:
  DragOverlay(QWidget* lock, const QPixmap& picture)
      : QWidget(lock, lock != nullptr
                          ? Qt::Widget
                          : Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput),
        m_picture(picture) {
    setObjectName(QStringLiteral("tm_drag_image"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    resize(picture.size());
  }

  const QPixmap& Picture() const { return m_picture; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setOpacity(kOpacity);
    painter.drawPixmap(0, 0, m_picture);
  }

 private:
  QPixmap m_picture;
};

struct DragState {
  bool dragging = false;
  QPixmap picture;
  QPoint hotSpot;
  QPoint position;
  bool shown = true;
  QPointer<QWidget> lock;
  QPointer<DragOverlay> overlay;
};

DragState& Drag() {
  static DragState state;
  return state;
}

void RemoveOverlay() {
  DragState& drag = Drag();
  if (drag.overlay != nullptr) {
    drag.overlay->hide();
    delete drag.overlay.data();
  }
  drag.overlay = nullptr;
  drag.lock = nullptr;
}

void PlaceOverlay() {
  DragState& drag = Drag();
  if (drag.overlay == nullptr) return;
  drag.overlay->move(drag.position - drag.hotSpot);
  drag.overlay->setVisible(drag.shown);
  if (drag.shown) drag.overlay->raise();
}

}  // namespace

BOOL CDragImageList::BeginDrag(int nImage, CPoint ptHotSpot) {
  return AfxBeginImageDrag(*this, nImage, ptHotSpot);
}

BOOL AfxBeginImageDrag(const CImageList& list, int nImage, CPoint ptHotSpot) {
  const QPixmap picture = list.GetPixmap(nImage);
  if (picture.isNull()) return FALSE;
  CDragImageList::EndDrag();
  DragState& drag = Drag();
  drag.dragging = true;
  drag.picture = picture;
  drag.hotSpot = QPoint(ptHotSpot.x, ptHotSpot.y);
  drag.shown = true;
  return TRUE;
}

BOOL CDragImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  DragState& drag = Drag();
  if (!drag.dragging) return FALSE;
  RemoveOverlay();
  QWidget* lock = pWndLock != nullptr ? pWndLock->GetSafeHwnd() : nullptr;
  if (pWndLock != nullptr && lock == nullptr) return FALSE;
  drag.lock = lock;
  drag.overlay = new DragOverlay(lock, drag.picture);
  drag.position = QPoint(point.x, point.y);
  drag.shown = true;
  PlaceOverlay();
  return TRUE;
}

BOOL CDragImageList::DragMove(CPoint pt) {
  DragState& drag = Drag();
  if (!drag.dragging) return FALSE;
  drag.position = QPoint(pt.x, pt.y);
  PlaceOverlay();
  return TRUE;
}

BOOL CDragImageList::DragShowNolock(BOOL bShow) {
  DragState& drag = Drag();
  if (!drag.dragging) return FALSE;
  drag.shown = bShow != FALSE;
  PlaceOverlay();
  return TRUE;
}

BOOL CDragImageList::DragLeave(CWnd*) {
  if (!Drag().dragging) return FALSE;
  RemoveOverlay();
  return TRUE;
}

void CDragImageList::EndDrag() {
  RemoveOverlay();
  Drag() = DragState{};
}

QWidget* CDragImageList::GetDragWidget() { return Drag().overlay.data(); }

std::unique_ptr<CDragImageList> AfxCreateDragImage(CTreeCtrl& tree, HTREEITEM hItem) {
  if (hItem == nullptr || tree.GetSafeHwnd() == nullptr) return nullptr;
  const std::string text = tree.GetItemText(hItem);
  int image = 0;
  int selected = 0;
  tree.GetItemImage(hItem, image, selected);
  const CImageList* list = tree.GetImageList(TVSIL_NORMAL);
  const QPixmap icon = list != nullptr ? list->GetPixmap(image) : QPixmap();

  CFont font(tree.GetSafeHwnd()->font());
  CSize extent;
  AfxPaintToImage(1, 1, [&](CDC& dc) {
    dc.SelectObject(&font);
    extent = dc.GetTextExtent(text);
  });
  const int iconWidth = icon.isNull() ? 0 : icon.width() + 2;
  const int width = std::max(1, iconWidth + extent.cx + 4);
  const int height = std::max({1, icon.isNull() ? 0 : icon.height(), extent.cy + 2});

  const QImage picture = AfxPaintToImage(
      width, height,
      [&](CDC& dc) {
        if (!icon.isNull()) {
          dc.DrawState(CPoint(0, (height - icon.height()) / 2), CSize(icon.width(), icon.height()),
                       icon.toImage(), DSS_NORMAL);
        }
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        CRect textBox(iconWidth + 2, 0, width, height);
        dc.DrawText(text, &textBox, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      },
      GetSysColor(COLOR_WINDOW));

  auto drag = std::make_unique<CDragImageList>();
  if (!drag->Create(width, height, ILC_COLOR32, 1, 1) || drag->Add(picture, CLR_NONE) < 0) {
    return nullptr;
  }
  return drag;
}
