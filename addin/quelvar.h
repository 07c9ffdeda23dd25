// TQuelvar: the add-in object the host holds. Its constructor inserts the menu command
// below the host's "EditObjectItem"; the command opens the editor window. The host calls
// it only through its table (TIExpertVtbl), built in quelvar.cpp.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "host/host_constants.h"
#include "host/host_intf.h"

class TQuelvar final : public TIExpert {
 public:
  TQuelvar();  // Create: the reference count 1, the menu command inserted

  std::string GetName() const;
  uint8_t GetStyle() const { return esAddIn; }
  uint8_t GetState() const { return esEnabled; }
  std::string GetIDString() const;
  void Execute();

  // The item the constructor inserted, or null.
  TIMenuItemIntf* EditVersionResource = nullptr;

  // The menu item's click event (the host's register convention): calls Execute through
  // the object's table. `self` is the event's data, this object.
  static void HOSTREGISTER EditVersionResourceClick(void* self, TIMenuItemIntf* sender);

 private:
  friend struct QuelvarEntries;
  ~TQuelvar() = default;
  void InsertMenuCommand();
  // What the host's last release ends: the command taken out of the menu, the item given
  // back. The host's units make a client destroy every menu item it created.
  void RemoveMenuCommand();

  int32_t refCount_ = 1;
};

// What INITEXPERT0016 does: keeps the services object, makes the host's main window the
// owner of the add-in's windows and registers one TQuelvar. A second call, or a null
// services object, returns false and changes nothing. A failure goes to the host's
// ReportError last; where that returns, the result is true.
uint8_t InitExpert(TIHostServices* services, TExpertRegisterProc registerProc, TExpertTerminateProc* terminate);

// Creates the editor window for the host's project, owned by `owner`'s application, shows
// it modally and frees it once closed; `VerMainForm` points at it meanwhile.
void ShowEditorWindow(HWND owner, TIHostServices* services);

extern const char kMenuCaption[];     // "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ(&V)"
extern const char kNoProjectText[];   // "ﾌﾟﾛｼﾞｪｸﾄが開かれていません"
constexpr int32_t kMenuShortCut = hostapi::kShortCutShift | hostapi::kShortCutAlt | 'V';
constexpr uint8_t kMenuFlags = 6;
