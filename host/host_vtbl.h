// The host's tables as they are: one structure of entries per interface, each entry with
// its Self spelled out and a string result's variable in its place below Self, padded to
// the slot numbers of host_slots.h and checked against them. The host's own names stand
// here; our own names are those of the classes in host_intf.h.
#pragma once
#include <cstddef>

#include "host/host_abi.h"
#include "host/host_slots.h"

class TInterface;
class TIExpert;
class TIHostServices;
class TIMenuBarIntf;
class TIMenuItemIntf;
class TISourceModuleIntf;
class TIEditBufferIntf;
class TIBufferReader;
class TIBufferWriter;

namespace hostapi {

// Entries from slot `from` up to (not including) slot `to`, which we never call.
template <int from, int to>
struct Unused {
  static_assert(to > from, "slot numbers out of order");
  UnusedEntry entries[to - from];
};

// A method pointer of the host's language (by value: 8 bytes, Code at the lower address).
// TIMenuClickEvent = procedure(Sender: TIMenuItemIntf) of object: called in the register
// convention with Data in EAX and the menu item in EDX.
struct TIMenuClickEvent {
  void(HOSTREGISTER* Code)(void* data, TIMenuItemIntf* sender);
  void* Data;
};

// TIMenuFlags: a set of at most 8 members, one byte.
using TIMenuFlags = uint8_t;

// VirtIntf.TInterface
struct TInterfaceVtbl {
  int32_t(HOSTAPI* AddRef)(TInterface* self);
  int32_t(HOSTAPI* Release)(TInterface* self);
  int32_t(HOSTAPI* GetVersion)(TInterface* self);
};

// ExptIntf.TIExpert: the table of our add-in object.
struct TIExpertVtbl {
  TInterfaceVtbl base;
  void(HOSTAPI* GetName)(HostStr* result, TIExpert* self);
  void(HOSTAPI* GetAuthor)(HostStr* result, TIExpert* self);
  void(HOSTAPI* GetComment)(HostStr* result, TIExpert* self);
  void(HOSTAPI* GetPage)(HostStr* result, TIExpert* self);
  HICON__*(HOSTAPI* GetGlyph)(TIExpert* self);
  uint8_t(HOSTAPI* GetStyle)(TIExpert* self);  // TExpertStyle
  uint8_t(HOSTAPI* GetState)(TIExpert* self);  // TExpertState
  void(HOSTAPI* GetIDString)(HostStr* result, TIExpert* self);
  void(HOSTAPI* GetMenuText)(HostStr* result, TIExpert* self);
  void(HOSTAPI* Execute)(TIExpert* self);
};

// ToolIntf.TIToolServices. The host creates and frees it; a client never releases it.
struct TIToolServicesVtbl {
  TInterfaceVtbl base;
  Unused<slot::kFirstOwn, slot::tool::kGetParentHandle> actions;
  HWND__*(HOSTAPI* GetParentHandle)(TIHostServices* self);
  // The full path of the open project's file, or empty; the caller frees it.
  void(HOSTAPI* GetProjectName)(HostStr* result, TIHostServices* self);
  Unused<slot::tool::kGetProjectName + 1, slot::tool::kGetModuleInterface> projectAndLibrary;
  // A module interface of the file, or null; released by the caller.
  TISourceModuleIntf*(HOSTAPI* GetModuleInterface)(TIHostServices* self, HostStr fileName);
  Unused<slot::tool::kGetModuleInterface + 1, slot::tool::kGetMainMenu> formModule;
  TIMenuBarIntf*(HOSTAPI* GetMainMenu)(TIHostServices* self);
  Unused<slot::tool::kGetMainMenu + 1, slot::tool::kNewPascalString> notifiers;
  // The four string functions, for a client not written in the host's language.
  // NewPascalString: a new string from a C string, nil for an empty or null one.
  HostStr(HOSTAPI* NewPascalString)(TIHostServices* self, const char* text);
  // Drops one reference (var Str), freeing the string at 0; a constant is left alone.
  void(HOSTAPI* FreePascalString)(TIHostServices* self, HostStr* str);
  void(HOSTAPI* ReferencePascalString)(TIHostServices* self, HostStr* str);
  void(HOSTAPI* AssignPascalString)(TIHostServices* self, HostStr* dest, HostStr* src);
  // Raises the host's exception with the message: control does NOT return to the caller
  // but unwinds to the host's own handler, which shows the message.
  void(HOSTAPI* RaiseException)(TIHostServices* self, HostStr message);
};

// ToolIntf.TIMainMenuIntf
struct TIMainMenuIntfVtbl {
  TInterfaceVtbl base;
  TIMenuItemIntf*(HOSTAPI* GetMenuItems)(TIMenuBarIntf* self);
  TIMenuItemIntf*(HOSTAPI* FindMenuItem)(TIMenuBarIntf* self, HostStr name);
};

// ToolIntf.TIMenuItemIntf. The client destroys every menu item it created.
struct TIMenuItemIntfVtbl {
  TInterfaceVtbl base;
  uint8_t(HOSTAPI* DestroyMenuItem)(TIMenuItemIntf* self);  // Boolean
  int32_t(HOSTAPI* GetIndex)(TIMenuItemIntf* self);
  Unused<slot::menu_item::kGetIndex + 1, slot::menu_item::kGetParent> items;
  TIMenuItemIntf*(HOSTAPI* GetParent)(TIMenuItemIntf* self);
  Unused<slot::menu_item::kGetParent + 1, slot::menu_item::kInsertItem> properties;
  // Caption, Name and Hint are value strings: the callee references them for the call.
  TIMenuItemIntf*(HOSTAPI* InsertItem)(TIMenuItemIntf* self, int32_t index, HostStr caption, HostStr name,
                                       HostStr hint, int32_t shortCut, int32_t context, int32_t groupIndex,
                                       TIMenuFlags flags, TIMenuClickEvent eventHandler);
};

// EditIntf.TIModuleInterface
struct TIModuleInterfaceVtbl {
  TInterfaceVtbl base;
  TIEditBufferIntf*(HOSTAPI* GetEditorInterface)(TISourceModuleIntf* self);
};

// EditIntf.TIEditorInterface. A reader and a writer are never alive at the same time.
struct TIEditorInterfaceVtbl {
  TInterfaceVtbl base;
  TIBufferReader*(HOSTAPI* CreateReader)(TIEditBufferIntf* self);
  TIBufferWriter*(HOSTAPI* CreateWriter)(TIEditBufferIntf* self);
};

// EditIntf.TIEditReader
struct TIEditReaderVtbl {
  TInterfaceVtbl base;
  int32_t(HOSTAPI* GetText)(TIBufferReader* self, int32_t position, char* buffer, int32_t count);
};

// EditIntf.TIEditWriter. Positions are those of the original text; the edits are in the
// buffer once the writer is released.
struct TIEditWriterVtbl {
  TInterfaceVtbl base;
  uint8_t(HOSTAPI* CopyTo)(TIBufferWriter* self, int32_t position);    // Boolean
  uint8_t(HOSTAPI* DeleteTo)(TIBufferWriter* self, int32_t position);  // Boolean
  uint8_t(HOSTAPI* Insert)(TIBufferWriter* self, const char* text);    // Boolean; a C string
};

// Every entry we use sits at its slot.
#define HOSTAPI_AT(table, entry, number) \
  static_assert(offsetof(table, entry) == (number) * sizeof(UnusedEntry), #table "::" #entry " is not at its slot")
HOSTAPI_AT(TInterfaceVtbl, AddRef, slot::kAddRef);
HOSTAPI_AT(TInterfaceVtbl, Release, slot::kRelease);
HOSTAPI_AT(TInterfaceVtbl, GetVersion, slot::kGetVersion);
HOSTAPI_AT(TIExpertVtbl, GetName, slot::expert::kGetName);
HOSTAPI_AT(TIExpertVtbl, GetAuthor, slot::expert::kGetAuthor);
HOSTAPI_AT(TIExpertVtbl, GetComment, slot::expert::kGetComment);
HOSTAPI_AT(TIExpertVtbl, GetPage, slot::expert::kGetPage);
HOSTAPI_AT(TIExpertVtbl, GetGlyph, slot::expert::kGetGlyph);
HOSTAPI_AT(TIExpertVtbl, GetStyle, slot::expert::kGetStyle);
HOSTAPI_AT(TIExpertVtbl, GetState, slot::expert::kGetState);
HOSTAPI_AT(TIExpertVtbl, GetIDString, slot::expert::kGetIDString);
HOSTAPI_AT(TIExpertVtbl, GetMenuText, slot::expert::kGetMenuText);
HOSTAPI_AT(TIExpertVtbl, Execute, slot::expert::kExecute);
static_assert(sizeof(TIExpertVtbl) == slot::expert::kCount * sizeof(UnusedEntry));
HOSTAPI_AT(TIToolServicesVtbl, GetParentHandle, slot::tool::kGetParentHandle);
HOSTAPI_AT(TIToolServicesVtbl, GetProjectName, slot::tool::kGetProjectName);
HOSTAPI_AT(TIToolServicesVtbl, GetModuleInterface, slot::tool::kGetModuleInterface);
HOSTAPI_AT(TIToolServicesVtbl, GetMainMenu, slot::tool::kGetMainMenu);
HOSTAPI_AT(TIToolServicesVtbl, NewPascalString, slot::tool::kNewPascalString);
HOSTAPI_AT(TIToolServicesVtbl, FreePascalString, slot::tool::kFreePascalString);
HOSTAPI_AT(TIToolServicesVtbl, ReferencePascalString, slot::tool::kReferencePascalString);
HOSTAPI_AT(TIToolServicesVtbl, AssignPascalString, slot::tool::kAssignPascalString);
HOSTAPI_AT(TIToolServicesVtbl, RaiseException, slot::tool::kRaiseException);
HOSTAPI_AT(TIMainMenuIntfVtbl, GetMenuItems, slot::main_menu::kGetMenuItems);
HOSTAPI_AT(TIMainMenuIntfVtbl, FindMenuItem, slot::main_menu::kFindMenuItem);
HOSTAPI_AT(TIMenuItemIntfVtbl, DestroyMenuItem, slot::menu_item::kDestroyMenuItem);
HOSTAPI_AT(TIMenuItemIntfVtbl, GetIndex, slot::menu_item::kGetIndex);
HOSTAPI_AT(TIMenuItemIntfVtbl, GetParent, slot::menu_item::kGetParent);
HOSTAPI_AT(TIMenuItemIntfVtbl, InsertItem, slot::menu_item::kInsertItem);
HOSTAPI_AT(TIModuleInterfaceVtbl, GetEditorInterface, slot::module::kGetEditorInterface);
HOSTAPI_AT(TIEditorInterfaceVtbl, CreateReader, slot::editor::kCreateReader);
HOSTAPI_AT(TIEditorInterfaceVtbl, CreateWriter, slot::editor::kCreateWriter);
HOSTAPI_AT(TIEditReaderVtbl, GetText, slot::reader::kGetText);
HOSTAPI_AT(TIEditWriterVtbl, CopyTo, slot::writer::kCopyTo);
HOSTAPI_AT(TIEditWriterVtbl, DeleteTo, slot::writer::kDeleteTo);
HOSTAPI_AT(TIEditWriterVtbl, Insert, slot::writer::kInsert);
#undef HOSTAPI_AT

}  // namespace hostapi
