#include "ui/menu.h"

#include <cstring>
#include <map>

namespace ui {
namespace {

constexpr UINT kFirstMenuId = 0x1000;

}  // namespace

std::string ShortCut::Text() const {
  std::string text;
  if (value & kShift) text += "Shift+";
  if (value & kCtrl) text += "Ctrl+";
  if (value & kAlt) text += "Alt+";
  const UINT key = vk();
  if (key >= VK_F1 && key <= VK_F12) return text + "F" + std::to_string(key - VK_F1 + 1);
  if (key == VK_ESCAPE) return text + "Esc";
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<char>(key);
  return text;
}

MainMenu::MainMenu(const MenuSpec* specs, size_t count) : menu_(CreateMenu()) {
  std::map<std::string, HMENU> popups;
  items_.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const MenuSpec& s = specs[i];
    HMENU owner = s.parent ? popups[s.parent] : menu_;
    Item item;
    item.name = s.name;
    item.hint = s.hint ? s.hint : "";
    item.shortCut.value = s.shortCut;
    item.owner = owner;
    if (std::strcmp(s.caption, "-") == 0) {
      AppendMenuA(owner, MF_SEPARATOR, 0, nullptr);
    } else if (!s.parent) {
      HMENU popup = CreatePopupMenu();
      popups[s.name] = popup;
      popups_.emplace_back(popup, s.name);
      AppendMenuA(owner, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), s.caption);
    } else {
      item.id = kFirstMenuId + static_cast<UINT>(i);
      std::string caption = s.caption;
      if (s.shortCut) caption += "\t" + item.shortCut.Text();
      AppendMenuA(owner, MF_STRING | (s.enabled ? 0 : MF_GRAYED), item.id, caption.c_str());
    }
    items_.push_back(std::move(item));
  }
}

MainMenu::~MainMenu() {
  // A menu attached to a window is destroyed with it.
  if (IsMenu(menu_)) DestroyMenu(menu_);
}

MainMenu::Item* MainMenu::Find(const std::string& name) {
  for (Item& item : items_) {
    if (item.name == name) return &item;
  }
  return nullptr;
}

MainMenu::Item* MainMenu::FindById(UINT id) {
  for (Item& item : items_) {
    if (item.id == id && id != 0) return &item;
  }
  return nullptr;
}

MainMenu::Item* MainMenu::FindByShortCut(UINT value) {
  for (Item& item : items_) {
    if (item.shortCut.value == value && value != 0) return &item;
  }
  return nullptr;
}

std::string MainMenu::HintFor(UINT idOrIndex, HMENU menu, bool popup) {
  if (!popup) {
    Item* item = FindById(idOrIndex);
    return item ? item->hint : "";
  }
  HMENU sub = GetSubMenu(menu, static_cast<int>(idOrIndex));
  for (const auto& [handle, name] : popups_) {
    if (handle == sub) return Find(name)->hint;
  }
  return "";
}

bool MainMenu::Enabled(const Item& item) const {
  return item.id != 0 && !(GetMenuState(item.owner, item.id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

void MainMenu::OnClick(const std::string& name, std::function<void()> handler) {
  if (Item* item = Find(name)) item->onClick = std::move(handler);
}

}  // namespace ui
