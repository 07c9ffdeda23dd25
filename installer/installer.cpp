#include "installer/installer.h"

#include <windows.h>

#include <cstdio>

#include "installer/install_path.h"
#include "platform/lead_byte.h"
#include "platform/registry.h"

const char kExpertsKey[] = "Software\\Borland\\Delphi\\2.0\\Experts";
const char kExpertValue[] = "Quelvar";
const char kNotInstalledText[] = "Delphi2.0がインストールされていません";

int RunInstaller(const std::string& programPath, const std::function<void(const char*)>& showError) {
  const std::string library = LibraryPathFor(programPath, platform::IsSystemLeadByte);
  platform::RegistryKey registry(HKEY_CURRENT_USER);
  const bool keyExists = registry.Open(kExpertsKey);
  registry.Close();
  if (!keyExists) {
    showError(kNotInstalledText);
    return 0;
  }
  registry.Open(kExpertsKey);  // a failure shows as the failed write below
  registry.WriteString(kExpertValue, library);
  registry.Close();
  return 0;
}

int ReportFatal(const std::string& kind, const std::string& message) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const char* name = module;
  for (const char* p = module; *p; ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
      ++p;
    } else if (*p == '\\' || *p == ':') {
      name = p + 1;
    }
  }
  char text[1024];
  std::snprintf(text, sizeof text, "例外 %s (ﾓｼﾞｭｰﾙ %s, ｱﾄﾞﾚｽ %p)\r\n%s", kind.c_str(), name,
                reinterpret_cast<void*>(&RunInstaller), message.c_str());
  MessageBoxA(nullptr, text, "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return 1;
}
