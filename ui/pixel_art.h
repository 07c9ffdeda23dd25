// Small bitmaps drawn from text rows, one character per pixel, for glyphs and icons.
#pragma once
#include <windows.h>

#include <map>

#include "ui/gdi.h"

namespace ui {

// '.' is the background colour; every other character is looked up in `palette`.
OwnedBitmap PixelArtBitmap(const char* const* rows, int width, int height, COLORREF background,
                           const std::map<char, COLORREF>& palette);

// The same shape as a disabled image: embossed, white offset by one pixel under grey.
OwnedBitmap DisabledPixelArt(const char* const* rows, int width, int height, COLORREF background);

// Images side by side in one bitmap, as glyphs with several images are kept; the two
// images go with the call. Nothing when either is missing or the joined one cannot be made.
OwnedBitmap JoinSideBySide(OwnedBitmap left, OwnedBitmap right);

}  // namespace ui
