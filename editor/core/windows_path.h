// Paths as Windows reads them when a file is opened, so that two texts can be told to
// name the same file without asking the file system.
#pragma once
#include <string>
#include <string_view>

#include "base/ansi_path.h"

namespace editor {

// The absolute path Windows opens for `path`: a relative path (also one relative to a
// drive's root or to a drive's current folder) resolved against `currentDirectory`; '/'
// read as '\'; repeated separators, "." and ".." removed; a name's one trailing period and
// the path's trailing periods and blanks dropped; the default data stream "::$DATA"
// dropped. A "\\?\" path is taken literally. Double-byte characters are stepped over whole.
std::string FullWindowsPath(std::string_view path, std::string_view currentDirectory, base::LeadByteTest lead);

// Whether two full paths are the same text as Windows compares file names: 'a' to 'z'
// match 'A' to 'Z'; every other byte, and both bytes of a double-byte character, match
// only themselves.
bool SameWindowsPath(std::string_view a, std::string_view b, base::LeadByteTest lead);

// Whether writing a file at `path` would overwrite `existingFile`, both resolved against
// `currentDirectory`. Short (8.3) names and links are not seen through.
bool NamesSameFile(std::string_view path, std::string_view existingFile, std::string_view currentDirectory,
                   base::LeadByteTest lead);

}  // namespace editor
