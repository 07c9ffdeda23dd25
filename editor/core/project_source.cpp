#include "editor/core/project_source.h"

#include <algorithm>
#include <array>

#include "host/host_ref.h"
#include "editor/core/resource_directive.h"

namespace editor {
namespace {

// One host call per block instead of per character; the scanner still takes byte by byte.
constexpr int32_t kReadBlock = 4096;

}  // namespace

bool NothingToLink(bool include, const std::string& scriptPath, base::LeadByteTest lead) {
  return include && base::ExtractFileName(scriptPath, lead).empty();
}

SourceEdit PlanSourceEdit(bool include, const std::string& scriptPath, base::LeadByteTest lead,
                          const TextReader& read) {
  SourceEdit edit;
  if (NothingToLink(include, scriptPath, lead)) return edit;
  DirectiveScanner scanner(ResourceDirective(scriptPath, lead), include, lead);
  std::array<char, kReadBlock> block;
  for (bool scanning = true; scanning;) {
    const int32_t count = std::min(read(scanner.counter(), block.data(), kReadBlock), kReadBlock);
    if (count <= 0) break;
    for (int32_t i = 0; i < count && scanning; ++i) scanning = scanner.Feed(block[i]);
  }
  edit.charsRead = scanner.counter();
  edit.largestToken = scanner.largestToken();
  if ((include && scanner.directiveFound()) || (!include && !scanner.point())) return edit;
  edit.position = scanner.point().value_or(scanner.counter());
  if (include) {
    edit.kind = SourceEdit::Kind::Insert;
    edit.inserted = "\r\n" + scanner.directive();
  } else {
    edit.kind = SourceEdit::Kind::Remove;
    edit.removed = static_cast<int32_t>(scanner.directive().size());
  }
  return edit;
}

SourceUpdate UpdateProjectSource(TIHostServices& services, bool include,
                                 const std::string& scriptPath, base::LeadByteTest lead) {
  SourceUpdate result;
  // Nothing of the host is opened when there is nothing to link.
  if (NothingToLink(include, scriptPath, lead)) {
    result.outcome = SourceUpdate::Outcome::Unchanged;
    return result;
  }
  using hostapi::Call;
  const char* projectName = Call([&] { return services.GetProjectFileName(); });
  const std::string project = projectName ? projectName : "";

  HostRef<TISourceModuleIntf> module(Call([&] { return services.OpenSourceModule(project.c_str()); }));
  if (!module) return result;
  HostRef<TIEditBufferIntf> buffer(Call([&] { return module->GetEditBuffer(); }));
  if (!buffer) return result;
  HostRef<TIBufferReader> reader(Call([&] { return buffer->NewReader(); }));
  if (!reader) return result;

  const auto read = [&reader](int32_t position, char* block, int32_t count) {
    return Call([&] { return reader->ReadChars(position, block, count); });
  };
  const SourceEdit edit = PlanSourceEdit(include, scriptPath, lead, read);
  result.charsRead = edit.charsRead;
  result.largestToken = edit.largestToken;
  if (edit.kind == SourceEdit::Kind::None) {
    result.outcome = SourceUpdate::Outcome::Unchanged;
    return result;
  }

  reader.reset();  // the reader and the writer never exist at the same time
  HostRef<TIBufferWriter> writer(Call([&] { return buffer->NewWriter(); }));
  if (!writer) return result;
  Call([&] { writer->KeepUpTo(edit.position); });
  if (edit.kind == SourceEdit::Kind::Insert) {
    Call([&] { writer->InsertText(edit.inserted.c_str()); });
    result.outcome = SourceUpdate::Outcome::Inserted;
  } else {
    Call([&] { writer->SkipUpTo(edit.position + edit.removed); });
    result.outcome = SourceUpdate::Outcome::Removed;
  }
  result.position = edit.position;
  return result;
}

}  // namespace editor
