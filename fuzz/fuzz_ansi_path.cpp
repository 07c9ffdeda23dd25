// The path helpers over random byte strings in code page 932, a lead byte as the last
// byte included: the parts put together give the path back, and no separator is ever
// found in the second byte of a double-byte character.
#include <cstdint>
#include <string>

#include "base/ansi_path.h"
#include "editor/core/resource_directive.h"
#include "fuzz/fuzz_check.h"

namespace {

// Whether index i is the second byte of a double-byte character.
bool IsTrailByte(const std::string& s, size_t i) {
  for (size_t k = 0; k < s.size(); ++k) {
    if (base::IsCp932LeadByte(static_cast<unsigned char>(s[k])) && k + 1 < s.size()) {
      if (k + 1 == i) return true;
      ++k;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const auto lead = base::IsCp932LeadByte;
  const std::string dir = base::ExtractFileDir(path, lead);
  const std::string name = base::ExtractFileName(path, lead);
  FUZZ_CHECK(dir + name == path);
  if (!dir.empty()) {
    FUZZ_CHECK(dir.back() == '\\' || dir.back() == ':');
    FUZZ_CHECK(!IsTrailByte(path, dir.size() - 1));
  }
  const size_t sep = base::LastDelimiter(name, "\\:", lead);
  FUZZ_CHECK(sep == std::string::npos);
  const std::string bare = base::ChangeFileExt(path, "", lead);
  FUZZ_CHECK(path.compare(0, bare.size(), bare) == 0);
  FUZZ_CHECK(bare.size() >= dir.size());
  const std::string vri = base::VriFileName(path, lead);
  FUZZ_CHECK(vri == bare + ".vri");
  const std::string directive = editor::ResourceDirective(path, lead);
  FUZZ_CHECK(directive.compare(0, 4, "{$R ") == 0 && directive.back() == '}');
  FUZZ_CHECK(directive.size() <= 4 + 255 + 4 + 1);
  return 0;
}
