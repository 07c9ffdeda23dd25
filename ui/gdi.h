// GDI objects owned by small types, so that every path gives them back.
#pragma once
#include <windows.h>

namespace ui {

// A bitmap owned: deleted with its owner. Hand one over with Release().
class OwnedBitmap {
 public:
  OwnedBitmap() = default;
  explicit OwnedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
  OwnedBitmap(OwnedBitmap&& other) noexcept : bitmap_(other.Release()) {}
  OwnedBitmap& operator=(OwnedBitmap&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  OwnedBitmap(const OwnedBitmap&) = delete;
  OwnedBitmap& operator=(const OwnedBitmap&) = delete;
  ~OwnedBitmap() { Reset(); }

  HBITMAP get() const { return bitmap_; }
  explicit operator bool() const { return bitmap_ != nullptr; }
  HBITMAP Release() {
    HBITMAP bitmap = bitmap_;
    bitmap_ = nullptr;
    return bitmap;
  }
  void Reset(HBITMAP bitmap = nullptr) {
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
  }

 private:
  HBITMAP bitmap_ = nullptr;
};

// A memory device context compatible with `like` (the screen when null).
class MemoryDC {
 public:
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The screen's device context for as long as it lives.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// BeginPaint and EndPaint of one WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context until the guard ends.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Copies a w x h block from `source` to `target`, leaving the target's pixels where the
// source has the colour `transparent`. A mask and three BitBlt calls: every Windows has
// them (TransparentBlt needs MSIMG32, which 95 and NT 4.0 lack).
void TransparentCopy(HDC target, int x, int y, int w, int h, HDC source, int sourceX, int sourceY,
                     COLORREF transparent);

}  // namespace ui
