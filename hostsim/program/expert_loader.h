// Loads the add-in libraries listed under the host's Experts key, as the host IDE does.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "hostsim/host.h"

class ExpertLoader {
 public:
  struct Library {
    std::string path;
    HMODULE module = nullptr;
    bool initialised = false;
    void* terminate = nullptr;  // the termination slot as the entry left it
  };

  explicit ExpertLoader(hostsim::Host& host) : host_(host) {}

  // Calls INITEXPERT0016 of every library listed; `log` hears what happened.
  void LoadAll(void (*log)(const std::string&));
  // Calls the termination procedures, releases the add-in objects, unloads the libraries.
  void UnloadAll();

  const std::vector<Library>& libraries() const { return libraries_; }

 private:
  hostsim::Host& host_;
  std::vector<Library> libraries_;
};
