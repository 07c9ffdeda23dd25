// Dialog keyboard handling of a form: tab order, focus, Enter and Esc, label
// accelerators and menu shortcuts, taken from the modal loop before dispatch.
#include <algorithm>

#include "ui/application.h"
#include "ui/form.h"

namespace ui {
namespace {

bool KeyIsDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

Control* Form::ActiveControl() const {
  for (HWND h = GetFocus(); h && h != hwnd_; h = GetParent(h)) {
    if (Control* c = Control::FromHandle(h)) return &c->form() == this ? c : nullptr;
  }
  return nullptr;
}

std::vector<Control*> Form::TabOrderList() const {
  std::vector<Control*> list;
  std::function<void(Control*)> add = [&](Control* container) {
    std::vector<Control*> children;
    for (const auto& c : controls_) {
      if (c->parent() == container && c->tabOrder >= 0) children.push_back(c.get());
    }
    std::stable_sort(children.begin(), children.end(),
                     [](Control* a, Control* b) { return a->tabOrder < b->tabOrder; });
    for (Control* child : children) {
      list.push_back(child);
      add(child);
    }
  };
  add(nullptr);
  return list;
}

void Form::SelectNext(bool forward) {
  std::vector<Control*> list;
  for (Control* c : TabOrderList()) {
    if (c->CanFocus()) list.push_back(c);
  }
  if (list.empty()) return;
  Control* current = ActiveControl();
  auto it = std::find(list.begin(), list.end(), current);
  size_t index;
  if (it == list.end()) {
    index = forward ? 0 : list.size() - 1;
  } else {
    const size_t at = static_cast<size_t>(it - list.begin());
    index = forward ? (at + 1) % list.size() : (at + list.size() - 1) % list.size();
  }
  list[index]->SetFocus();
}

bool Form::PreTranslate(MSG& msg) {
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  switch (msg.message) {
    case WM_MOUSEMOVE:
      TrackHint(msg.hwnd);
      return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return KeyDown(msg);
    case WM_SYSCHAR:
      return SysChar(msg);
    default:
      return false;
  }
}

bool Form::KeyDown(MSG& msg) {
  const UINT vk = static_cast<UINT>(msg.wParam);
  UINT shortCut = vk;
  if (KeyIsDown(VK_SHIFT)) shortCut |= ShortCut::kShift;
  if (KeyIsDown(VK_CONTROL)) shortCut |= ShortCut::kCtrl;
  if (KeyIsDown(VK_MENU)) shortCut |= ShortCut::kAlt;
  Control* focused = ActiveControl();
  // An open drop-down list takes Enter and Esc for itself before any shortcut.
  if (focused && (vk == VK_ESCAPE || vk == VK_RETURN) && focused->WantsKey(vk)) return false;
  if (menu_) {
    if (MainMenu::Item* item = menu_->FindByShortCut(shortCut)) {
      if (menu_->Enabled(*item) && item->onClick) Guarded(hwnd_, item->onClick);
      return true;
    }
  }
  if (focused && focused->WantsKey(vk)) return false;
  switch (vk) {
    case VK_TAB:
      if (KeyIsDown(VK_CONTROL) || KeyIsDown(VK_MENU)) return false;
      SelectNext(!KeyIsDown(VK_SHIFT));
      return true;
    case VK_RETURN: {
      Control* button = focused && focused->ClicksOnReturn() ? focused : defaultButton_;
      if (!button || !button->Enabled()) return false;
      Guarded(hwnd_, [button] { button->Click(); });
      return true;
    }
    case VK_ESCAPE:
      if (!cancelButton_ || !cancelButton_->Enabled()) return false;
      Guarded(hwnd_, [this] { cancelButton_->Click(); });
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (!focused || !focused->MovesFocusOnArrows()) return false;
      SelectNext(vk == VK_RIGHT || vk == VK_DOWN);
      return true;
    default:
      return false;
  }
}

bool Form::SysChar(MSG& msg) {
  char c = static_cast<char>(msg.wParam);
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const auto& control : controls_) {
    if (control->Accelerator() == c && control->DialogChar()) return true;
  }
  return false;  // the menu bar's own mnemonics
}

void Form::FocusActiveControl() {
  SetActiveWindow(hwnd_);
  if (ActiveControl()) return;
  if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
    ::SetFocus(lastFocus_);
  } else {
    SelectNext(true);
  }
}

}  // namespace ui
