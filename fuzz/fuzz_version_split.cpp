// Splitting any text into the four boxes: every box ends within 0 to 255, boxes are set
// from the first on without gaps, and the first box follows the text before the comma.
#include <cstdint>
#include <string>

#include "base/int_text.h"
#include "editor/core/vri_settings.h"
#include "fuzz/fuzz_check.h"
#include "editor/core/memory_settings_view.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  editor::MemorySettingsView view;
  for (int i = 0; i < 4; ++i) view.TypeSpin(i, "x");  // a mark that no split can produce
  editor::SplitVersion(text, view, 0);
  bool unset = false;
  for (int i = 0; i < 4; ++i) {
    const std::string box = view.SpinText(i);
    if (box == "x") {
      unset = true;
      continue;
    }
    FUZZ_CHECK(!unset);  // no box is set after one that was left
    const auto v = base::ParseIntText(box);
    FUZZ_CHECK(v && *v >= 0 && *v <= 255 && std::to_string(*v) == box);
  }
  const size_t comma = text.find(',');
  const auto first = base::ParseIntText(comma == std::string::npos ? std::string() : text.substr(0, comma));
  FUZZ_CHECK(first.has_value() == (view.SpinText(0) != "x"));
  return 0;
}
