#include "ui/pixel_art.h"

#include <vector>

namespace ui {
namespace {

OwnedBitmap FromPixels(const std::vector<COLORREF>& pixels, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return bitmap;
  auto* out = static_cast<DWORD*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const COLORREF c = pixels[i];
    out[i] = static_cast<DWORD>(GetRValue(c)) << 16 | static_cast<DWORD>(GetGValue(c)) << 8 | GetBValue(c);
  }
  return bitmap;
}

bool Ink(const char* const* rows, int x, int y, int width, int height) {
  return x >= 0 && y >= 0 && x < width && y < height && rows[y][x] != '.' && rows[y][x] != '\0';
}

}  // namespace

OwnedBitmap PixelArtBitmap(const char* const* rows, int width, int height, COLORREF background,
                           const std::map<char, COLORREF>& palette) {
  std::vector<COLORREF> pixels(static_cast<size_t>(width) * height, background);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width && rows[y][x]; ++x) {
      auto it = palette.find(rows[y][x]);
      if (it != palette.end()) pixels[static_cast<size_t>(y) * width + x] = it->second;
    }
  }
  return FromPixels(pixels, width, height);
}

OwnedBitmap DisabledPixelArt(const char* const* rows, int width, int height, COLORREF background) {
  std::vector<COLORREF> pixels(static_cast<size_t>(width) * height, background);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (Ink(rows, x, y, width, height)) {
        pixels[static_cast<size_t>(y) * width + x] = RGB(128, 128, 128);
      } else if (Ink(rows, x - 1, y - 1, width, height)) {
        pixels[static_cast<size_t>(y) * width + x] = RGB(255, 255, 255);
      }
    }
  }
  return FromPixels(pixels, width, height);
}

OwnedBitmap JoinSideBySide(OwnedBitmap left, OwnedBitmap right) {
  BITMAP a, b;
  if (!GetObject(left.get(), sizeof a, &a) || !GetObject(right.get(), sizeof b, &b)) return {};
  ScreenDC screen;
  MemoryDC target(screen.get());
  MemoryDC source(screen.get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = a.bmWidth + b.bmWidth;
  info.bmiHeader.biHeight = -a.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  OwnedBitmap joined(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!target.get() || !source.get() || !joined) return {};
  SelectGuard targetSelected(target.get(), joined.get());
  {
    SelectGuard sourceSelected(source.get(), left.get());
    BitBlt(target.get(), 0, 0, a.bmWidth, a.bmHeight, source.get(), 0, 0, SRCCOPY);
  }
  {
    SelectGuard sourceSelected(source.get(), right.get());
    BitBlt(target.get(), a.bmWidth, 0, b.bmWidth, b.bmHeight, source.get(), 0, 0, SRCCOPY);
  }
  return joined;
}

}  // namespace ui
