#include "installer/installer.h"

#include <string_view>

#include "base/ansi_path.h"
#include "installer/install_path.h"
#include "platform/lead_byte.h"

const char kExpertsKey[] = "Software\\Borland\\Delphi\\2.0\\Experts";
const char kExpertValue[] = "Quelvar";
const char kNotInstalledText[] = "Delphi2.0がインストールされていません";
const char kLibraryMissingFormat[] =
    "Tallowin.dll が見つかりません:\r\n%s\r\n\r\n"
    "アーカイブのファイルをすべて同じフォルダに展開してから、そのフォルダの Setup.exe を実行してください。";
const char kPathTooLongText[] =
    "Setup.exe のパスが長すぎます。パスの短いフォルダに置いてから実行してください。";

namespace {

const char kRegistryKind[] = "ERegistryException";
const char kSetFailedText[] = "'Quelvar' の設定に失敗しました";
const char kErrorCaption[] = "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ";

// The third parameter is where the failure was raised from, as the run-time shows it.
[[noreturn]] __attribute__((noinline)) void RaiseRegistryError() {
  const ULONG_PTR arguments[] = {reinterpret_cast<ULONG_PTR>(kRegistryKind),
                                 reinterpret_cast<ULONG_PTR>(kSetFailedText),
                                 reinterpret_cast<ULONG_PTR>(__builtin_return_address(0))};
  RaiseException(kRegistryExceptionCode, EXCEPTION_NONCONTINUABLE, 3, arguments);
  ExitProcess(1);  // not reached: a non-continuable exception never returns
}

// The name of the kind and the message of a system exception, as the run-time names them.
void DescribeSystemException(DWORD code, const char** kind, const char** message) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
      *kind = "EAccessViolation", *message = "ｱｸｾｽ違反です";
      break;
    case EXCEPTION_STACK_OVERFLOW:
      *kind = "EStackOverflow", *message = "ｽﾀｯｸ ｵｰﾊﾞｰﾌﾛｰです";
      break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
      *kind = "EDivByZero", *message = "0 で除算しました";
      break;
    default:
      *kind = "EExternalException", *message = "外部例外です";
      break;
  }
}

}  // namespace

InstallerSystem& InstallerSystemCalls() {
  static InstallerSystem api{&RegOpenKeyExA, &RegSetValueExA, &RegCloseKey, &GetModuleFileNameA};
  return api;
}

int RunInstaller(const char* programPath, void (*showError)(const char* text)) {
  char library[MAX_PATH + sizeof "Tallowin.dll"];
  if (!LibraryPathFor(programPath, platform::IsSystemLeadByte, library, sizeof library)) {
    showError(kPathTooLongText);
    return 1;
  }
  const DWORD attributes = GetFileAttributesA(library);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    char text[sizeof kLibraryMissingFormat + sizeof library];
    wsprintfA(text, kLibraryMissingFormat, library);
    showError(text);
    return 1;
  }
  InstallerSystem& registry = InstallerSystemCalls();
  HKEY key = nullptr;
  if (registry.openKey(HKEY_CURRENT_USER, kExpertsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    showError(kNotInstalledText);
    return 0;
  }
  registry.closeKey(key);
  key = nullptr;
  // A failure of this open shows as the failed write below.
  registry.openKey(HKEY_CURRENT_USER, kExpertsKey, 0, KEY_ALL_ACCESS, &key);
  const DWORD size = static_cast<DWORD>(lstrlenA(library) + 1);
  const bool written = key && registry.setValue(key, kExpertValue, 0, REG_SZ,
                                                reinterpret_cast<const BYTE*>(library), size) == ERROR_SUCCESS;
  if (key) registry.closeKey(key);
  if (!written) RaiseRegistryError();
  return 0;
}

int RunInstallerProgram(void (*showError)(const char* text)) {
  char program[MAX_PATH + 1] = {};
  // A result of the buffer's size means the path was cut (and may lack its zero).
  const DWORD length = InstallerSystemCalls().moduleFileName(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) {
    showError(kPathTooLongText);
    return 1;
  }
  return RunInstaller(program, showError);
}

int ShowRunTimeError(const EXCEPTION_RECORD& record) {
  const char* kind = nullptr;
  const char* message = nullptr;
  ULONG_PTR address = reinterpret_cast<ULONG_PTR>(record.ExceptionAddress);
  if (record.ExceptionCode == kRegistryExceptionCode && record.NumberParameters >= 3) {
    kind = reinterpret_cast<const char*>(record.ExceptionInformation[0]);
    message = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    address = record.ExceptionInformation[2];
  } else {
    DescribeSystemException(record.ExceptionCode, &kind, &message);
  }
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH - 1);  // a cut name keeps its zero
  const size_t separator = base::LastDelimiter(module, "\\:", platform::IsSystemLeadByte);
  const char* name = separator == std::string_view::npos ? module : module + separator + 1;
  char text[1024];  // wsprintfA writes at most 1024 bytes
#ifdef _WIN64
  // A 64-bit address in full, as two 32-bit halves (long is 32 bits on Windows).
  wsprintfA(text, "例外 %s (ﾓｼﾞｭｰﾙ %s, ｱﾄﾞﾚｽ %08lX%08lX)\r\n%s", kind, name,
            static_cast<unsigned long>(address >> 32), static_cast<unsigned long>(address & 0xFFFFFFFFu), message);
#else
  wsprintfA(text, "例外 %s (ﾓｼﾞｭｰﾙ %s, ｱﾄﾞﾚｽ %08lX)\r\n%s", kind, name,
            static_cast<unsigned long>(address), message);
#endif
  MessageBoxA(nullptr, text, kErrorCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return 1;
}

LONG WINAPI ReportUncaughtException(EXCEPTION_POINTERS* exception) {
  ExitProcess(static_cast<UINT>(ShowRunTimeError(*exception->ExceptionRecord)));
}
