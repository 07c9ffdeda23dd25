// Where each operation sits in the host's tables, counted from 0: every slot number once.
//
// Source: the host's add-in units VirtIntf, ExptIntf, ToolIntf and EditIntf as published
// in the repository earthsiege2/borland-cpp-ide, folder SOURCE/ToolsAPI, commit a0bdb214.
// They are of a later version of the IDE (its entry point is INITEXPERT0017); Delphi 2.0's
// own units were not found. TIExpert's slots agree with the add-in object's table we were given;
// the others are assumed unchanged since 2.0 (a host emulation of 1997 declares slots 3 to
// 41 of TIToolServices unconditionally and the later ones only for Delphi 3). Correct a
// number here and every table follows: the tables in host_vtbl.h are checked against it.
#pragma once

namespace hostapi::slot {

// VirtIntf.TInterface: the first three slots of every host and add-in object.
constexpr int kAddRef = 0;
constexpr int kRelease = 1;
constexpr int kGetVersion = 2;
constexpr int kFirstOwn = 3;  // where each interface's own operations begin

// ExptIntf.TIExpert: the add-in object, our table.
namespace expert {
constexpr int kGetName = 3;
constexpr int kGetAuthor = 4;
constexpr int kGetComment = 5;
constexpr int kGetPage = 6;
constexpr int kGetGlyph = 7;
constexpr int kGetStyle = 8;
constexpr int kGetState = 9;
constexpr int kGetIDString = 10;
constexpr int kGetMenuText = 11;
constexpr int kExecute = 12;
constexpr int kCount = 13;
}  // namespace expert

// ToolIntf.TIToolServices (our TIHostServices). Slots 3 to 13 are its actions (CloseProject
// to CreateModuleEx), 16 to 30 units, forms, components and file systems, 32
// GetFormModuleInterface, 34 and 35 AddNotifier and RemoveNotifier: none of them ours.
namespace tool {
constexpr int kGetParentHandle = 14;     // our GetHostWindow
constexpr int kGetProjectName = 15;      // our GetProjectFileName
constexpr int kGetModuleInterface = 31;  // our OpenSourceModule
constexpr int kGetMainMenu = 33;         // our GetMenuBar
constexpr int kNewPascalString = 36;
constexpr int kFreePascalString = 37;
constexpr int kReferencePascalString = 38;
constexpr int kAssignPascalString = 39;
constexpr int kRaiseException = 40;  // our ReportError
}  // namespace tool

// ToolIntf.TIMainMenuIntf (our TIMenuBarIntf).
namespace main_menu {
constexpr int kGetMenuItems = 3;  // our GetTopItems
constexpr int kFindMenuItem = 4;  // our FindItemByName
}  // namespace main_menu

// ToolIntf.TIMenuItemIntf. Slots 5 to 7 are GetItemCount, GetItem and GetName; 9 to 22 the
// caption, shortcut, flags, group index, hint, context and click event, each get and set.
namespace menu_item {
constexpr int kDestroyMenuItem = 3;
constexpr int kGetIndex = 4;     // our GetPosition
constexpr int kGetParent = 8;    // our GetOwnerItem
constexpr int kInsertItem = 23;  // our InsertChild
}  // namespace menu_item

// EditIntf.TIModuleInterface (our TISourceModuleIntf).
namespace module {
constexpr int kGetEditorInterface = 3;  // our GetEditBuffer
}

// EditIntf.TIEditorInterface (our TIEditBufferIntf).
namespace editor {
constexpr int kCreateReader = 3;  // our NewReader
constexpr int kCreateWriter = 4;  // our NewWriter
}  // namespace editor

// EditIntf.TIEditReader (our TIBufferReader).
namespace reader {
constexpr int kGetText = 3;  // our ReadChars
}

// EditIntf.TIEditWriter (our TIBufferWriter).
namespace writer {
constexpr int kCopyTo = 3;    // our KeepUpTo
constexpr int kDeleteTo = 4;  // our SkipUpTo
constexpr int kInsert = 5;    // our InsertText
}  // namespace writer

}  // namespace hostapi::slot
