// The plain controls of the toolkit: label, edit, check box, drop-down list, push
// button, panel and status bar.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// A caption that names another control; its accelerator moves the focus there.
class Label : public Control {
 public:
  bool DialogChar() override;

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
};

class Edit : public Control {
 public:
  std::function<void()> onChange;
  void Command(WORD code) override;

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
  // Entered by the keyboard, the whole text is selected.
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  DWORD extraStyle = 0;
};

enum class CheckState { Unchecked = BST_UNCHECKED, Checked = BST_CHECKED, Grayed = BST_INDETERMINATE };

// A three-state check box whose state the program keeps; every change of the state,
// by the user or the program, runs ClickAction (which raises onClick).
class CheckBox : public Control {
 public:
  std::function<void()> onClick;

  CheckState State() const { return state_; }
  void SetState(CheckState state);
  bool Checked() const { return state_ == CheckState::Checked; }
  void SetChecked(bool checked) { SetState(checked ? CheckState::Checked : CheckState::Unchecked); }

  void Command(WORD code) override;
  bool DialogChar() override;
  bool MovesFocusOnArrows() const override { return true; }
  void Click() override;

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
  void AfterRecreate() override;
  virtual DWORD ButtonStyle() const;
  virtual void ClickAction();

 private:
  CheckState state_ = CheckState::Unchecked;
};

// A drop-down list: only the user's selection raises onChange.
class ComboBox : public Control {
 public:
  std::function<void()> onChange;

  void SetItems(const std::vector<std::string>& items);
  int ItemCount() const;
  int ItemIndex() const;  // -1: no selection
  void SetItemIndex(int index);
  void Command(WORD code) override;
  bool WantsKey(UINT vk) const override;

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
};

class Button : public Control {
 public:
  std::function<void()> onClick;
  int modalResult = 0;

  void Command(WORD code) override;
  bool DialogChar() override;
  bool ClicksOnReturn() const override { return true; }
  bool MovesFocusOnArrows() const override { return true; }
  void Click() override;

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
};

// A container with a raised inner and a lowered outer bevel.
class Panel : public Control {
 public:
  bool CanFocus() const override { return false; }

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A status line of one panel, without a size grip.
class StatusBar : public Control {
 public:
  bool CanFocus() const override { return false; }
  void SetPanelWidth(int width);
  std::string PanelText() const;
  void SetPanelText(const std::string& text);

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;
};

}  // namespace ui
