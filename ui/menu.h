// The main menu of a form, built from a table: items with captions, shortcuts, hints
// and actions; shortcuts work while the form has the keyboard.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

// A shortcut as the virtual key plus modifier bits.
struct ShortCut {
  enum : UINT { kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000 };
  UINT value = 0;
  UINT vk() const { return value & 0xFF; }
  std::string Text() const;  // "Ctrl+O", "Esc", "Ctrl+F9"
};

struct MenuSpec {
  const char* name;
  const char* parent;   // nullptr for a menu of the menu bar
  const char* caption;  // "-" for a separator
  UINT shortCut;
  const char* hint;
  bool enabled;
};

class MainMenu {
 public:
  struct Item {
    std::string name;
    std::string hint;
    ShortCut shortCut;
    UINT id = 0;
    HMENU owner = nullptr;
    std::function<void()> onClick;
  };

  MainMenu(const MenuSpec* specs, size_t count);
  ~MainMenu();
  MainMenu(const MainMenu&) = delete;
  MainMenu& operator=(const MainMenu&) = delete;

  HMENU handle() const { return menu_; }
  Item* Find(const std::string& name);
  Item* FindById(UINT id);
  Item* FindByShortCut(UINT value);
  // The item's hint for a WM_MENUSELECT of that id or popup.
  std::string HintFor(UINT idOrIndex, HMENU menu, bool popup);
  bool Enabled(const Item& item) const;
  void OnClick(const std::string& name, std::function<void()> handler);

 private:
  HMENU menu_;
  std::vector<Item> items_;
  std::vector<std::pair<HMENU, std::string>> popups_;  // popup handle -> its item name
};

}  // namespace ui
