#pragma once

#include <QImage>

#include "framework/resources/Resources.h"

// Image resources decoded for drawing. Bitmaps of this program use magenta (0xFF00FF) as
// their transparent colour; AfxMaskColour keys such a colour out.

// Image `id` of `kind` under the current resource handle (then the module's own); a
// null image when it is missing or cannot be decoded.
QImage AfxLoadImage(UINT id, ImageKind kind);
QImage AfxLoadImageIn(HINSTANCE instance, UINT id, ImageKind kind);

// A copy in 32-bit ARGB where every pixel of colour `key` (a COLORREF) is transparent.
QImage AfxMaskColour(const QImage& image, COLORREF key);
