#include "hostsim/program/expert_loader.h"

namespace {

const char kExpertsKey[] = "Software\\Borland\\Delphi\\2.0\\Experts";

using InitExpert = uint8_t(__stdcall*)(TIHostServices*, TExpertRegisterProc, TExpertTerminateProc*);

uint8_t __stdcall RegisterExpert(TIExpert* expert) {
  if (!expert) return 0;
  ExpertLoader::Registered().push_back(expert);  // the host holds the reference it was given
  return 1;
}

std::vector<std::string> ListedLibraries() {
  std::vector<std::string> paths;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kExpertsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return paths;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    BYTE data[MAX_PATH + 1] = {};
    DWORD dataSize = MAX_PATH;
    DWORD type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    if (type == REG_SZ) paths.emplace_back(reinterpret_cast<char*>(data));
  }
  RegCloseKey(key);
  return paths;
}

}  // namespace

std::vector<TIExpert*>& ExpertLoader::Registered() {
  static std::vector<TIExpert*> experts;
  return experts;
}

void ExpertLoader::LoadAll(TIHostServices* services, void (*log)(const std::string&)) {
  for (const std::string& path : ListedLibraries()) {
    Library library;
    library.path = path;
    library.module = LoadLibraryA(path.c_str());
    if (!library.module) {
      log("cannot load " + path);
      libraries_.push_back(library);
      continue;
    }
    auto init = reinterpret_cast<InitExpert>(reinterpret_cast<void (*)()>(GetProcAddress(library.module, "INITEXPERT0016")));
    if (!init) {
      log("no INITEXPERT0016 in " + path);
    } else {
      library.initialised = init(services, &RegisterExpert, &library.terminate) != 0;
      log("loaded " + path + ": INITEXPERT0016 returned " + (library.initialised ? "1" : "0"));
    }
    libraries_.push_back(library);
  }
}

void ExpertLoader::UnloadAll() {
  for (Library& library : libraries_) {
    if (library.terminate) library.terminate();
  }
  for (TIExpert* expert : Registered()) expert->Release();
  Registered().clear();
  for (Library& library : libraries_) {
    if (library.module) FreeLibrary(library.module);
  }
  libraries_.clear();
}
