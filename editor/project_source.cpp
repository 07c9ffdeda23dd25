#include "editor/project_source.h"

#include <algorithm>
#include <array>

#include "addin/host_ref.h"
#include "editor/resource_directive.h"

namespace editor {
namespace {

// One host call per block instead of per character; the scanner still takes byte by byte.
constexpr int32_t kReadBlock = 4096;

}  // namespace

SourceUpdate UpdateProjectSource(TIHostServices& services, bool include,
                                 const std::string& scriptPath, base::LeadByteTest lead) {
  SourceUpdate result;
  // A script path that names no file would give "{$R .RES}", which breaks the next build:
  // there is nothing to link then. Removing such a directive still goes ahead.
  if (include && base::ExtractFileName(scriptPath, lead).empty()) {
    result.outcome = SourceUpdate::Outcome::Unchanged;
    return result;
  }
  const char* projectName = services.GetProjectFileName();
  const std::string project = projectName ? projectName : "";
  DirectiveScanner scanner(ResourceDirective(scriptPath, lead), include, lead);

  HostRef<TISourceModuleIntf> module(services.OpenSourceModule(project.c_str()));
  if (!module) return result;
  HostRef<TIEditBufferIntf> buffer(module->GetEditBuffer());
  if (!buffer) return result;
  HostRef<TIBufferReader> reader(buffer->NewReader());
  if (!reader) return result;

  std::array<char, kReadBlock> block;
  for (bool scanning = true; scanning;) {
    const int32_t read = std::min(reader->ReadChars(scanner.counter(), block.data(), kReadBlock), kReadBlock);
    if (read <= 0) break;
    for (int32_t i = 0; i < read && scanning; ++i) scanning = scanner.Feed(block[i]);
  }
  result.charsRead = scanner.counter();
  result.largestToken = scanner.largestToken();
  if ((include && scanner.directiveFound()) || (!include && !scanner.point())) {
    result.outcome = SourceUpdate::Outcome::Unchanged;
    return result;
  }

  const int32_t point = scanner.point().value_or(scanner.counter());
  reader.reset();  // the reader and the writer never exist at the same time
  HostRef<TIBufferWriter> writer(buffer->NewWriter());
  if (!writer) return result;
  writer->KeepUpTo(point);
  const std::string& directive = scanner.directive();
  if (include) {
    writer->InsertText(("\r\n" + directive).c_str());
  } else {
    writer->SkipUpTo(point + static_cast<int32_t>(directive.size()));
  }
  result.outcome = include ? SourceUpdate::Outcome::Inserted : SourceUpdate::Outcome::Removed;
  result.position = point;
  return result;
}

}  // namespace editor
