// A control of a form: a child window wrapped by one C++ object that receives the
// window's messages through the toolkit's one guarded entry (ui/window_target.h).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "ui/window_target.h"

namespace ui {

class Control;
class Form;

// One row of a form layout.
struct ControlSpec {
  const char* name;
  std::unique_ptr<Control> (*make)();
  const char* parent;  // the containing control's name; nullptr for the form itself
  int left, top, width, height;
  const char* caption;
  const char* hint;  // "short|long"
  int helpContext;
  int tabOrder;      // -1: no place in the keyboard order
  const char* link;  // a label's control, or a linked check box's control
  bool showTooltip;
};

template <typename T>
std::unique_ptr<Control> Make() {
  return std::make_unique<T>();
}

class Control : public WindowTarget {
 public:
  Control() = default;
  virtual ~Control();

  // Creates the window below `parentWindow` as the layout row says.
  void Create(Form& form, Control* parent, const ControlSpec& row, int id);
  void Destroy();

  const std::string& name() const { return name_; }
  Control* parent() const { return parent_; }
  Form& form() const { return *form_; }
  int id() const { return id_; }

  std::string hint;
  int helpContext = 0;
  int tabOrder = -1;
  bool showTooltip = false;

  std::string Text() const;
  void SetText(const std::string& text);
  bool Enabled() const;
  virtual void SetEnabled(bool enabled);
  bool Visible() const;
  // Position and size relative to the parent's client area.
  RECT Bounds() const;

  // Whether the keyboard focus may be put here (a tab stop, enabled and visible).
  virtual bool CanFocus() const;
  void SetFocus();
  bool Focused() const;
  // Keys that the control handles itself instead of the form (Enter, arrows).
  virtual bool WantsKey(UINT vk) const;
  // Push buttons take Enter; buttons and check boxes pass the focus on with the arrows.
  virtual bool ClicksOnReturn() const { return false; }
  virtual bool MovesFocusOnArrows() const { return false; }
  // What a click by the user does.
  virtual void Click() {}
  // The accelerator character of the caption ("&V" gives 'V'), or 0.
  char Accelerator() const;
  // Alt+accelerator: focuses (and for buttons, clicks) the control; false if not taken.
  virtual bool DialogChar();

  // Notifications the parent window reflects to the control that sent them.
  virtual void Command(WORD code);
  virtual LRESULT Notify(NMHDR* header);
  virtual void DrawItem(const DRAWITEMSTRUCT& item);
  // Sent to every control of a form when one of them is removed.
  virtual void Notification(Control& removed);
  virtual void SysColorChange();

  static Control* FromHandle(HWND window);

 protected:
  // Creates the window; one of our own classes gets the control (as its WindowTarget) as
  // the creation parameter.
  virtual HWND CreateHandle(HWND parentWindow, const ControlSpec& row, int id) = 0;
  // Messages of the window; the default passes them to the window's own procedure.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Destroys the window and creates it again (for a style change), keeping its text.
  void RecreateHandle();
  virtual void AfterRecreate() {}
  const ControlSpec& layoutRow() const { return row_; }
  HWND parentWindow() const;

 private:
  void Attach(HWND window);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) final;

  Form* form_ = nullptr;
  Control* parent_ = nullptr;
  std::string name_;
  int id_ = 0;
  ControlSpec row_{};
};

}  // namespace ui
