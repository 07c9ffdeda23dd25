// Brings the project source into line with the "include version information" check box:
// inserts or removes the resource directive. One scan decides the edit; the host's editor
// buffer and a file on disk (the batch program) each apply it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/host_intf.h"
#include "base/ansi_path.h"

namespace editor {

struct SourceUpdate {
  enum class Outcome {
    NoSource,        // the host gave no module or editor buffer: nothing done
    Unchanged,       // the text already agrees with the check box, or the script path
                     // names no file, so there is nothing to link
    Inserted,        // CR LF and the directive inserted at `position`
    Removed,         // the directive at `position` removed
  };
  Outcome outcome = Outcome::NoSource;
  int32_t position = 0;
  int32_t charsRead = 0;
  size_t largestToken = 0;
};

// What bringing a project text into line does to it.
struct SourceEdit {
  enum class Kind { None, Insert, Remove };
  Kind kind = Kind::None;
  int32_t position = 0;
  std::string inserted;  // Insert: CR LF and the directive, put in at `position`
  int32_t removed = 0;   // Remove: the directive's length, taken out at `position`
  int32_t charsRead = 0;
  size_t largestToken = 0;
};

// Copies up to `count` bytes of the text from `position` on into `buffer` and returns how
// many; 0 or less at the end of the text.
using TextReader = std::function<int32_t(int32_t position, char* buffer, int32_t count)>;

// A script path that names no file would give "{$R .RES}", which breaks the next build:
// there is nothing to link then. Removing such a directive still goes ahead.
bool NothingToLink(bool include, const std::string& scriptPath, base::LeadByteTest lead);

// Scans the text through `read` in blocks and tells the edit; reads nothing when there is
// nothing to link.
SourceEdit PlanSourceEdit(bool include, const std::string& scriptPath, base::LeadByteTest lead,
                          const TextReader& read);

// The text is read in blocks. Every host object obtained is released exactly once, in
// reverse order, on every path; the text changes only through the writer, created after
// the reader is released.
SourceUpdate UpdateProjectSource(TIHostServices& services, bool include,
                                 const std::string& scriptPath, base::LeadByteTest lead);

}  // namespace editor
