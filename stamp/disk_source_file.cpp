#include "stamp/disk_source_file.h"

#include "base/error.h"

namespace stamp {
namespace {

using base::Error;
using base::FormatText;

std::string Because(DWORD code) { return base::IoErrorText(static_cast<int>(code)); }

void Close(HANDLE& handle) {
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  handle = INVALID_HANDLE_VALUE;
}

}  // namespace

DiskSourceFile::DiskSourceFile(std::string path, base::LeadByteTest lead) : path_(std::move(path)), lead_(lead) {
  const DWORD attributes = GetFileAttributesA(path_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    throw Error(FormatText("%s は読み取り専用です。変更しませんでした", path_));
  }
  // Opened for writing though only read, so that a file another program holds is found
  // now, before anything is written; until the swap no other program may write it.
  file_ = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (InUse(code)) throw InUseError(path_);
    throw Error(FormatText("%s を開けません: ", path_) + Because(code));
  }
}

DiskSourceFile::~DiskSourceFile() {
  Close(file_);
  DropNewText();
}

void DiskSourceFile::DropNewText() {
  Close(newText_);
  if (!newTextPath_.empty()) DeleteFileA(newTextPath_.c_str());
  newTextPath_.clear();
}

int32_t DiskSourceFile::Read(int32_t position, char* buffer, int32_t count) {
  DWORD read = 0;
  if (SetFilePointer(file_, position, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
      !ReadFile(file_, buffer, static_cast<DWORD>(count), &read, nullptr)) {
    const DWORD code = GetLastError();
    if (InUse(code)) throw InUseError(path_);
    throw Error(FormatText("%s を読めません: ", path_) + Because(code));
  }
  return static_cast<int32_t>(read);
}

std::string DiskSourceFile::TemporaryName() {
  // Beside the file, so that the swap is a rename within one folder.
  const std::string folder = base::ExtractFileDir(path_, lead_);
  char name[MAX_PATH] = {};
  if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "tlv", 0, name)) return "";
  return name;
}

void DiskSourceFile::Write(const char* bytes, size_t count) {
  if (newText_ == INVALID_HANDLE_VALUE) {
    newTextPath_ = TemporaryName();
    if (newTextPath_.empty()) {
      const DWORD code = GetLastError();
      throw Error(FormatText("%s に一時ﾌｧｲﾙを作れません: ", base::ExtractFileDir(path_, lead_)) + Because(code));
    }
    newText_ = CreateFileA(newTextPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (newText_ == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      const std::string name = newTextPath_;
      DropNewText();
      throw Error(FormatText("%s に書き込めません: ", name) + Because(code));
    }
  }
  stamp::WriteNewText(*this, newTextPath_, bytes, count);
}

void DiskSourceFile::Commit(const std::string& backup) {
  if (!CloseHandle(newText_)) {
    newText_ = INVALID_HANDLE_VALUE;
    throw Error(FormatText("%s に書き込めません: ", newTextPath_) + Because(GetLastError()));
  }
  newText_ = INVALID_HANDLE_VALUE;
  Close(file_);
  std::string newText;
  newText.swap(newTextPath_);  // from here on the swap keeps or deletes it
  SwapInNewText(*this, {path_, newText, backup});
}

bool DiskSourceFile::WriteNewText(const char* bytes, size_t count, size_t& written) {
  DWORD took = 0;
  const BOOL done = WriteFile(newText_, bytes, static_cast<DWORD>(count), &took, nullptr);
  written = took;
  return done;
}

bool DiskSourceFile::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DiskSourceFile::Move(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str());
}

bool DiskSourceFile::Delete(const std::string& path) { return DeleteFileA(path.c_str()); }

std::string DiskSourceFile::UnusedName() {
  // The system makes the file to keep its name unique; the rename needs the name free.
  const std::string name = TemporaryName();
  return name.empty() || !DeleteFileA(name.c_str()) ? "" : name;
}

unsigned long DiskSourceFile::LastError() { return GetLastError(); }

}  // namespace stamp
