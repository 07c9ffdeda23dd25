// GDI objects owned by small types, so that every path gives them back.
#pragma once
#include <windows.h>

#include "ui/owned_handle.h"

namespace ui {

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A bitmap or a font owned: deleted with its owner (never while selected into a DC).
using OwnedBitmap = OwnedHandle<HBITMAP, DeleteGdiObject>;
using OwnedFont = OwnedHandle<HFONT, DeleteGdiObject>;

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

// A window's device context (GetDC) for as long as it lives.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The screen's device context for as long as it lives.
class ScreenDC : public WindowDC {
 public:
  ScreenDC() : WindowDC(nullptr) {}
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
  // Nothing to put back when the selection failed.
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

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
