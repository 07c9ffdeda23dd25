// The compile command end to end under Wine: the script written, the resource compiler
// stand-in started hidden with the quoted command line, and Version.RES appearing beside
// the script on its own.
#include <gtest/gtest.h>
#include <windows.h>

#include "editor/core/resource_compile.h"
#include "platform/process_start.h"
#include "platform/script_file.h"
#include "tests/support/version_resource.h"
#include "tests/win32/real_compile.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using testsupport::FileExists;
using testsupport::RealPorts;
using testsupport::WaitForFile;
using testsupport::WinTempDir;



TEST(CompileSequence, PathsWithBlanksGiveVersionResBesideTheScript) {
  WinTempDir dir("compile");
  CreateDirectoryA((dir / "my tools").c_str(), nullptr);
  CreateDirectoryA((dir / "my work ソ").c_str(), nullptr);
  const std::string compiler = dir / "my tools\\brc32.exe";
  ASSERT_TRUE(CopyFileA(TALLOWIN_TOOLS_DIR "/brc32", compiler.c_str(), FALSE));
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
  const auto parsed = testsupport::ParseVersionRes(testsupport::ReadWholeFile(res));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(testsupport::CompareWithSettings(*parsed, s), "");
}

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
