#include "editor/adapters/host_compiler.h"

#include <windows.h>

#include "platform/registry.h"

namespace editor {

std::string HostCompilerPath(base::LeadByteTest lead) {
  platform::RegistryKey key(HKEY_LOCAL_MACHINE);
  if (!key.Open("Software\\Borland\\Delphi\\2.0")) return "";
  return base::ExtractFileDir(key.ReadString("Delphi 2.0"), lead) + "brc32.exe";
}

}  // namespace editor
