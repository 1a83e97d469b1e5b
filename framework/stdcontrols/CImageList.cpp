#include "framework/stdcontrols/CImageList.h"

#include <QPainter>

#include "framework/resources/ImageResources.h"

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int) {
  if (cx <= 0 || cy <= 0) return FALSE;
  m_data = std::make_shared<ImageListData>();
  m_data->size = QSize(cx, cy);
  m_data->flags = nFlags;
  m_data->images.reserve(static_cast<std::size_t>(nInitial > 0 ? nInitial : 0));
  return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  const QImage bitmap = AfxLoadImage(nBitmapID, ImageKind::Bitmap);
  if (bitmap.isNull() || !Create(cx, bitmap.height(), ILC_COLOR32 | ILC_MASK, 0, nGrow)) {
    return FALSE;
  }
  return Add(bitmap, crMask) >= 0 ? TRUE : FALSE;
}

BOOL CImageList::DeleteImageList() {
  const bool had = m_data != nullptr;
  m_data.reset();
  return had ? TRUE : FALSE;
}

// An image placed on a transparent canvas of the list's size (top-left aligned).
QPixmap CImageList::Fit(const QImage& image) const {
  QImage canvas(m_data->size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  QPainter painter(&canvas);
  painter.drawImage(0, 0, image);
  painter.end();
  return QPixmap::fromImage(canvas);
}

int CImageList::Add(const QIcon& icon) {
  if (!m_data || icon.isNull()) return -1;
  const QPixmap picture = icon.pixmap(m_data->size);
  if (picture.isNull()) return -1;
  m_data->images.push_back(Fit(picture.toImage()));
  return static_cast<int>(m_data->images.size()) - 1;
}

int CImageList::Add(const QImage& bitmap, COLORREF crMask) {
  if (!m_data || bitmap.isNull()) return -1;
  const QImage source = (m_data->flags & ILC_MASK) ? AfxMaskColour(bitmap, crMask) : bitmap;
  const int cx = m_data->size.width();
  const int pieces = bitmap.width() > cx ? bitmap.width() / cx : 1;
  const int first = static_cast<int>(m_data->images.size());
  for (int i = 0; i < pieces; ++i) {
    m_data->images.push_back(Fit(source.copy(i * cx, 0, cx, m_data->size.height())));
  }
  return first;
}

int CImageList::AddIcon(UINT nIconID) {
  const QImage icon = AfxLoadImage(nIconID, ImageKind::Icon);
  if (icon.isNull()) return -1;
  return Add(QIcon(QPixmap::fromImage(icon)));
}

int CImageList::AddBitmap(UINT nBitmapID, COLORREF crMask) {
  return Add(AfxLoadImage(nBitmapID, ImageKind::Bitmap), crMask);
}

BOOL CImageList::Replace(int nImage, const QIcon& icon) {
  if (!m_data || nImage < 0 || nImage >= GetImageCount() || icon.isNull()) return FALSE;
  m_data->images[static_cast<std::size_t>(nImage)] = Fit(icon.pixmap(m_data->size).toImage());
  return TRUE;
}

BOOL CImageList::Remove(int nImage) {
  if (!m_data) return FALSE;
  if (nImage == -1) {
    m_data->images.clear();
    return TRUE;
  }
  if (nImage < 0 || nImage >= GetImageCount()) return FALSE;
  m_data->images.erase(m_data->images.begin() + nImage);
  return TRUE;
}

int CImageList::GetImageCount() const {
  return m_data ? static_cast<int>(m_data->images.size()) : 0;
}

BOOL CImageList::GetIconSize(int& cx, int& cy) const {
  if (!m_data) return FALSE;
  cx = m_data->size.width();
  cy = m_data->size.height();
  return TRUE;
}

QSize CImageList::GetImageSize() const { return m_data ? m_data->size : QSize(); }

QPixmap CImageList::GetPixmap(int nImage) const {
  if (nImage < 0 || nImage >= GetImageCount()) return {};
  return m_data->images[static_cast<std::size_t>(nImage)];
}
