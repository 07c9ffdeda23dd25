#include "ui/spin_edit.h"

#include <algorithm>

#include "base/int_text.h"
#include "ui/application.h"
#include "ui/gdi.h"

namespace ui {
namespace {

constexpr int kButtonsWidth = 15;
constexpr int kButtonsHeight = 17;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;

char DecimalSeparator() {
  char text[4] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text);
  return text[0] ? text[0] : '.';
}

}  // namespace

SpinEdit::SpinEdit() = default;

// The box goes while its buttons' object is still here: their window is destroyed with it.
SpinEdit::~SpinEdit() { Destroy(); }

HWND SpinEdit::Buttons::Create(HWND edit, int left) {
  const char* cls = RegisterOwnClass("TallowinSpinButtons", CS_HREDRAW | CS_VREDRAW);
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, left, 0, kButtonsWidth, kButtonsHeight, edit, nullptr,
                         Application::Get().instance(), static_cast<WindowTarget*>(this));
}

HWND SpinEdit::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  HWND edit = Edit::CreateHandle(parent, row, id);
  SendMessageA(edit, EM_LIMITTEXT, 3, 0);
  RECT client;
  GetClientRect(edit, &client);
  buttons_.Create(edit, client.right - kButtonsWidth);
  // Keep the text clear of the buttons.
  RECT text{0, 0, client.right - kButtonsWidth - 2, client.bottom};
  SendMessageA(edit, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
  return edit;
}

int32_t SpinEdit::Value() const { return base::ParseIntText(Text()).value_or(minValue); }

void SpinEdit::SetValue(int32_t value) { SetText(std::to_string(std::clamp(value, minValue, maxValue))); }

void SpinEdit::StepBy(int32_t delta) {
  const int64_t next = static_cast<int64_t>(Value()) + delta;
  SetValue(static_cast<int32_t>(std::clamp<int64_t>(next, minValue, maxValue)));
}

bool SpinEdit::IsAcceptedChar(char c) {
  if (c >= '0' && c <= '9') return true;
  if (c == '+' || c == '-' || c == DecimalSeparator()) return true;
  return static_cast<unsigned char>(c) < 0x20 && c != '\r';
}

bool SpinEdit::WantsKey(UINT vk) const { return vk == VK_UP || vk == VK_DOWN || vk == VK_RETURN; }

LRESULT SpinEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      if (!IsAcceptedChar(static_cast<char>(wParam))) {
        MessageBeep(0);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN) {
        StepBy(wParam == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_KILLFOCUS: {
      // Only a move to another control of this window clamps: when the window merely
      // loses activation (a question box, another program) the text stays as typed.
      HWND next = reinterpret_cast<HWND>(wParam);
      const int32_t v = Value();
      if (next && RootWindow(next) == RootWindow(hwnd()) && (v < minValue || v > maxValue)) SetValue(v);
      break;
    }
    default:
      break;
  }
  return Edit::WndProc(message, wParam, lParam);
}

void SpinEdit::PressButton(int direction) {
  pressed_ = direction;
  SetCapture(buttons_.hwnd());
  StepBy(direction);
  repeating_ = false;
  SetTimer(buttons_.hwnd(), kRepeatTimer, kFirstRepeatMs, nullptr);
  InvalidateRect(buttons_.hwnd(), nullptr, FALSE);
}

void SpinEdit::ReleaseButton() {
  KillTimer(buttons_.hwnd(), kRepeatTimer);
  if (GetCapture() == buttons_.hwnd()) ReleaseCapture();
  pressed_ = 0;
  InvalidateRect(buttons_.hwnd(), nullptr, FALSE);
}

void SpinEdit::PaintButtons() {
  PaintDC paint(buttons_.hwnd());
  HDC dc = paint.get();
  RECT r;
  GetClientRect(buttons_.hwnd(), &r);
  const int middle = r.bottom / 2;
  RECT up{0, 0, r.right, middle};
  RECT down{0, middle, r.right, r.bottom};
  DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | (pressed_ > 0 ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | (pressed_ < 0 ? DFCS_PUSHED : 0));
}

LRESULT SpinEdit::Buttons::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      box_.PaintButtons();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      RECT r;
      GetClientRect(hwnd_, &r);
      if (box_.CanFocus() && !box_.Focused()) box_.SetFocus();
      box_.PressButton(static_cast<short>(HIWORD(lParam)) < r.bottom / 2 ? 1 : -1);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (box_.pressed_ != 0) box_.ReleaseButton();
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer && box_.pressed_ != 0) {
        if (!box_.repeating_) {
          box_.repeating_ = true;
          SetTimer(hwnd_, kRepeatTimer, kRepeatMs, nullptr);
        }
        box_.StepBy(box_.pressed_);
      }
      return 0;
    default:
      return CallOriginal(message, wParam, lParam);
  }
}

}  // namespace ui
