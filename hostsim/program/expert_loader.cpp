#include "hostsim/program/expert_loader.h"

#include "hostsim/foreign_call.h"

namespace {

const char kExpertsKey[] = "Software\\Borland\\Delphi\\2.0\\Experts";

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

void ExpertLoader::LoadAll(void (*log)(const std::string&)) {
  for (const std::string& path : ListedLibraries()) {
    Library library;
    library.path = path;
    library.module = LoadLibraryA(path.c_str());
    if (!library.module) {
      log("cannot load " + path);
      libraries_.push_back(library);
      continue;
    }
    void* entry = reinterpret_cast<void*>(GetProcAddress(library.module, "INITEXPERT0016"));
    if (!entry) {
      log("no INITEXPERT0016 in " + path);
    } else {
      library.initialised = host_.InitExpert(entry) != 0;
      library.terminate = host_.terminateProc();
      log("loaded " + path + ": INITEXPERT0016 returned " + (library.initialised ? "1" : "0"));
    }
    libraries_.push_back(library);
  }
}

void ExpertLoader::UnloadAll() {
  for (Library& library : libraries_) {
    if (!library.terminate) continue;  // the add-in leaves the slot untouched
    host_.CallAddIn([&] { hostsim::CallRegister(host_, "the termination procedure", library.terminate, 0, 0); });
  }
  host_.ReleaseExperts();
  for (Library& library : libraries_) {
    if (library.module) FreeLibrary(library.module);
  }
  libraries_.clear();
}
