#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <memory>
#include <vector>

#include "framework/stdcontrols/ControlTypes.h"

// The pictures of an image list. Controls that show the list's images (tree, list)
// hold it shared, so images added later show there too and the control never reads
// freed memory when the list object goes first.
struct ImageListData {
  QSize size;
  UINT flags = 0;
  std::vector<QPixmap> images;
};

// A list of same-sized images addressed by index. Images added with a mask colour
// have that colour keyed out (transparent) when the list was created with ILC_MASK.
class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A list of `cx`-wide images cut from bitmap resource `nBitmapID`.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL DeleteImageList();
  const void* GetSafeHandle() const { return m_data.get(); }

  // Each returns the index of the (first) image added, or -1.
  int Add(const QIcon& icon);
  // A strip of images: the bitmap is cut into pieces of the list's width.
  int Add(const QImage& bitmap, COLORREF crMask);
  int AddIcon(UINT nIconID);
  int AddBitmap(UINT nBitmapID, COLORREF crMask);
  BOOL Replace(int nImage, const QIcon& icon);
  // Removes image `nImage`, or every image for -1.
  BOOL Remove(int nImage);

  int GetImageCount() const;
  BOOL GetIconSize(int& cx, int& cy) const;
  QSize GetImageSize() const;
  // A copy of image `nImage` (null when there is none), for drawing.
  QPixmap GetPixmap(int nImage) const;

  std::shared_ptr<const ImageListData> Data() const { return m_data; }

 private:
  QPixmap Fit(const QImage& image) const;
  std::shared_ptr<ImageListData> m_data;
};
