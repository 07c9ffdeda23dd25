// Build tool: writes the version script of a VRI file, byte for byte as the editor
// window's Compile writes it for the same settings. It gives our own binaries their
// version information, and runs on the build machine.
// Usage: vrigen VRI-FILE SCRIPT-FILE
#include <cstdio>
#include <exception>
#include <fstream>

#include "base/ansi_path.h"
#include "editor/core/ini_text.h"
#include "editor/core/memory_settings_view.h"
#include "editor/core/version_script.h"
#include "editor/core/vri_settings.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: vrigen VRI-FILE SCRIPT-FILE\n", stderr);
    return 1;
  }
  try {
    editor::IniText ini = editor::IniText::Load(argv[1]);
    editor::MemorySettingsView view;
    // The VRI files are code page 932 text, whatever the build machine's locale.
    editor::LoadSettings(ini, view, argv[1], base::IsCp932LeadByte);
    const std::string script = editor::VersionScriptText(editor::ReadSettings(view));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    if (!(out << script) || !out.flush()) {
      std::fprintf(stderr, "vrigen: cannot write %s\n", argv[2]);
      return 2;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vrigen: %s\n", e.what());
    return 2;
  }
  return 0;
}
