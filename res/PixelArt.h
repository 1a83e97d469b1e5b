#pragma once

#include <initializer_list>

#include "framework/resources/Resources.h"

// Images are drawn as rows of palette letters, one letter a pixel, so that a person can read
// and edit them in the source. MakeImage() turns such a drawing into XPM text (which Qt
// reads) kept alive for the rest of the process.
//
// Palette (see PixelArt.cpp for the exact colours):
//   ' ' transparent: magenta 0xFF00FF in a bitmap, a clear pixel in an icon
//   k black   d dark grey   g grey   l light grey   w white
//   o folder outline   y folder   Y folder highlight   e brown   E light brown
//   n navy   b blue   B light blue   r red   R light red   G green   h light green
ImageResource MakeImage(UINT id, ImageKind kind, std::initializer_list<const char*> rows);

// The bitmaps' transparent colour, 0xFF00FF as a Windows colour value.
constexpr unsigned kMaskColourRgb = 0xFF00FF;
