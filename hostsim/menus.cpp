// The menu objects (TIMainMenuIntf, TIMenuItemIntf) over the host's menu tree.
#include <algorithm>

#include "hostsim/objects.h"

namespace hostsim {
namespace {

const Entry* MainMenuTable();
const Entry* MenuItemTable();

struct MainMenu : Object {
  static constexpr Interface kInterface = Interface::MainMenu;
  explicit MainMenu(Host& host) : Object(host, kInterface, MainMenuTable()) {}
};

struct MenuItem : Object {
  static constexpr Interface kInterface = Interface::MenuItem;
  MenuItem(Host& host, MenuNode* item) : Object(host, kInterface, MenuItemTable()), node(item) {}
  MenuNode* node;
};

// An item destroyed through DestroyMenuItem, or below one, is no longer in the tree.
bool InTree(Host& host, const MenuNode* node) {
  while (node->parent) node = node->parent;
  return node == &host.menuRoot();
}

// The item `self` names, which must still be in the tree.
MenuItem& ItemOf(void* self, int slot) {
  MenuItem& item = SelfOf<MenuItem>(self, slot);
  if (!InTree(item.host, item.node)) {
    item.host.misuses.push_back(SlotName(Interface::MenuItem, slot) + " called on the destroyed item " +
                                item.node->name);
    HostInternals::Refuse(item.host);
  }
  return item;
}

void* HOSTSIM_STDCALL GetMenuItems(void* self) noexcept {
  Host& host = SelfOf<MainMenu>(self, slot::kGetMenuItems).host;
  return Obtain<MenuItem>(host, "GetTopItems", &host.menuRoot());
}

// Searches the whole tree, as the host's menu finds a component by name.
void* HOSTSIM_STDCALL FindMenuItem(void* self, const char* name) noexcept {
  Host& host = SelfOf<MainMenu>(self, slot::kFindMenuItem).host;
  MenuNode* node = host.FindMenu(host.strings.Read(name, "FindMenuItem's name"));
  if (!node) {
    host.Check("FindItemByName");
    return nullptr;
  }
  return Obtain<MenuItem>(host, "FindItemByName", node);
}

// Only an item the add-in inserted may go; the host's own stay.
uint8_t HOSTSIM_STDCALL DestroyMenuItem(void* self) noexcept {
  MenuItem& item = ItemOf(self, slot::kDestroyMenuItem);
  Host& host = item.host;
  if (host.Check("DestroyMenuItem") == Fault::ReturnNull) return 0;
  MenuNode* node = item.node;
  if (!node->createdByAddIn) {
    host.misuses.push_back("DestroyMenuItem of the host's own item " + node->name);
    return 0;
  }
  auto& siblings = node->parent->children;
  auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto& child) { return child.get() == node; });
  std::unique_ptr<MenuNode> removed = std::move(*it);
  siblings.erase(it);
  removed->parent = nullptr;  // objects naming it or its children see it gone
  HostInternals::Bury(host, std::move(removed));
  return 1;
}

int32_t HOSTSIM_STDCALL GetIndex(void* self) noexcept {
  MenuItem& item = ItemOf(self, slot::kGetIndex);
  item.host.Check("GetPosition");
  return item.node->Position();
}

void* HOSTSIM_STDCALL GetParent(void* self) noexcept {
  MenuItem& item = ItemOf(self, slot::kGetParent);
  if (!item.node->parent) {
    item.host.Check("GetOwnerItem");
    return nullptr;
  }
  return Obtain<MenuItem>(item.host, "GetOwnerItem", item.node->parent);
}

// The three texts are value parameters: a reference on entry, dropped on return.
void* HOSTSIM_STDCALL InsertItem(void* self, int32_t index, HostStr caption, HostStr name, HostStr hint,
                                 int32_t shortCut, int32_t context, int32_t groupIndex, uint8_t flags,
                                 ClickEvent onClick) noexcept {
  MenuItem& item = ItemOf(self, slot::kInsertItem);
  Host& host = item.host;
  StringLedger& strings = host.strings;
  for (HostStr text : {caption, name, hint}) strings.EnterValue(text);
  host.insertCalls.push_back(InsertChildCall{item.node->name, index, strings.Read(caption, "InsertItem's caption"),
                                             strings.Read(name, "InsertItem's name"),
                                             strings.Read(hint, "InsertItem's hint"), shortCut, context, groupIndex,
                                             flags, onClick});
  for (HostStr text : {caption, name, hint}) strings.LeaveValue(text);
  if (host.Check("InsertChild") == Fault::ReturnNull) return nullptr;

  const InsertChildCall& call = host.insertCalls.back();
  auto child = std::make_unique<MenuNode>();
  child->name = call.name;
  child->caption = call.caption;
  child->hint = call.hint;
  child->shortCut = shortCut;
  child->context = context;
  child->groupIndex = groupIndex;
  child->flags = flags;
  child->onClick = onClick;
  child->createdByAddIn = true;
  child->parent = item.node;
  MenuNode* raw = child.get();
  auto& siblings = item.node->children;
  const bool inRange = index >= 0 && static_cast<size_t>(index) <= siblings.size();  // else appended
  siblings.insert(inRange ? siblings.begin() + index : siblings.end(), std::move(child));
  return Make<MenuItem>(host, raw);
}

const Entry* MainMenuTable() {
  static const std::vector<Entry> table = TableOf<Interface::MainMenu>({
      {slot::kGetMenuItems, AsEntry(&GetMenuItems)},
      {slot::kFindMenuItem, AsEntry(&FindMenuItem)},
  });
  return table.data();
}

const Entry* MenuItemTable() {
  static const std::vector<Entry> table = TableOf<Interface::MenuItem>({
      {slot::kDestroyMenuItem, AsEntry(&DestroyMenuItem)},
      {slot::kGetIndex, AsEntry(&GetIndex)},
      {slot::kGetParent, AsEntry(&GetParent)},
      {slot::kInsertItem, AsEntry(&InsertItem)},
  });
  return table.data();
}

}  // namespace

Object* NewMainMenu(Host& host, const char* operation) { return Obtain<MainMenu>(host, operation); }

Object* NewMenuItem(Host& host, MenuNode* node) { return Make<MenuItem>(host, node); }

}  // namespace hostsim
