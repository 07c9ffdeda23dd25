// TalloVer.exe as it ships, run as a process under Wine over projects in a folder whose
// name holds blanks and second bytes 0x5C, 0x7B and 0x7D.
#include <gtest/gtest.h>
#include <windows.h>

#include "editor/core/ini_text.h"
#include "editor/core/memory_settings_view.h"
#include "editor/adapters/profile_ini.h"
#include "editor/core/version_script.h"
#include "editor/core/vri_keys.h"
#include "editor/core/vri_settings.h"
#include "platform/lead_byte.h"
#include "tests/support/version_resource.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadWholeFile;
using testsupport::WinTempDir;
using testsupport::WriteWholeFile;

const char kFolder[] = "stamp \x83\x5C\x95\x5C \x83\x7B\x83\x7D";  // ソ表 ボマ
const char kSource[] = "program Sample;\r\n\r\n{$R *.RES}\r\n\r\nbegin\r\nend.\r\n";

struct Result {
  DWORD exit = 9999;
  std::string out, err;
};

// Runs the program with `arguments`, its standard output and error caught in files.
Result RunStamp(const std::string& arguments) {
  WinTempDir capture("capture");
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  const auto create = [&](const char* name) {
    return CreateFileA((capture / name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
  };
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = create("out");
  startup.hStdError = create("err");
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" TALLOWIN_STAMP_EXE "\" " + arguments;
  Result result;
  if (CreateProcessA(TALLOWIN_STAMP_EXE, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
      GetExitCodeProcess(process.hProcess, &result.exit);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  result.out = ReadWholeFile(capture / "out");
  result.err = ReadWholeFile(capture / "err");
  return result;
}

// A project folder with Sample.dpr and, unless empty, Sample.vri.
struct Project {
  explicit Project(const std::string& vri) : dir(kFolder) {
    WriteWholeFile(dir / "Sample.dpr", kSource);
    if (!vri.empty()) WriteWholeFile(dir / "Sample.vri", vri);
  }
  Result Run(const std::string& options) { return RunStamp(options + " \"" + dir / "Sample.dpr" + "\""); }
  WinTempDir dir;
};

struct ScriptCase {
  const char* what;
  std::string vri;
  std::string line;  // one line the script must hold
};

class StampProgram : public testing::TestWithParam<ScriptCase> {};

TEST_P(StampProgram, WritesTheScriptTheWindowWrites) {
  Project project(GetParam().vri);
  const Result result = project.Run("");
  ASSERT_EQ(result.exit, 0u) << GetParam().what << ": " << result.err;
  EXPECT_EQ(result.out, project.dir / "Version.rc\r\n");
  // The window: initial values and script path, then the VRI file through the profile functions.
  editor::MemorySettingsView window;
  const std::string dpr = project.dir / "Sample.dpr";
  window.SetScriptPath(editor::InitialScriptPath(dpr, platform::IsSystemLeadByte));
  editor::ProfileIniFile ini(project.dir / "Sample.vri");
  editor::LoadSettings(ini, window, dpr, platform::IsSystemLeadByte);
  const std::string script = ReadWholeFile(project.dir / "Version.rc");
  EXPECT_EQ(script, editor::VersionScriptText(editor::ReadSettings(window))) << GetParam().what;
  EXPECT_NE(script.find(GetParam().line + "\r\n"), std::string::npos) << GetParam().what << "\n" << script;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampProgram,
    testing::Values(ScriptCase{"hex numbers, short version", "[Version]\r\nFileVersion=$10, $FF, 3\r\nFileType=0x2\r\n",
                               "FILEVERSION 16,255,0,0"},
                    ScriptCase{"missing keys", "[Version]\r\n",
                               "   VALUE \"FileDescription\", \"VCL Application\\000\""},
                    ScriptCase{"double-byte texts", "[Version]\r\nFileType=9\r\nComment=\x83\x7B{\x83\x7D}\x83\x5C\r\n",
                               "   VALUE \"Comments\", \"\x83\x7B{\x83\x7D}\x83\x5C\\000\""}));

TEST(StampProgramRun, BumpsUpdatesTheSourceAndKeepsTheIdesBackup) {
  Project project("[Version]\r\nFileVersion=1, 2, 0, 254\r\n");
  const Result result = project.Run("--bump build --set \"ProductVerView=2.0 \x83\xC0\" --update-source");
  ASSERT_EQ(result.exit, 0u) << result.err;
  EXPECT_EQ(result.out, project.dir / "Sample.vri\r\n" + project.dir / "Version.rc\r\n" +
                            project.dir / "Sample.~dp\r\n" + project.dir / "Sample.dpr\r\n");
  const std::string vri = ReadWholeFile(project.dir / "Sample.vri");
  EXPECT_NE(vri.find("FileVersion=1, 2, 0, 255"), std::string::npos) << vri;
  EXPECT_NE(vri.find("ProductVerView=2.0 \x83\xC0"), std::string::npos) << vri;
  EXPECT_NE(ReadWholeFile(project.dir / "Version.rc").find("FILEVERSION 1,2,0,255\r\n"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(project.dir / "Sample.~dp"), kSource);
  EXPECT_EQ(ReadWholeFile(project.dir / "Sample.dpr"),
            "program Sample;\r\n\r\n{$R *.RES}\r\n{$R VERSION.RES}\r\n\r\nbegin\r\nend.\r\n");
}

struct RefusalCase {
  const char* what;
  std::string vri;
  enum { Free, ReadOnly, Held } source;
  const char* message;
};

class StampRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(StampRefusal, IsAClearErrorAndWritesNothing) {
  const RefusalCase& c = GetParam();
  Project project(c.vri);
  const std::string dpr = project.dir / "Sample.dpr";
  if (c.source == RefusalCase::ReadOnly) SetFileAttributesA(dpr.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE held = c.source == RefusalCase::Held
                    ? CreateFileA(dpr.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                    : INVALID_HANDLE_VALUE;
  const Result result = project.Run("--bump build --update-source");
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  EXPECT_EQ(result.exit, 2u) << c.what;
  EXPECT_EQ(result.out, "") << c.what;
  EXPECT_NE(result.err.find(c.message), std::string::npos) << c.what << ": " << result.err;
  EXPECT_EQ(ReadWholeFile(dpr), kSource) << c.what;
  EXPECT_EQ(ReadWholeFile(project.dir / "Sample.vri"), c.vri) << c.what;
  EXPECT_FALSE(FileExists(project.dir / "Sample.~dp") || FileExists(project.dir / "Version.rc")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampRefusal,
    testing::Values(RefusalCase{"no VRI file", "", RefusalCase::Free, "--new"},
                    RefusalCase{"255", "[Version]\r\nFileVersion=1, 2, 0, 255\r\n", RefusalCase::Free, "255 です"},
                    RefusalCase{"read-only source", "[Version]\r\n", RefusalCase::ReadOnly, "読み取り専用です"},
                    RefusalCase{"source held open", "[Version]\r\n", RefusalCase::Held, "使用中です"}));

struct BackupCase {
  const char* what;
  std::string options, vri;
  enum { Free, ReadOnly, Shared } source;  // Shared: held by a reader that shares writing, not renaming
  DWORD exit;
  const char* message;  // in the errors
};

class StampOlderBackup : public testing::TestWithParam<BackupCase> {};

TEST_P(StampOlderBackup, ReplacesTheOlderOneOnlyOnceTheNewTextIsInPlace) {
  const BackupCase& c = GetParam();
  Project project(c.vri);
  const std::string dpr = project.dir / "Sample.dpr";
  WriteWholeFile(project.dir / "Sample.~dp", "older");
  if (c.source == BackupCase::ReadOnly) SetFileAttributesA(dpr.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE reader = c.source == BackupCase::Shared
                      ? CreateFileA(dpr.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr)
                      : INVALID_HANDLE_VALUE;
  const Result result = project.Run(c.options);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  SetFileAttributesA(dpr.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(result.exit, c.exit) << c.what << ": " << result.err;
  EXPECT_NE(result.err.find(c.message), std::string::npos) << c.what << ": " << result.err;
  EXPECT_EQ(ReadWholeFile(dpr) == kSource, c.exit != 0) << c.what;
  EXPECT_EQ(ReadWholeFile(project.dir / "Sample.~dp"), c.exit != 0 ? "older" : kSource) << c.what;
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((project.dir / "tlv*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << c.what << ": " << found.cFileName << " left behind";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampOlderBackup,
    testing::Values(BackupCase{"update", "--update-source", "[Version]\r\n", BackupCase::Free, 0, ""},
                    BackupCase{"read-only, dry run, nothing to change", "--dry-run --update-source",
                               "[Version]\r\nIncludeVerInfo=0\r\n", BackupCase::ReadOnly, 2, "読み取り専用です"},
                    BackupCase{"held by a reader", "--update-source", "[Version]\r\n", BackupCase::Shared, 2,
                               "使用中です"}));

struct CompileCase {
  const char* compiler;  // copied into the project's folder as brc32.exe
  std::string vri;
  DWORD exit;            // the test compiler's is chosen
  const char* message;   // in the errors
};

class StampCompile : public testing::TestWithParam<CompileCase> {};

TEST_P(StampCompile, WaitsAndPassesTheCompilersExitCodeOn) {
  const CompileCase& c = GetParam();
  Project project(c.vri);
  const std::string compiler = project.dir / "brc32.exe";
  ASSERT_TRUE(CopyFileA(c.compiler, compiler.c_str(), FALSE));
  SetEnvironmentVariableA("TALLOWIN_TEST_COMPILER_EXIT", std::to_string(c.exit).c_str());
  const Result result = project.Run("--compile --update-source --compiler \"" + compiler + "\"");
  SetEnvironmentVariableA("TALLOWIN_TEST_COMPILER_EXIT", nullptr);
  EXPECT_EQ(result.exit, c.exit) << result.err;
  EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  const bool compiled = c.exit == 0;
  EXPECT_EQ(FileExists(project.dir / "Version.RES"), compiled);
  EXPECT_EQ(ReadWholeFile(project.dir / "Sample.dpr") != kSource, compiled);  // a failed compile links nothing
  if (compiled) {
    const auto res = testsupport::ParseVersionRes(ReadWholeFile(project.dir / "Version.RES"));
    ASSERT_TRUE(res);
    EXPECT_EQ(res->fileVersionMS, 0x00010002u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampCompile,
    testing::Values(CompileCase{TALLOWIN_BRC32, "[Version]\r\nFileVersion=1, 2, 0, 5\r\n", 0, ""},
                    // The script's FILETYPE line is left without a value; the stand-in says so.
                    CompileCase{TALLOWIN_BRC32, "[Version]\r\nFileType=9\r\n", 1,
                                "Version.rc(5): error: FILETYPE without a value"},
                    CompileCase{TALLOWIN_TEST_COMPILER, "[Version]\r\n", 7, "stand-in compiler: exit 7"}));

TEST(StampProgramRun, TellsItsVersionFromItsOwnResource) {
  editor::IniText vri = editor::IniText::Load(TALLOWIN_RELEASE_DIR "/TalloVer.vri");
  const Result result = RunStamp("--version");
  EXPECT_EQ(result.exit, 0u);
  EXPECT_EQ(result.out.substr(0, result.out.find("\r\n")),
            "TalloVer " + vri.ReadString(editor::kVriSection, "FileVerView", "?"));
  EXPECT_EQ(RunStamp("--bogus").exit, 1u);
}

}  // namespace
