#include "platform/script_file.h"

#include <windows.h>

#include "base/error.h"

namespace platform {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

void WriteScriptFile(const std::string& path, const std::string& text) {
  // CREATE_ALWAYS truncates only once the file is open, so a file that cannot be
  // opened for writing keeps its old text.
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) throw base::IoError(static_cast<int>(GetLastError()));
  DWORD written = 0;
  if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    throw base::IoError(static_cast<int>(GetLastError()));
  }
  if (written != text.size()) throw base::IoError(ERROR_DISK_FULL);
}

}  // namespace platform
