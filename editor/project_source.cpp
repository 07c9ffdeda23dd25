#include "editor/project_source.h"

#include "addin/host_ref.h"
#include "editor/resource_directive.h"

namespace editor {

SourceUpdate UpdateProjectSource(TIHostServices& services, bool include,
                                 const std::string& scriptPath, base::LeadByteTest lead) {
  SourceUpdate result;
  const char* projectName = services.GetProjectFileName();
  const std::string project = projectName ? projectName : "";
  DirectiveScanner scanner(ResourceDirective(scriptPath, lead), include);

  HostRef<TISourceModuleIntf> module(services.OpenSourceModule(project.c_str()));
  if (!module) return result;
  HostRef<TIEditBufferIntf> buffer(module->GetEditBuffer());
  if (!buffer) return result;
  HostRef<TIBufferReader> reader(buffer->NewReader());
  if (!reader) return result;

  char c = 0;
  while (reader->ReadChars(scanner.counter(), &c, 1) == 1 && scanner.Feed(c)) {
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
