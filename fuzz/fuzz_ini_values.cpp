// Loading settings from an INI file of any content ("key=value" lines, NUL bytes
// included): the controls always end with values they can hold.
#include <cstdint>
#include <string>

#include "base/int_text.h"
#include "editor/core/vri_settings.h"
#include "fuzz/fuzz_check.h"
#include "tests/support/memory_ini.h"
#include "editor/core/memory_settings_view.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  testsupport::MemoryIniFile ini;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) ini.Set(line.substr(0, eq), line.substr(eq + 1));
    start = end + 1;
  }
  editor::MemorySettingsView view;
  view.SetScriptPath("C:\\Work\\Version.rc");
  editor::LoadSettings(ini, view, "C:\\Work\\Sample.dpr", base::IsCp932LeadByte);
  for (int i = 0; i < editor::kSpinBoxCount; ++i) {
    const auto v = base::ParseIntText(view.SpinText(i));
    FUZZ_CHECK(v && *v >= 0 && *v <= 255);
  }
  for (auto field : {editor::ListField::FileType, editor::ListField::Translation}) {
    const int32_t index = view.ItemIndex(field);
    FUZZ_CHECK(index >= -1 && index < editor::ListCount(field));
  }
  FUZZ_CHECK(view.Text(editor::TextField::Comment).size() <= 1023);
  testsupport::MemoryIniFile saved;
  editor::SaveSettings(saved, view);  // whatever was loaded can be saved
  FUZZ_CHECK(saved.written().size() == 16);
  return 0;
}
