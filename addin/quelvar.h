// TQuelvar: the add-in object the host holds. Its constructor inserts the menu command
// below the host's "EditObjectItem"; the command opens the editor window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "host/host_constants.h"
#include "host/host_intf.h"

class TQuelvar final : public TIExpert {
 public:
  TQuelvar();  // Create
  ~TQuelvar();

  int32_t HOSTAPI AddRef() override;
  int32_t HOSTAPI Release() override;
  int32_t HOSTAPI GetVersion() override;
  const char* HOSTAPI GetName() override;
  const char* HOSTAPI GetAuthor() override;
  const char* HOSTAPI GetComment() override;
  const char* HOSTAPI GetPage() override;
  void* HOSTAPI GetGlyph() override;
  uint8_t HOSTAPI GetStyle() override;
  uint8_t HOSTAPI GetState() override;
  const char* HOSTAPI GetIDString() override;
  const char* HOSTAPI GetMenuText() override;
  void HOSTAPI Execute() override;

  // The item the constructor inserted, or null.
  TIMenuItemIntf* EditVersionResource = nullptr;

  static void HOSTAPI EditVersionResourceClick(void* self, TIMenuItemIntf* sender);

 private:
  void InsertMenuCommand();
  const char* NotProvided();
  int32_t refCount_ = 1;
};

// What INITEXPERT0016 does: keeps the services object, makes the host's main window the
// owner of the add-in's windows and registers one TQuelvar. A second call, or a null
// services object, returns false and changes nothing. Never raises.
uint8_t InitExpert(TIHostServices* services, TExpertRegisterProc registerProc, TExpertTerminateProc* terminate);

// Hands the message of a failure to the host's ReportError; never raises.
void ReportException(const std::string& message);

// Creates the editor window for the host's project, owned by `owner`'s application, shows
// it modally and frees it once closed; `VerMainForm` points at it meanwhile.
void ShowEditorWindow(HWND owner, TIHostServices* services);

extern const char kMenuCaption[];     // "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ(&V)"
extern const char kNoProjectText[];   // "ﾌﾟﾛｼﾞｪｸﾄが開かれていません"
constexpr int32_t kMenuShortCut = hostapi::kShortCutShift | hostapi::kShortCutAlt | 'V';
constexpr uint8_t kMenuFlags = 6;
