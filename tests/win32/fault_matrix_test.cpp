// Hostile and broken inputs against the real profile, file and process functions:
// each case ends with a clear outcome and nothing lost.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/error.h"
#include "base/int_text.h"
#include "editor/core/resource_compile.h"
#include "editor/core/vri_settings.h"
#include "platform/lead_byte.h"
#include "platform/process_start.h"
#include "editor/adapters/profile_ini.h"
#include "platform/script_file.h"
#include "editor/core/memory_settings_view.h"
#include "tests/win32/real_compile.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using editor::MemorySettingsView;
using testsupport::ReadWholeFile;
using testsupport::RealPorts;
using testsupport::WaitForFile;
using testsupport::WaitForProgramsToEnd;
using testsupport::WinTempDir;

struct VriCase {
  const char* what;
  std::string content;
  std::string description;  // what Edit3 shows after loading
  const char* fileVersion;  // the four boxes after loading
};

class BrokenVriFiles : public testing::TestWithParam<VriCase> {};

TEST_P(BrokenVriFiles, LoadWithoutLossOrCrash) {
  const VriCase& c = GetParam();
  WinTempDir dir(std::string("vri-") + std::to_string(reinterpret_cast<uintptr_t>(&c) % 100000));
  const std::string file = dir / "Sample.vri";
  testsupport::WriteWholeFile(file, c.content);
  MemorySettingsView view;
  view.SetScriptPath("C:\\Work\\Version.rc");
  editor::ProfileIniFile ini(file);
  editor::LoadSettings(ini, view, "C:\\Work\\Sample.dpr", platform::IsSystemLeadByte);
  EXPECT_EQ(view.Text(editor::TextField::Description), c.description) << c.what;
  std::string boxes;
  for (int i = 0; i < 4; ++i) boxes += (i ? "," : "") + view.SpinText(i);
  EXPECT_EQ(boxes, c.fileVersion) << c.what;
  for (int i = 0; i < editor::kSpinBoxCount; ++i) {
    const auto v = base::ParseIntText(view.SpinText(i));
    EXPECT_TRUE(v && *v >= 0 && *v <= 255) << c.what;
  }
  EXPECT_EQ(ReadWholeFile(file), c.content) << c.what << ": loading must not change the file";
}

std::string Binary() {
  std::string bytes;
  for (int i = 0; i < 512; ++i) bytes += static_cast<char>((i * 37 + 11) & 0xFF);
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenVriFiles,
    testing::Values(
        VriCase{"garbage", "this is no INI file\r\n=== ??? ===\r\n", "VCL Application", "1,0,0,0"},
        VriCase{"binary bytes", Binary(), "VCL Application", "1,0,0,0"},
        VriCase{"missing section", "[Other]\r\nDescription=elsewhere\r\n", "VCL Application", "1,0,0,0"},
        VriCase{"duplicate keys: the first counts", "[Version]\r\nDescription=first\r\nDescription=second\r\n",
                "first", "1,0,0,0"},
        VriCase{"a line over 1023 characters is cut",
                "[Version]\r\nDescription=" + std::string(3000, 'd') + "\r\nFileVersion=1, 2, 3, 4\r\n",
                std::string(1023, 'd'), "1,2,3,4"},
        VriCase{"braces and 0x5C trail bytes", "[Version]\r\nDescription={\x83\x5C}\x95\x5C\r\n",
                "{\x83\x5C}\x95\x5C", "1,0,0,0"}));

// The long-line case checks its cut length on its own (the table keeps one line a case).
TEST(BrokenVriFiles, ALongValueIsCutAt1023Characters) {
  WinTempDir dir("vri-long");
  testsupport::WriteWholeFile(dir / "Sample.vri", "[Version]\r\nComment=" + std::string(3000, 'c') + "\r\n");
  editor::ProfileIniFile ini(dir / "Sample.vri");
  EXPECT_EQ(ini.ReadString("Version", "Comment", ""), std::string(1023, 'c'));
}

TEST(Faults, SavingIntoAMissingFolderNamesTheFileAndWritesNothing) {
  WinTempDir dir("vri-missing");
  MemorySettingsView view;
  editor::ProfileIniFile ini(dir / "no folder\\Sample.vri");
  try {
    editor::SaveSettings(ini, view);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(std::string(e.what()), dir / "no folder\\Sample.vri に書き込めません");
  }
  EXPECT_FALSE(testsupport::FileExists(dir / "no folder\\Sample.vri"));
}

TEST(Faults, AScriptPathLongerThanMaxPathRaisesAnIoError) {
  WinTempDir dir("long-path");
  const std::string path = dir / (std::string(300, 'a') + "\\Version.rc");
  try {
    platform::WriteScriptFile(path, "x");
    FAIL();
  } catch (const base::IoError& e) {
    EXPECT_NE(e.code(), 0);
    EXPECT_GT(std::string(e.what()).size(), 0u);
  }
}



// A setting of the test compiler, which the programs started meanwhile inherit:
// TALLOWIN_TEST_COMPILER_MARK, the file it makes once it has run, whatever it was given;
// TALLOWIN_TEST_COMPILER_EXIT, its exit code.
class TestCompilerSetting {
 public:
  TestCompilerSetting(const char* name, const std::string& value) : name_(name) {
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~TestCompilerSetting() { SetEnvironmentVariableA(name_, nullptr); }

 private:
  const char* name_;
};

TEST(Faults, AProgramNamedAfterTheFirstWordOfTheCompilerPathIsNotStarted) {
  WinTempDir dir("planted");
  CreateDirectoryA((dir / "my tools").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(TALLOWIN_BRC32, (dir / "my tools\\brc32.exe").c_str(), FALSE));
  // Unquoted, "…\my tools\brc32.exe" starts "…\my.exe".
  ASSERT_TRUE(CopyFileA(TALLOWIN_TEST_COMPILER, (dir / "my.exe").c_str(), FALSE));
  TestCompilerSetting mark("TALLOWIN_TEST_COMPILER_MARK", dir / "planted-ran");
  platform::StartHidden(dir / "my tools\\brc32.exe -r " + dir / "x.rc");
  ASSERT_TRUE(WaitForFile(dir / "planted-ran", 30)) << "the planted program must be reachable unquoted";
  ASSERT_TRUE(WaitForProgramsToEnd("my.exe", 30));
  DeleteFileA((dir / "planted-ran").c_str());
  bool reported = false;
  editor::CompileVersionResource({}, dir / "Version.rc", dir / "my tools\\brc32.exe", testsupport::SiteIn(dir.path()),
                                 RealPorts(&reported));
  // One command line starts one program: once the stand-in has written Version.RES, the
  // planted program can no longer have been the one started.
  EXPECT_TRUE(WaitForFile(dir / "Version.RES", 60));
  EXPECT_TRUE(WaitForProgramsToEnd("brc32.exe", 60));
  EXPECT_FALSE(testsupport::FileExists(dir / "planted-ran"));
  EXPECT_FALSE(reported);
}

TEST(Faults, ACompilerThatFailsLeavesNoResourceAndReportsNothing) {
  WinTempDir dir("failing");
  ASSERT_TRUE(CopyFileA(TALLOWIN_TEST_COMPILER, (dir / "brc32.exe").c_str(), FALSE));
  testsupport::WriteWholeFile(dir / "Version.RES", "older");
  TestCompilerSetting mark("TALLOWIN_TEST_COMPILER_MARK", dir / "ran");
  TestCompilerSetting code("TALLOWIN_TEST_COMPILER_EXIT", "1");
  bool reported = false;
  editor::CompileVersionResource({}, dir / "Version.rc", dir / "brc32.exe", testsupport::SiteIn(dir.path()),
                                 RealPorts(&reported));
  EXPECT_TRUE(WaitForFile(dir / "ran", 30));
  EXPECT_TRUE(WaitForProgramsToEnd("brc32.exe", 30));
  EXPECT_FALSE(reported);
  EXPECT_EQ(ReadWholeFile(dir / "Version.RES"), "older");  // an older one stays
}

// The script path names the project's own source, relative to the current directory and
// in other letter case: the compile error, the source untouched, no compiler started.
TEST(Faults, ACompileOverTheProjectSourceIsRefused) {
  WinTempDir dir("over the source");
  ASSERT_TRUE(CopyFileA(TALLOWIN_TEST_COMPILER, (dir / "brc32.exe").c_str(), FALSE));
  TestCompilerSetting mark("TALLOWIN_TEST_COMPILER_MARK", dir / "ran");
  testsupport::WriteWholeFile(dir / "Sample.dpr", "program Sample;\r\n");
  ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
  bool reported = false;
  editor::CompileVersionResource({}, "sample.DPR", dir / "brc32.exe", testsupport::SiteIn(dir.path()),
                                 RealPorts(&reported));
  EXPECT_TRUE(reported);
  EXPECT_EQ(ReadWholeFile(dir / "Sample.dpr"), "program Sample;\r\n");
  // Nothing was started that could write later.
  EXPECT_FALSE(testsupport::FileExists(dir / "ran"));
  EXPECT_FALSE(testsupport::FileExists(dir / "Sample.RES"));
}

}  // namespace
