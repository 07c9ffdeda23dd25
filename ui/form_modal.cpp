// The modal run of a form: the thread's other windows disabled, a message loop of its
// own until a modal result is set and the form agrees to close.
#include <algorithm>

#include "base/error.h"
#include "ui/application.h"
#include "ui/form.h"

namespace ui {

void Form::DisableOtherWindows() {
  disabled_.clear();
  EnumThreadWindows(GetCurrentThreadId(), &Form::CollectEnabledWindow, reinterpret_cast<LPARAM>(this));
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner && IsWindowEnabled(owner) &&
      std::find(disabled_.begin(), disabled_.end(), owner) == disabled_.end()) {
    disabled_.push_back(owner);
  }
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

BOOL CALLBACK Form::CollectEnabledWindow(HWND window, LPARAM data) {
  auto* self = reinterpret_cast<Form*>(data);
  if (window != self->hwnd_ && IsWindowVisible(window) && IsWindowEnabled(window)) self->disabled_.push_back(window);
  return TRUE;
}

void Form::EnableOtherWindows() {
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
}

// What a modal run changed, put back on every path out of it, a failure's included: no
// window of the host may stay disabled.
class Form::ModalRun {
 public:
  explicit ModalRun(Form& form) : form_(form), previous_(GetActiveWindow()) {
    form_.modalResult_ = mrNone;
    form_.modal_ = true;
    form_.DisableOtherWindows();
    BeginModalRecord({form_.hwnd_, form_.disabled_, previous_, &form_});
  }
  ~ModalRun() {
    EndModalRecord();
    form_.EnableOtherWindows();
    if (form_.hwnd_) ShowWindow(form_.hwnd_, SW_HIDE);
    form_.modal_ = false;
    if (previous_ && IsWindow(previous_)) SetActiveWindow(previous_);
  }
  ModalRun(const ModalRun&) = delete;
  ModalRun& operator=(const ModalRun&) = delete;

 private:
  Form& form_;
  HWND previous_;
};

int Form::ShowModal() {
  if (modal_ || IsWindowVisible(hwnd_)) throw base::Error("the window is already shown");
  ModalRun run(*this);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
  // Ends when the form closes, or when its window is destroyed from outside.
  while (modalResult_ == mrNone && hwnd_ && IsWindow(hwnd_)) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      modalResult_ = mrCancel;
      break;
    }
    // Hints, the status line and the keyboard run here, outside any window procedure:
    // their failures are the window's like those of its handlers.
    Guarded(hwnd_, [&] {
      if (!PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    });
    if (modalResult_ != mrNone && hwnd_) {
      bool closed = false;
      Guarded(hwnd_, [&] { closed = TryClose(); });  // a failure while closing keeps the window open
      if (!closed) modalResult_ = mrNone;
    }
  }
  if (modalResult_ == mrNone) modalResult_ = mrCancel;  // the window went
  return modalResult_;
}

bool Form::TryClose() {
  if (!CloseQuery()) return false;
  return OnClose() != CloseAction::None;
}

void Form::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!TryClose()) return;
  ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace ui
