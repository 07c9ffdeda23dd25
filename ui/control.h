// A control of a form: a child window wrapped by one C++ object that receives the
// window's messages through one guarded entry point.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

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

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  // Creates the window below `parentWindow` as the layout row says.
  void Create(Form& form, Control* parent, const ControlSpec& row, int id);
  void Destroy();

  HWND hwnd() const { return hwnd_; }
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
  virtual HWND CreateHandle(HWND parentWindow, const ControlSpec& row, int id) = 0;
  // Messages of the window; the default passes them to the class's own procedure.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Destroys the window and creates it again (for a style change), keeping its text.
  void RecreateHandle();
  virtual void AfterRecreate() {}
  const ControlSpec& layoutRow() const { return row_; }
  HWND parentWindow() const;

 private:
  void Attach(HWND window);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  Form* form_ = nullptr;
  Control* parent_ = nullptr;
  std::string name_;
  int id_ = 0;
  ControlSpec row_{};
};

// Registers a window class of ours once (classes are registered lazily, never in DllMain).
const char* RegisterOwnClass(const char* name, UINT style = CS_HREDRAW | CS_VREDRAW);

}  // namespace ui
