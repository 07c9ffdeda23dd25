// Every slot of the host's tables that the stand-in plays, by number and name, once.
// Source: the published add-in units of a later version of the IDE (VirtIntf, ExptIntf,
// ToolIntf, EditIntf; its entry point is INITEXPERT0017). 2.0's own units were not found:
// TIToolServices' slots 3 to 41 are assumed unchanged since, as a host emulation of that
// time declares them unconditionally. Each table ends at the last slot the add-in may
// reach; the names of slots it has no business with are kept for the misuse records.
#pragma once
#include <string>

namespace hostsim {

enum class Interface { ToolServices, MainMenu, MenuItem, Module, Editor, Reader, Writer, Expert };

namespace slot {
// VirtIntf, TInterface: every object.
constexpr int kAddRef = 0, kRelease = 1, kGetVersion = 2;
// ToolIntf, TIToolServices.
constexpr int kGetParentHandle = 14, kGetProjectName = 15, kGetModuleInterface = 31, kGetMainMenu = 33,
              kNewPascalString = 36, kFreePascalString = 37, kReferencePascalString = 38,
              kAssignPascalString = 39, kRaiseException = 40;
// ToolIntf, TIMainMenuIntf.
constexpr int kGetMenuItems = 3, kFindMenuItem = 4;
// ToolIntf, TIMenuItemIntf.
constexpr int kDestroyMenuItem = 3, kGetIndex = 4, kGetParent = 8, kInsertItem = 23;
// EditIntf, TIModuleInterface.
constexpr int kGetEditorInterface = 3;
// EditIntf, TIEditorInterface.
constexpr int kCreateReader = 3, kCreateWriter = 4;
// EditIntf, TIEditReader.
constexpr int kGetText = 3;
// EditIntf, TIEditWriter.
constexpr int kCopyTo = 3, kDeleteTo = 4, kInsert = 5;
// ExptIntf, TIExpert: the add-in's object.
constexpr int kGetName = 3, kGetAuthor = 4, kGetComment = 5, kGetPage = 6, kGetGlyph = 7, kGetStyle = 8,
              kGetState = 9, kGetIDString = 10, kGetMenuText = 11, kExecute = 12;
}  // namespace slot

#define HOSTSIM_BASE_SLOTS "AddRef", "Release", "GetVersion"
#define HOSTSIM_GROUP "units, forms, components, file systems"

constexpr const char* kToolServicesSlots[] = {
    HOSTSIM_BASE_SLOTS, "CloseProject", "OpenProject", "OpenProjectInfo", "SaveProject", "CloseFile", "SaveFile",
    "OpenFile", "ReloadFile", "ModalDialogBox", "CreateModule", "CreateModuleEx", "GetParentHandle", "GetProjectName",
    HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP,
    HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP, HOSTSIM_GROUP,
    HOSTSIM_GROUP, "GetModuleInterface", "GetFormModuleInterface", "GetMainMenu", "AddNotifier", "RemoveNotifier",
    "NewPascalString", "FreePascalString", "ReferencePascalString", "AssignPascalString", "RaiseException",
    "GetBaseRegistryKey"};
constexpr const char* kMainMenuSlots[] = {HOSTSIM_BASE_SLOTS, "GetMenuItems", "FindMenuItem"};
constexpr const char* kMenuItemSlots[] = {
    HOSTSIM_BASE_SLOTS, "DestroyMenuItem", "GetIndex", "GetItemCount", "GetItem", "GetName", "GetParent",
    "GetCaption", "SetCaption", "GetShortCut", "SetShortCut", "GetFlags", "SetFlags", "GetGroupIndex",
    "SetGroupIndex", "GetHint", "SetHint", "GetContext", "SetContext", "GetOnClick", "SetOnClick", "InsertItem"};
constexpr const char* kModuleSlots[] = {HOSTSIM_BASE_SLOTS, "GetEditorInterface"};
constexpr const char* kEditorSlots[] = {HOSTSIM_BASE_SLOTS, "CreateReader", "CreateWriter"};
constexpr const char* kReaderSlots[] = {HOSTSIM_BASE_SLOTS, "GetText"};
constexpr const char* kWriterSlots[] = {HOSTSIM_BASE_SLOTS, "CopyTo", "DeleteTo", "Insert"};
constexpr const char* kExpertSlots[] = {HOSTSIM_BASE_SLOTS, "GetName", "GetAuthor", "GetComment", "GetPage",
                                        "GetGlyph", "GetStyle", "GetState", "GetIDString", "GetMenuText", "Execute"};

#undef HOSTSIM_BASE_SLOTS
#undef HOSTSIM_GROUP

struct InterfaceInfo {
  const char* name;            // the host's class name
  const char* kind;            // the object ledger's kind
  const char* releaseOperation;  // the name faults and call counts use for its release
  const char* const* slots;
  int slotCount;
};

template <int N>
constexpr InterfaceInfo Info(const char* name, const char* kind, const char* release, const char* const (&slots)[N]) {
  return InterfaceInfo{name, kind, release, slots, N};
}

constexpr InterfaceInfo kInterfaces[] = {
    Info("TIToolServices", "HostServices", "HostServices.Release", kToolServicesSlots),
    Info("TIMainMenuIntf", "MenuBar", "MenuBar.Release", kMainMenuSlots),
    Info("TIMenuItemIntf", "MenuItem", "MenuItem.Release", kMenuItemSlots),
    Info("TIModuleInterface", "SourceModule", "SourceModule.Release", kModuleSlots),
    Info("TIEditorInterface", "EditBuffer", "EditBuffer.Release", kEditorSlots),
    Info("TIEditReader", "Reader", "Reader.Release", kReaderSlots),
    Info("TIEditWriter", "Writer", "Writer.Release", kWriterSlots),
    Info("TIExpert", "Expert", "Expert.Release", kExpertSlots),
};

constexpr const InterfaceInfo& Describe(Interface i) { return kInterfaces[static_cast<int>(i)]; }

// "TIToolServices slot 5 (OpenProjectInfo)".
std::string SlotName(Interface i, int slot);

namespace detail {
constexpr bool Same(const char* a, const char* b) { return *a == *b && (*a == '\0' || Same(a + 1, b + 1)); }
constexpr bool Names(Interface i, int slot, const char* name) {
  return slot < Describe(i).slotCount && Same(Describe(i).slots[slot], name);
}
}  // namespace detail

// The numbers above and the names agree.
static_assert(detail::Names(Interface::ToolServices, slot::kGetParentHandle, "GetParentHandle") &&
              detail::Names(Interface::ToolServices, slot::kGetProjectName, "GetProjectName") &&
              detail::Names(Interface::ToolServices, slot::kGetModuleInterface, "GetModuleInterface") &&
              detail::Names(Interface::ToolServices, slot::kGetMainMenu, "GetMainMenu") &&
              detail::Names(Interface::ToolServices, slot::kNewPascalString, "NewPascalString") &&
              detail::Names(Interface::ToolServices, slot::kAssignPascalString, "AssignPascalString") &&
              detail::Names(Interface::ToolServices, slot::kRaiseException, "RaiseException") &&
              Describe(Interface::ToolServices).slotCount == 42);
static_assert(detail::Names(Interface::MenuItem, slot::kGetParent, "GetParent") &&
              detail::Names(Interface::MenuItem, slot::kInsertItem, "InsertItem") &&
              Describe(Interface::MenuItem).slotCount == 24);
static_assert(detail::Names(Interface::Writer, slot::kInsert, "Insert") &&
              detail::Names(Interface::Expert, slot::kExecute, "Execute"));

}  // namespace hostsim
