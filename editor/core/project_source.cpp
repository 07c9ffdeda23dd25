#include "editor/core/project_source.h"

#include <algorithm>
#include <array>

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

}  // namespace editor
