// The project source's new text written and put in the file's place over the few file
// calls Windows 95 has (no call replaces a file in one step: only renames, deletes and
// copies), kept apart from the handles so that every failure can be tested.
#pragma once
#include <cstddef>
#include <string>

#include "base/error.h"

namespace stamp {

// The calls, each false on a failure; LastError then gives the system's error code.
class FileCalls {
 public:
  virtual ~FileCalls() = default;
  // Writes to the new text's open file; `written` gets the bytes it took.
  virtual bool WriteNewText(const char* bytes, size_t count, size_t& written) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Fails when a file has the name `to`.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // A name beside the source file that no file has; empty on a failure.
  virtual std::string UnusedName() = 0;
  virtual unsigned long LastError() = 0;
};

// Whether the system's error code says that another program holds the file.
bool InUse(unsigned long code);
base::Error InUseError(const std::string& path);

// Appends `count` bytes to the new text, the file `newText`. Raises base::Error.
void WriteNewText(FileCalls& calls, const std::string& newText, const char* bytes, size_t count);

struct SwapNames {
  std::string file;
  std::string newText;  // complete and closed
  std::string backup;
};

// The file's text becomes `backup` and the new text takes the file's name. An older
// backup is renamed aside and deleted only once the new text is in place. On a failure
// every text gets its name back, the new text goes, and the message says why; a text that
// cannot get its name back is kept, and the message names the file that holds it.
void SwapInNewText(FileCalls& calls, const SwapNames& names);

}  // namespace stamp
