// The project source on disk, for the batch program's directive update: held from opening
// on, the new text written to a temporary file beside it and swapped in by renaming.
#pragma once
#include <windows.h>

#include <string>

#include "stamp/source_swap.h"
#include "stamp/stamp.h"

namespace stamp {

class DiskSourceFile final : public SourceFile, private FileCalls {
 public:
  // Raises when the file is read-only, held by another program or cannot be opened.
  DiskSourceFile(std::string path, base::LeadByteTest lead);
  ~DiskSourceFile() override;
  DiskSourceFile(const DiskSourceFile&) = delete;
  DiskSourceFile& operator=(const DiskSourceFile&) = delete;

  int32_t Read(int32_t position, char* buffer, int32_t count) override;
  void Write(const char* bytes, size_t count) override;
  void Commit(const std::string& backup) override;

 private:
  bool WriteNewText(const char* bytes, size_t count, size_t& written) override;
  bool Exists(const std::string& path) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  std::string UnusedName() override;
  unsigned long LastError() override;

  // A new file named by the system in the source's folder; empty on a failure.
  std::string TemporaryName();
  void DropNewText();

  std::string path_;
  base::LeadByteTest lead_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::string newTextPath_;
  HANDLE newText_ = INVALID_HANDLE_VALUE;
};

}  // namespace stamp
