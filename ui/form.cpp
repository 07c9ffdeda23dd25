#include "ui/form.h"

#include <commctrl.h>

#include <algorithm>

#include "base/error.h"
#include "ui/application.h"
#include "ui/system_libraries.h"

namespace ui {
namespace {

const char kFormClass[] = "TallowinForm";
const char kFontName[] = "ＭＳ Ｐゴシック";
constexpr int kFontHeight = 12;

}  // namespace

Form::Form(const FormSpec& layout, HWND owner) : helpContext_(layout.helpContext) {
  EnsureCommonControls();
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (layout.border == BorderStyle::Dialog) {
    exStyle |= WS_EX_DLGMODALFRAME;
  } else {
    style |= WS_BORDER;
    if (layout.minimizeBox) style |= WS_MINIMIZEBOX;
  }
  if (layout.stayOnTop) exStyle |= WS_EX_TOPMOST;
  // Bound at WM_NCCREATE: the messages of the creation itself reach the form.
  if (!CreateWindowExA(exStyle, RegisterOwnClass(kFormClass, CS_DBLCLKS), layout.caption, style, 0, 0,
                       layout.clientWidth, layout.clientHeight, owner, nullptr, Application::Get().instance(),
                       static_cast<WindowTarget*>(this))) {
    throw base::Error("CreateWindowEx failed");
  }
  font_.Reset(CreateFontA(-kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontName));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

  // Client size first (the menu bar may be set later and is accounted for then),
  // then the window centred on the screen.
  RECT r{0, 0, layout.clientWidth, layout.clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Form::~Form() {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) (*it)->Destroy();
  controls_.clear();
  tooltip_.Reset();  // first: destroying its owner, the form, would destroy it behind the handle's back
  if (hwnd_) {
    SetMenu(nullptr);
    HWND window = hwnd_;
    Unbind();  // the messages of its destruction go to DefWindowProc, not to a half-gone form
    DestroyWindow(window);
  }
}

void Form::CreateControls(const ControlSpec* specs, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    auto control = specs[i].make();
    Control* parent = specs[i].parent ? Find(specs[i].parent) : nullptr;
    control->Create(*this, parent, specs[i], static_cast<int>(100 + controls_.size()));
    controls_.push_back(std::move(control));
  }
  AddTooltips();
}

void Form::AddTooltips() {
  if (!tooltip_) {
    tooltip_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                   Application::Get().instance(), nullptr));
  }
  for (const auto& control : controls_) {
    const std::string tip = ShortHint(control->hint);
    if (!control->showTooltip || tip.empty()) continue;
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(control->hwnd());
    info.lpszText = const_cast<char*>(tip.c_str());
    SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Form::SetMenu(std::unique_ptr<MainMenu> menu) {
  RECT before;
  GetClientRect(hwnd_, &before);
  ::SetMenu(hwnd_, menu ? menu->handle() : nullptr);
  menu_ = std::move(menu);  // the menu object destroys the menu it no longer shows
  if (!menu_) return;
  // Keep the client area: grow the window by what the menu bar took (twice, as the
  // bar may wrap once the width is known).
  for (int pass = 0; pass < 2; ++pass) {
    RECT now, window;
    GetClientRect(hwnd_, &now);
    GetWindowRect(hwnd_, &window);
    const int dy = before.bottom - now.bottom;
    if (dy == 0) break;
    SetWindowPos(hwnd_, nullptr, window.left, window.top - dy / 2, window.right - window.left,
                 window.bottom - window.top + dy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

Control* Form::Find(const std::string& name) const {
  for (const auto& control : controls_) {
    if (control->name() == name) return control.get();
  }
  return nullptr;
}

void Form::RemoveControl(const std::string& name) {
  auto it = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) { return c->name() == name; });
  if (it == controls_.end()) return;
  for (const auto& other : controls_) {
    if (other != *it) other->Notification(**it);
  }
  if (defaultButton_ == it->get()) defaultButton_ = nullptr;
  if (cancelButton_ == it->get()) cancelButton_ = nullptr;
  controls_.erase(it);
}

std::string Form::Caption() const {
  char text[1024] = {};
  GetWindowTextA(hwnd_, text, sizeof text);
  return text;
}

void Form::SetCaption(const std::string& caption) { SetWindowTextA(hwnd_, caption.c_str()); }

void Form::TrackHint(HWND window) {
  Control* control = nullptr;
  for (HWND h = window; h && h != hwnd_ && !control; h = GetParent(h)) control = Control::FromHandle(h);
  std::string hint;
  for (Control* c = control; c && hint.empty(); c = c->parent()) hint = c->hint;
  Application::Get().SetHint(LongHint(hint));
}

void Form::HelpRequest(Control* control) {
  int context = 0;
  for (Control* c = control; c && context == 0; c = c->parent()) context = c->helpContext;
  if (context == 0) context = helpContext_;
  if (context != 0) Application::Get().HelpContext(context);
}

Form* Form::FromHandle(HWND window) { return dynamic_cast<Form*>(WindowTarget::FromHandle(window)); }

void Form::RaiseNoSuchControl(const std::string& name, bool ofAnotherKind) {
  throw base::Error(base::FormatText(ofAnotherKind ? "ｺﾝﾄﾛｰﾙ '%s' の種類が違います" : "ｺﾝﾄﾛｰﾙ '%s' がありません", name));
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam) {
        if (Control* c = Control::FromHandle(reinterpret_cast<HWND>(lParam))) c->Command(HIWORD(wParam));
      } else if (menu_) {
        MainMenu::Item* item = menu_->FindById(LOWORD(wParam));
        if (item && item->onClick) item->onClick();
      }
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (Control* c = Control::FromHandle(header->hwndFrom)) return c->Notify(header);
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (Control* c = Control::FromHandle(item->hwndItem)) {
        c->DrawItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_MENUSELECT: {
      const UINT flags = HIWORD(wParam);
      if (flags == 0xFFFF && lParam == 0) {
        Application::Get().SetHint("");
      } else if (menu_ && !(flags & MF_SEPARATOR)) {
        const std::string hint = menu_->HintFor(LOWORD(wParam), reinterpret_cast<HMENU>(lParam), flags & MF_POPUP);
        Application::Get().SetHint(LongHint(hint));
      }
      return 0;
    }
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      if (info->iContextType == HELPINFO_MENUITEM) {
        Application::Get().HelpContext(0);  // menu items carry no help number of their own
      } else {
        Control* control = nullptr;
        for (HWND h = static_cast<HWND>(info->hItemHandle); h && h != hwnd_ && !control; h = GetParent(h)) {
          control = Control::FromHandle(h);
        }
        HelpRequest(control);
      }
      return TRUE;
    }
    case WM_DESTROY:
      tooltip_.Release();  // a window the form owns: the system has destroyed it already
      break;
    case WM_SYSCOLORCHANGE:
      for (const auto& control : controls_) control->SysColorChange();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else {
        if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
          ::SetFocus(lastFocus_);
        } else if (!ActiveControl()) {
          SelectNext(true);
        }
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace ui
