// Brings the project source in the host's editor buffer into line with the "include
// version information" check box: inserts or removes the resource directive.
#pragma once
#include <cstdint>
#include <string>

#include "addin/host_intf.h"
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

// The text is read in blocks. Every host object obtained is released exactly once, in
// reverse order, on every path; the text changes only through the writer, created after
// the reader is released.
SourceUpdate UpdateProjectSource(TIHostServices& services, bool include,
                                 const std::string& scriptPath, base::LeadByteTest lead);

}  // namespace editor
