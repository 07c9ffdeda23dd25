// The project source update over random texts: the text outside the directive stays as
// it was, at most one directive is added or removed, and every host object is released.
// The first input byte chooses include; the next bytes up to a NUL are the script path.
#include <cstdint>
#include <string>

#include "editor/core/project_source.h"
#include "editor/core/resource_directive.h"
#include "fuzz/fuzz_check.h"
#include "hostsim/host.h"

namespace {

std::string Upper(const std::string& s) { return editor::UpperAscii(s, base::IsCp932LeadByte); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool include = data[0] & 1;
  std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string script = "C:\\Work\\Version.rc";
  if (data[0] & 2) {
    const size_t nul = rest.find('\0');
    script = rest.substr(0, std::min<size_t>(nul, 64));
    rest = nul == std::string::npos ? std::string() : rest.substr(nul + 1);
  }
  hostsim::Host host;
  host.projectFileName = "C:\\Work\\Sample.dpr";
  host.OpenModule(host.projectFileName, rest);
  const auto result = editor::UpdateProjectSource(*host.services(), include, script, base::IsCp932LeadByte);
  const std::string after = host.FindModule(host.projectFileName)->text;
  const std::string directive = editor::ResourceDirective(script, base::IsCp932LeadByte);
  FUZZ_CHECK(host.Problems().empty());
  FUZZ_CHECK(!host.FindModule(host.projectFileName)->readerAndWriterAtOnce);
  using O = editor::SourceUpdate::Outcome;
  const size_t p = static_cast<size_t>(result.position);
  switch (result.outcome) {
    case O::Inserted:
      FUZZ_CHECK(include);
      FUZZ_CHECK(after == rest.substr(0, p) + "\r\n" + directive + rest.substr(p));
      break;
    case O::Removed:
      FUZZ_CHECK(!include);
      FUZZ_CHECK(Upper(rest.substr(p, directive.size())) == directive);
      FUZZ_CHECK(after == rest.substr(0, p) + rest.substr(p + directive.size()));
      break;
    case O::Unchanged:
      FUZZ_CHECK(after == rest);
      break;
    case O::NoSource:
      FUZZ_CHECK(false);
  }
  // Checked and unchanged means the directive is there, unless the script path names no
  // file: then nothing is ever added.
  const bool namesFile = !base::ExtractFileName(script, base::IsCp932LeadByte).empty();
  if (include && !namesFile) FUZZ_CHECK(result.outcome == O::Unchanged);
  if (include && namesFile && result.outcome == O::Unchanged) {
    FUZZ_CHECK(Upper(rest).find(directive) != std::string::npos);
  }
  return 0;
}
