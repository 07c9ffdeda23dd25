#include "stamp/disk_source_file.h"

#include "base/error.h"

namespace stamp {
namespace {

using base::Error;
using base::FormatText;

std::string Because(DWORD code) { return base::IoErrorText(static_cast<int>(code)); }

bool InUse(DWORD code) { return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION; }

Error InUseError(const std::string& path) {
  return Error(FormatText("%s は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした", path));
}

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

void DiskSourceFile::Write(const char* bytes, size_t count) {
  if (newText_ == INVALID_HANDLE_VALUE) {
    // Beside the file, so that the swap is a rename within one folder.
    const std::string folder = base::ExtractFileDir(path_, lead_);
    char name[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "tlv", 0, name)) {
      throw Error(FormatText("%s に一時ﾌｧｲﾙを作れません: ", folder) + Because(GetLastError()));
    }
    newTextPath_ = name;
    newText_ = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (newText_ == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      DropNewText();
      throw Error(FormatText("%s に書き込めません: ", name) + Because(code));
    }
  }
  DWORD written = 0;
  if (!WriteFile(newText_, bytes, static_cast<DWORD>(count), &written, nullptr) || written != count) {
    const DWORD code = written != count && GetLastError() == NO_ERROR ? ERROR_DISK_FULL : GetLastError();
    throw Error(FormatText("%s に書き込めません: ", newTextPath_) + Because(code));
  }
}

void DiskSourceFile::Commit(const std::string& backup) {
  if (!CloseHandle(newText_)) {
    newText_ = INVALID_HANDLE_VALUE;
    throw Error(FormatText("%s に書き込めません: ", newTextPath_) + Because(GetLastError()));
  }
  newText_ = INVALID_HANDLE_VALUE;
  Close(file_);
  // Windows 95 has no call that replaces a file in one step: the old backup goes, the
  // file becomes the backup, and the new text takes its name, or the file comes back.
  if (GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(backup.c_str())) {
    throw Error(FormatText("前のﾊﾞｯｸｱｯﾌﾟ %s を削除できません: ", backup) + Because(GetLastError()));
  }
  if (!MoveFileA(path_.c_str(), backup.c_str())) {
    const DWORD code = GetLastError();
    if (InUse(code)) throw InUseError(path_);
    throw Error(FormatText("%s をﾊﾞｯｸｱｯﾌﾟにできません: ", path_) + Because(code));
  }
  if (!MoveFileA(newTextPath_.c_str(), path_.c_str())) {
    const DWORD code = GetLastError();
    MoveFileA(backup.c_str(), path_.c_str());
    throw Error(FormatText("%s を置き換えられません: ", path_) + Because(code));
  }
  newTextPath_.clear();
}

}  // namespace stamp
