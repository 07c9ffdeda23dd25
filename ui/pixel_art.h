// Small bitmaps drawn from text rows, one character per pixel, for glyphs and icons.
#pragma once
#include <windows.h>

#include <map>

namespace ui {

// '.' is the background colour; every other character is looked up in `palette`.
HBITMAP PixelArtBitmap(const char* const* rows, int width, int height, COLORREF background,
                       const std::map<char, COLORREF>& palette);

// The same shape as a disabled image: embossed, white offset by one pixel under grey.
HBITMAP DisabledPixelArt(const char* const* rows, int width, int height, COLORREF background);

// Images side by side in one bitmap, as glyphs with several images are kept.
HBITMAP JoinSideBySide(HBITMAP left, HBITMAP right);

}  // namespace ui
