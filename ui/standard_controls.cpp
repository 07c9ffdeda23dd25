#include "ui/standard_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace ui {
namespace {

// `target`: the control, for a window of our own classes (bound at its creation).
HWND CreateChild(const char* cls, DWORD style, DWORD exStyle, HWND parent, const ControlSpec& row, int id,
                 int height, WindowTarget* target = nullptr) {
  return CreateWindowExA(exStyle, cls, row.caption ? row.caption : "", WS_CHILD | WS_VISIBLE | style, row.left,
                         row.top, row.width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         Application::Get().instance(), target);
}

}  // namespace

HWND Label::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  // A label sizes itself to its caption in the window's font, never smaller than its
  // layout says, so that a wider font does not cut the caption off.
  RECT r{0, 0, 0, 0};
  {
    WindowDC dc(parent);
    SelectGuard fontSelected(dc.get(), form().font());
    DrawTextA(dc.get(), row.caption, -1, &r, DT_CALCRECT | DT_SINGLELINE);
  }
  ControlSpec sized = row;
  sized.width = std::max<int>(row.width, r.right);
  sized.height = std::max<int>(row.height, r.bottom);
  return CreateChild("STATIC", SS_LEFT | SS_NOTIFY, 0, parent, sized, id, sized.height);
}

bool Label::DialogChar() {
  Control* target = layoutRow().link ? form().Find(layoutRow().link) : nullptr;
  if (!target || !target->CanFocus()) return false;
  target->SetFocus();
  return true;
}

HWND Edit::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  return CreateChild("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | extraStyle, WS_EX_CLIENTEDGE, parent, row, id, row.height);
}

LRESULT Edit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Control::WndProc(message, wParam, lParam);
  if (message == WM_SETFOCUS && !(GetKeyState(VK_LBUTTON) & 0x8000)) SendMessageA(hwnd(), EM_SETSEL, 0, -1);
  return result;
}

void Edit::Command(WORD code) {
  if (code == EN_CHANGE && onChange) onChange();
}

DWORD CheckBox::ButtonStyle() const { return BS_3STATE; }

HWND CheckBox::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  HWND window = CreateChild("BUTTON", WS_TABSTOP | ButtonStyle(), 0, parent, row, id, row.height);
  SendMessageA(window, BM_SETCHECK, static_cast<WPARAM>(state_), 0);
  return window;
}

void CheckBox::AfterRecreate() { SendMessageA(hwnd(), BM_SETCHECK, static_cast<WPARAM>(state_), 0); }

void CheckBox::SetState(CheckState state) {
  if (state == state_) return;
  state_ = state;
  if (hwnd()) SendMessageA(hwnd(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
  ClickAction();
}

void CheckBox::ClickAction() {
  if (onClick) onClick();
}

void CheckBox::Click() { SetState(state_ == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked); }

void CheckBox::Command(WORD code) {
  if (code == BN_CLICKED) Click();
}

bool CheckBox::DialogChar() {
  if (!CanFocus()) return false;
  SetFocus();
  if (Focused()) Click();
  return true;
}

HWND ComboBox::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  // The window's height includes the dropped-down list; the closed box keeps the
  // layout's height through the height of its selection field.
  HWND window = CreateChild("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, parent, row, id,
                            row.height + 160);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(form().font()), FALSE);
  SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), row.height - 6);
  return window;
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
  SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ComboBox::ItemCount() const { return static_cast<int>(SendMessageA(hwnd(), CB_GETCOUNT, 0, 0)); }

int ComboBox::ItemIndex() const {
  return static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0));  // CB_ERR (-1) for no selection
}

void ComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ComboBox::Command(WORD code) {
  if (code == CBN_SELCHANGE && onChange) onChange();
}

bool ComboBox::WantsKey(UINT vk) const {
  if (vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT) return true;
  if (vk == VK_RETURN || vk == VK_ESCAPE) return SendMessageA(hwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0;
  return false;
}

HWND Button::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  return CreateChild("BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, parent, row, id, row.height);
}

void Button::Command(WORD code) {
  if (code == BN_CLICKED) Click();
}

void Button::Click() {
  if (onClick) onClick();
  if (modalResult != 0) form().SetModalResult(modalResult);
}

bool Button::DialogChar() {
  if (!CanFocus()) return false;
  SetFocus();
  Click();
  return true;
}

HWND Panel::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  return CreateChild(RegisterOwnClass("TallowinPanel"), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, row, id,
                     row.height, this);
}

LRESULT Panel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintDC paint(hwnd());
      HDC dc = paint.get();
      RECT r;
      GetClientRect(hwnd(), &r);
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);  // outer bevel lowered
      InflateRect(&r, -1, -1);
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);  // inner bevel raised
      return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
      // Notifications of the panel's children reach the form, which hands them on.
      return SendMessageA(form().hwnd(), message, wParam, lParam);
    default:
      return Control::WndProc(message, wParam, lParam);
  }
}

HWND StatusBar::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  return CreateChild(STATUSCLASSNAMEA, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, parent, row, id,
                     row.height);
}

void StatusBar::SetPanelWidth(int width) {
  int edges[1] = {width};
  SendMessageA(hwnd(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(edges));
}

std::string StatusBar::PanelText() const {
  // The length comes in characters on some systems and in bytes on others: room for two
  // bytes a character holds the text either way.
  const size_t length = LOWORD(SendMessageA(hwnd(), SB_GETTEXTLENGTHA, 0, 0));
  std::string text(2 * length + 1, '\0');
  SendMessageA(hwnd(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}

void StatusBar::SetPanelText(const std::string& text) {
  SendMessageA(hwnd(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace ui
