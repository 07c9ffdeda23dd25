// The compile command end to end under Wine: the script written, the resource compiler
// stand-in started hidden with the quoted command line, and Version.RES appearing beside
// the script on its own; the stand-in itself as a process.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "editor/core/resource_compile.h"
#include "editor/core/version_script.h"
#include "platform/process_start.h"
#include "platform/script_file.h"
#include "tests/support/golden.h"
#include "tests/support/version_resource.h"
#include "tests/win32/real_compile.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadWholeFile;
using testsupport::RealPorts;
using testsupport::WaitForFile;
using testsupport::WaitForProgramsToEnd;
using testsupport::WinTempDir;

TEST(CompileSequence, PathsWithBlanksGiveVersionResBesideTheScript) {
  WinTempDir dir("compile");
  CreateDirectoryA((dir / "my tools").c_str(), nullptr);
  CreateDirectoryA((dir / "my work ソ").c_str(), nullptr);
  const std::string compiler = dir / "my tools\\brc32.exe";
  ASSERT_TRUE(CopyFileA(TALLOWIN_BRC32, compiler.c_str(), FALSE));
  // A program named after the first word of the compiler path must not be started.
  const std::string script = dir / "my work ソ\\Version.rc";

  editor::VersionSettings s;
  s.FileVersion = {1, 2, 0, 5};
  s.Description = "ソフト表示";
  s.Translation = 1;
  bool reported = false;
  editor::CompileVersionResource(s, script, compiler, testsupport::SiteIn(dir.path()), RealPorts(&reported));
  EXPECT_FALSE(reported);
  const std::string res = dir / "my work ソ\\Version.RES";
  ASSERT_TRUE(WaitForFile(res, 60)) << "no Version.RES after 60 s";
  EXPECT_TRUE(WaitForProgramsToEnd("brc32.exe", 60));
  const auto parsed = testsupport::ParseVersionRes(ReadWholeFile(res));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(testsupport::CompareWithSettings(*parsed, s), "");
}

// Wine, starting a program that is no Windows program for WinExec, hands back the process
// information an earlier start left behind and closes those handle values again: what
// the starter holds under them by then dies. So after a Windows program's start (the
// test compiler's, started as a compile starts it), every handle the starter holds, its
// standard output and error among them, must outlive several compiles.
TEST(CompileSequence, TheStartersHandlesOutliveSeveralCompiles) {
  WinTempDir dir("handles");
  ASSERT_TRUE(CopyFileA(TALLOWIN_TEST_COMPILER, (dir / "other.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(TALLOWIN_BRC32, (dir / "brc32.exe").c_str(), FALSE));
  const auto compile = [&dir](const std::string& compiler) {
    DeleteFileA((dir / "Version.RES").c_str());
    bool reported = false;
    editor::CompileVersionResource({}, dir / "Version.rc", dir / compiler, testsupport::SiteIn(dir.path()),
                                   RealPorts(&reported));
    return WaitForFile(dir / "Version.RES", 60) && !reported;
  };
  ASSERT_TRUE(compile("other.exe"));
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE), err = GetStdHandle(STD_ERROR_HANDLE);
  const DWORD outType = GetFileType(out), errType = GetFileType(err);
  std::vector<HANDLE> events;
  for (int i = 0; i < 64; ++i) events.push_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(compile("brc32.exe")) << "compile " << i;

  std::string lost;
  DWORD written = 0;
  if (GetFileType(out) != outType || !WriteFile(out, "", 0, &written, nullptr)) lost += " output";
  if (GetFileType(err) != errType || !WriteFile(err, "", 0, &written, nullptr)) lost += " error";
  for (size_t i = 0; i < events.size(); ++i) {
    // Still this event, not a later handle given the same value.
    DWORD flags = 0;
    if (!GetHandleInformation(events[i], &flags) || !SetEvent(events[i]) ||
        WaitForSingleObject(events[i], 0) != WAIT_OBJECT_0) {
      lost += " event" + std::to_string(i);
    }
    CloseHandle(events[i]);
  }
  EXPECT_EQ(lost, "") << "handles closed under the process";
  EXPECT_TRUE(WaitForProgramsToEnd("other.exe", 60) && WaitForProgramsToEnd("brc32.exe", 60));
}

struct ProgramRun {
  DWORD exit = 9999;
  std::string err;
};

// brc32.exe with `arguments`, waited for, its standard error caught in a file.
ProgramRun RunBrc32(const std::string& arguments) {
  WinTempDir capture("capture");
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = CreateFileA((capture / "err").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                  CREATE_ALWAYS, 0, nullptr);
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" TALLOWIN_BRC32 "\" " + arguments;
  ProgramRun run;
  if (CreateProcessA(TALLOWIN_BRC32, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &run.exit);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(startup.hStdError);
  run.err = ReadWholeFile(capture / "err");
  return run;
}

struct ProgramCase {
  const char* what;
  const char* fileType;  // the script's FILETYPE value; nullptr: no script
  const char* before;    // the arguments before the script's path; nullptr: no path
  DWORD exit;
  const char* message;   // standard error after the script's path
};

class Brc32Program : public testing::TestWithParam<ProgramCase> {};

// Whatever happens, the folder ends with the script and its .RES alone: new on success,
// else the older one untouched.
TEST_P(Brc32Program, WritesTheResOrLeavesTheOlderOne) {
  const ProgramCase& c = GetParam();
  WinTempDir dir("brc32 ソ表");
  const std::string script = dir / "Version.rc";
  if (c.fileType) {
    std::string text = testsupport::ReadGolden("Version_initial.rc");
    text.replace(text.find("VFT_APP"), 7, c.fileType);
    testsupport::WriteWholeFile(script, text);
  }
  testsupport::WriteWholeFile(dir / "Version.RES", "older");
  const ProgramRun run = RunBrc32(c.before ? std::string(c.before) + " \"" + script + "\"" : "-r");
  EXPECT_EQ(run.exit, c.exit) << c.what << ": " << run.err;
  EXPECT_EQ(run.err, *c.message && c.before ? script + c.message : std::string(c.message)) << c.what;
  const std::string res = ReadWholeFile(dir / "Version.RES");
  if (c.exit == 0) {
    const auto parsed = testsupport::ParseVersionRes(res);
    ASSERT_TRUE(parsed) << c.what;
    EXPECT_EQ(testsupport::CompareWithSettings(*parsed, {}), "") << c.what;
  } else {
    EXPECT_EQ(res, "older") << c.what;
  }
  std::string others;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((dir / "*").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    const std::string name = found.cFileName;
    if (name != "." && name != ".." && name != "Version.rc" && name != "Version.RES") others += " " + name;
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  EXPECT_EQ(others, "") << c.what << ": left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Brc32Program,
    testing::Values(ProgramCase{"compiles, other options ignored", "VFT_APP", "-v -r", 0, ""},
                    ProgramCase{"a FILETYPE without a value", "", "-r", 1,
                                "(5): error: FILETYPE without a value\r\n"},
                    ProgramCase{"an unknown constant", "VFT_APPLET", "-r", 1,
                                "(5): error: unknown constant VFT_APPLET\r\n"},
                    ProgramCase{"no script", nullptr, "-r", 1, ": error: cannot read the script (Windows error 2)\r\n"},
                    ProgramCase{"no script named", "VFT_APP", nullptr, 2, "usage: brc32 -r SCRIPT\r\n"}));

TEST(CompileSequence, AMissingCompilerIsNotReportedAndProducesNothing) {
  WinTempDir dir("nocompiler");
  bool reported = false;
  editor::CompileVersionResource({}, dir / "Version.rc", dir / "none\\brc32.exe", testsupport::SiteIn(dir.path()),
                                 RealPorts(&reported));
  EXPECT_FALSE(reported);
  EXPECT_TRUE(FileExists(dir / "Version.rc"));
  EXPECT_FALSE(FileExists(dir / "Version.RES"));  // nothing was started that could write it later
}

TEST(CompileSequence, StartHiddenReportsAStartedProcess) {
  EXPECT_GT(platform::StartHidden("cmd.exe /c exit 0"), 31u);
  EXPECT_LE(platform::StartHidden("\"C:\\no such\\brc32.exe\" -r \"x.rc\""), 31u);
}

}  // namespace
