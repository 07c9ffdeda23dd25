// The update through the host's editor buffer, apart from the scan so that the batch
// program, which edits a file, links nothing of the host.
#include "base/error.h"
#include "editor/core/project_source.h"
#include "host/host_ref.h"

namespace editor {
namespace {

// The writer answers whether it did what it was asked; a refusal ends the update as any
// failure of the host does, instead of being taken for the edit made.
void Refused(bool done) {
  if (!done) throw base::Error("ﾌﾟﾛｼﾞｪｸﾄのｿｰｽを変更できません");
}

}  // namespace

SourceUpdate UpdateProjectSource(TIHostServices& services, bool include,
                                 const std::string& scriptPath, base::LeadByteTest lead) {
  SourceUpdate result;
  // Nothing of the host is opened when there is nothing to link.
  if (NothingToLink(include, scriptPath, lead)) {
    result.outcome = SourceUpdate::Outcome::Unchanged;
    return result;
  }
  const std::string project = services.GetProjectFileName();
  HostRef<TISourceModuleIntf> module(services.OpenSourceModule(project));
  if (!module) return result;
  HostRef<TIEditBufferIntf> buffer(module->GetEditBuffer());
  if (!buffer) return result;
  HostRef<TIBufferReader> reader(buffer->NewReader());
  if (!reader) return result;

  const auto read = [&reader](int32_t position, char* block, int32_t count) {
    return reader->ReadChars(position, block, count);
  };
  const SourceEdit edit = PlanSourceEdit(include, scriptPath, lead, read);
  result.charsRead = edit.charsRead;
  result.largestToken = edit.largestToken;
  if (edit.kind == SourceEdit::Kind::None) {
    result.outcome = SourceUpdate::Outcome::Unchanged;
    return result;
  }

  reader.reset();  // the reader and the writer never exist at the same time
  HostRef<TIBufferWriter> writer(buffer->NewWriter());
  if (!writer) return result;
  Refused(writer->KeepUpTo(edit.position));
  if (edit.kind == SourceEdit::Kind::Insert) {
    Refused(writer->InsertText(edit.inserted));
  } else {
    Refused(writer->SkipUpTo(edit.position + edit.removed));
  }
  writer.ReleaseNow();  // the edits go into the text here: a failure is the update's
  result.outcome = edit.kind == SourceEdit::Kind::Insert ? SourceUpdate::Outcome::Inserted : SourceUpdate::Outcome::Removed;
  result.position = edit.position;
  return result;
}

}  // namespace editor
