// A top-level window of the add-in, built from a layout table, with a modal loop,
// keyboard navigation in tab order, label accelerators, menu shortcuts, hints in the
// status line and help requests walked outwards through the help numbers.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/gdi.h"
#include "ui/menu.h"
#include "ui/owned_handle.h"

namespace ui {

enum class BorderStyle { Single, Dialog };

struct FormSpec {
  const char* caption;
  int clientWidth;
  int clientHeight;
  BorderStyle border;
  bool minimizeBox;
  bool stayOnTop;
  int helpContext;
};

enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };
enum class CloseAction { None, Hide };

class Form : public WindowTarget {
 public:
  Form(const FormSpec& layout, HWND owner);
  virtual ~Form();

  HFONT font() const { return font_.get(); }
  HWND tooltip() const { return tooltip_.get(); }
  int helpContext() const { return helpContext_; }

  // Creates the controls of a layout table in its order.
  void CreateControls(const ControlSpec* specs, size_t count);
  void SetMenu(std::unique_ptr<MainMenu> menu);
  MainMenu* menu() const { return menu_.get(); }
  Control* Find(const std::string& name) const;
  // The control of that name and kind; raises our error naming it when there is none.
  template <typename T>
  T& Get(const std::string& name) const {
    Control* found = Find(name);
    if (T* control = dynamic_cast<T*>(found)) return *control;
    RaiseNoSuchControl(name, found != nullptr);
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  // Removes a control, telling the others first (linked controls drop their link).
  void RemoveControl(const std::string& name);

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  // Shows the form modally: the other windows of the thread are disabled until it
  // closes. Returns the modal result.
  int ShowModal();
  void SetModalResult(int result) { modalResult_ = result; }
  // Asks the form to close: runs CloseQuery and, if it agrees, OnClose.
  void Close();

  Control* ActiveControl() const;
  // Activates the form and gives the keyboard focus to its active control: the one that
  // had it last, else the first in tab order (never to the frame itself).
  void FocusActiveControl();
  // Remembers the control that took the keyboard focus last.
  void NoteFocus(HWND control) { lastFocus_ = control; }
  // Moves the focus to the next (or previous) control in tab order.
  void SelectNext(bool forward);
  std::vector<Control*> TabOrderList() const;

  void SetDefaultButton(Control* button) { defaultButton_ = button; }
  void SetCancelButton(Control* button) { cancelButton_ = button; }

  // Handles a message of the form's modal loop before it is dispatched; true when taken.
  bool PreTranslate(MSG& msg);

  // Help for a control: its number, else its parents' outwards, else the form's.
  void HelpRequest(Control* control);

  static Form* FromHandle(HWND window);

 protected:
  virtual bool CloseQuery() { return true; }
  virtual CloseAction OnClose() { return CloseAction::Hide; }
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) final { return WndProc(message, wParam, lParam); }
  [[noreturn]] static void RaiseNoSuchControl(const std::string& name, bool ofAnotherKind);
  bool KeyDown(MSG& msg);
  bool SysChar(MSG& msg);
  void TrackHint(HWND window);
  void AddTooltips();
  static BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM data);
  class ModalRun;
  void DisableOtherWindows();
  void EnableOtherWindows();
  bool TryClose();

  // Freed as members, after the destructor has destroyed every window that uses them.
  OwnedFont font_;
  OwnedWindow tooltip_;
  int helpContext_ = 0;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<MainMenu> menu_;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  HWND lastFocus_ = nullptr;
  std::vector<HWND> disabled_;
  bool modal_ = false;
  int modalResult_ = mrNone;
};

}  // namespace ui
