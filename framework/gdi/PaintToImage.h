#pragma once

#include <QImage>
#include <functional>

#include "framework/gdi/CDC.h"

// Runs `paint` on a device context over a fresh `width` by `height` 32-bit image filled
// with `background`, and returns the image: for tests, and for pictures of controls.
QImage AfxPaintToImage(int width, int height, const std::function<void(CDC&)>& paint,
                       COLORREF background = RGB(255, 255, 255));

// Runs `paint` on a device context over `image` (which must not be painted on already);
// false when no painter could be started.
bool AfxPaintOnImage(QImage& image, const std::function<void(CDC&)>& paint);

// The pixel at (x, y) as a colour value, CLR_INVALID outside the image.
COLORREF AfxImagePixel(const QImage& image, int x, int y);
