#include "ui/tool_button.h"

#include "ui/application.h"
#include "ui/gdi.h"
#include "ui/system_libraries.h"

namespace ui {

HWND ToolButton::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  // The window text is the tooltip text (or the name) so the button can be told apart.
  const std::string text = ShortHint(row.hint ? row.hint : "");
  return CreateWindowExA(0, RegisterOwnClass("TallowinToolButton"), text.empty() ? row.name : text.c_str(),
                         WS_CHILD | WS_VISIBLE, row.left, row.top, row.width, row.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Application::Get().instance(),
                         static_cast<WindowTarget*>(this));
}

void ToolButton::SetImages(OwnedBitmap normal, OwnedBitmap disabled, COLORREF transparent) {
  normal_ = std::move(normal);
  disabled_ = std::move(disabled);
  transparent_ = transparent;
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void ToolButton::SetEnabled(bool enabled) {
  Control::SetEnabled(enabled);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void ToolButton::Click() {
  if (onClick) onClick();
}

void ToolButton::Paint() {
  PaintDC paint(hwnd());
  HDC dc = paint.get();
  RECT r;
  GetClientRect(hwnd(), &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool enabled = Enabled();
  if (enabled && down_ && hot_) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (enabled && hot_) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  HBITMAP image = enabled || !disabled_ ? normal_.get() : disabled_.get();
  if (!image) return;
  BITMAP bm;
  GetObject(image, sizeof bm, &bm);
  MemoryDC source(dc);
  SelectGuard selected(source.get(), image);
  const int shift = enabled && down_ && hot_ ? 1 : 0;
  TransparentCopy(dc, (r.right - bm.bmWidth) / 2 + shift, (r.bottom - bm.bmHeight) / 2 + shift, bm.bmWidth,
                  bm.bmHeight, source.get(), 0, 0, transparent_);
}

LRESULT ToolButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEMOVE: {
      RECT r;
      GetClientRect(hwnd(), &r);
      const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const bool inside = PtInRect(&r, p) != FALSE;
      if (inside != hot_) {
        hot_ = inside;
        InvalidateRect(hwnd(), nullptr, TRUE);
      }
      if (inside && !down_) TrackMouseLeave(hwnd());
      return 0;
    }
    case WM_MOUSELEAVE:
      hot_ = false;
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Enabled()) return 0;
      down_ = true;
      hot_ = true;
      SetCapture(hwnd());
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP: {
      const bool click = down_ && hot_;
      down_ = false;
      if (GetCapture() == hwnd()) ReleaseCapture();
      InvalidateRect(hwnd(), nullptr, TRUE);
      if (click) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      down_ = false;
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    default:
      return Control::WndProc(message, wParam, lParam);
  }
}

}  // namespace ui
