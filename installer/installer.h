// Registers the add-in library with the host IDE for the current user. Written in the
// plain C style of a tiny program: Setup.exe links no C++ runtime and stays a few
// kilobytes, so failures travel as Windows exceptions, not C++ ones.
#pragma once
#include <windows.h>

extern const char kExpertsKey[];        // "Software\Borland\Delphi\2.0\Experts"
extern const char kExpertValue[];       // "Quelvar"
extern const char kNotInstalledText[];  // "Delphi2.0がインストールされていません"
// "Tallowin.dll が見つかりません: %s ..." with the path looked for.
extern const char kLibraryMissingFormat[];
extern const char kPathTooLongText[];  // the installer's own path does not fit

// The system functions the installer calls; tests put refusals in their place.
struct InstallerSystem {
  decltype(&RegOpenKeyExA) openKey;
  decltype(&RegSetValueExA) setValue;
  decltype(&RegCloseKey) closeKey;
  decltype(&GetModuleFileNameA) moduleFileName;
};
InstallerSystem& InstallerSystemCalls();

// The Windows exception raised when the value cannot be written. Its three parameters are
// the kind's name ("ERegistryException"), the message ("'Quelvar' の設定に失敗しました")
// and the code address the failure was raised from.
constexpr DWORD kRegistryExceptionCode = 0xE0524547;

// Writes the value "Quelvar" with the library path when the host's key exists (opened
// with full access); otherwise shows the not-installed message through `showError` and
// changes nothing. A value that cannot be written raises kRegistryExceptionCode after
// the key is closed. Returns the exit code: 0.
// A library that is not beside the program (Explorer runs a program from inside an
// archive alone, in a temporary folder) would make the host fail at every start: then
// nothing is registered, the missing file is named through `showError`, and the exit code
// is 1. So too when the library's path does not fit.
int RunInstaller(const char* programPath, void (*showError)(const char* text));

// RunInstaller for the running program's own path; a path that does not fit the buffer
// (cut short, or on Windows XP left without its terminating zero) is refused as above.
int RunInstallerProgram(void (*showError)(const char* text));

// The run-time error box for an exception nobody caught: the kind of the exception, the
// program's module name, the address where it was raised and the message, in a box titled
// "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ". Returns the exit code: 1.
int ShowRunTimeError(const EXCEPTION_RECORD& record);

// The program's last handler: shows the box above and ends the process with its code.
LONG WINAPI ReportUncaughtException(EXCEPTION_POINTERS* exception);
