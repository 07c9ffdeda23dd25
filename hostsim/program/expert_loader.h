// Loads the add-in libraries listed under the host's Experts key, as the host IDE does.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "host/host_intf.h"

class ExpertLoader {
 public:
  struct Library {
    std::string path;
    HMODULE module = nullptr;
    bool initialised = false;
    TExpertTerminateProc terminate = nullptr;
  };

  // Calls INITEXPERT0016 of every library listed; `log` hears what happened.
  void LoadAll(TIHostServices* services, void (*log)(const std::string&));
  // Calls the termination procedures, releases the add-in objects, unloads the libraries.
  void UnloadAll();

  const std::vector<Library>& libraries() const { return libraries_; }
  static std::vector<TIExpert*>& Registered();

 private:
  std::vector<Library> libraries_;
};
