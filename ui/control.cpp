#include "ui/control.h"

#include "base/error.h"
#include "platform/lead_byte.h"
#include "ui/application.h"
#include "ui/form.h"

namespace ui {

Control::~Control() { Destroy(); }

void Control::Create(Form& form, Control* parent, const ControlSpec& row, int id) {
  form_ = &form;
  parent_ = parent;
  name_ = row.name;
  id_ = id;
  row_ = row;
  hint = row.hint ? row.hint : "";
  helpContext = row.helpContext;
  tabOrder = row.tabOrder;
  showTooltip = row.showTooltip;
  Attach(CreateHandle(parentWindow(), row, id));
}

HWND Control::parentWindow() const { return parent_ ? parent_->hwnd() : form_->hwnd(); }

void Control::Attach(HWND window) {
  // A control that cannot be made fails like a form: a window with a hole is no window.
  if (!window) throw base::Error("CreateWindowEx failed for " + name());
  Subclass(window);
  const auto font = reinterpret_cast<WPARAM>(form_->font());
  if (static_cast<WPARAM>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)) != font) SendMessageA(hwnd_, WM_SETFONT, font, FALSE);
}

void Control::Destroy() {
  if (!hwnd_) return;
  HWND window = hwnd_;
  Unbind();  // the messages of its destruction go to the window's own procedure
  DestroyWindow(window);
}

void Control::RecreateHandle() {
  const RECT r = Bounds();
  const std::string text = Text();
  const bool enabled = Enabled();
  const bool focused = Focused();
  HWND after = GetWindow(hwnd_, GW_HWNDPREV);
  Destroy();
  ControlSpec row = row_;
  row.left = r.left;
  row.top = r.top;
  row.width = r.right - r.left;
  row.height = r.bottom - r.top;
  Attach(CreateHandle(parentWindow(), row, id_));
  SetWindowPos(hwnd_, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetText(text);
  EnableWindow(hwnd_, enabled);
  AfterRecreate();
  if (focused) ::SetFocus(hwnd_);
}

Control* Control::FromHandle(HWND window) { return dynamic_cast<Control*>(WindowTarget::FromHandle(window)); }

LRESULT Control::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) form().NoteFocus(hwnd_);
  return WndProc(message, wParam, lParam);
}

LRESULT Control::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT Control::Default(UINT message, WPARAM wParam, LPARAM lParam) { return CallOriginal(message, wParam, lParam); }

std::string Control::Text() const {
  const int n = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<size_t>(n) + 1, '\0');
  GetWindowTextA(hwnd_, text.data(), n + 1);
  text.resize(strlen(text.c_str()));
  return text;
}

void Control::SetText(const std::string& text) {
  if (Text() != text) SetWindowTextA(hwnd_, text.c_str());
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

bool Control::Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

RECT Control::Bounds() const {
  RECT r;
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Control::CanFocus() const {
  if (tabOrder < 0 || !Enabled() || !Visible()) return false;
  for (Control* p = parent_; p; p = p->parent_) {
    if (!p->Enabled() || !p->Visible()) return false;
  }
  return true;
}

void Control::SetFocus() { ::SetFocus(hwnd_); }

bool Control::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

bool Control::WantsKey(UINT) const { return false; }

char Control::Accelerator() const {
  const std::string caption = row_.caption ? row_.caption : "";
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (platform::IsSystemLeadByte(static_cast<unsigned char>(caption[i]))) {
      ++i;
    } else if (caption[i] == '&') {
      const char c = caption[i + 1];
      if (c != '&') return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      ++i;
    }
  }
  return 0;
}

bool Control::DialogChar() { return false; }

void Control::Command(WORD) {}

LRESULT Control::Notify(NMHDR*) { return 0; }

void Control::DrawItem(const DRAWITEMSTRUCT&) {}

void Control::Notification(Control&) {}

void Control::SysColorChange() {}

}  // namespace ui
