#include <gtest/gtest.h>
#include <windows.h>

#include "base/error.h"
#include "editor/core/version_script.h"
#include "platform/script_file.h"
#include "tests/support/golden.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::WinTempDir;

TEST(ScriptFile, InitialSettingsGiveTheDocumentedScript) {
  WinTempDir dir("script 表");
  editor::WriteVersionScript(dir / "Version.rc", editor::VersionSettings{}, platform::WriteScriptFile);
  EXPECT_EQ(ReadWholeFile(dir / "Version.rc"), testsupport::ReadGolden("Version_initial.rc"));
}

TEST(ScriptFile, ReplacesALongerScriptEntirely) {
  WinTempDir dir("truncate");
  testsupport::WriteWholeFile(dir / "Version.rc", std::string(10000, 'x'));
  platform::WriteScriptFile(dir / "Version.rc", "short\r\n");
  EXPECT_EQ(ReadWholeFile(dir / "Version.rc"), "short\r\n");
}

struct FailureCase {
  const char* what;
  int code;
  const char* message;
};

class ScriptFileFailures : public testing::TestWithParam<FailureCase> {};

// Each case prepares an obstacle and returns the path to write; the old text must stay.
TEST_P(ScriptFileFailures, RaiseTheRuntimesIoErrorAndKeepTheOldScript) {
  WinTempDir dir(std::string("fail-") + std::to_string(GetParam().code));
  const std::string old = "old script\r\n";
  std::string path = dir / "Version.rc";
  HANDLE holder = INVALID_HANDLE_VALUE;
  switch (GetParam().code) {
    case 3:
      path = dir / "missing folder\\Version.rc";
      break;
    case 5:  // the name is taken by a folder
      path = dir / "Version.rc.dir";
      ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
      break;
    case 32:  // another program holds it open and allows reading only
      testsupport::WriteWholeFile(path, old);
      holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(holder, INVALID_HANDLE_VALUE);
      break;
  }
  try {
    platform::WriteScriptFile(path, "new script\r\n");
    ADD_FAILURE() << GetParam().what << ": the write must raise";
  } catch (const base::IoError& e) {
    EXPECT_EQ(e.code(), GetParam().code) << GetParam().what;
    EXPECT_STREQ(e.what(), GetParam().message) << GetParam().what;
  }
  if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
  if (GetParam().code == 32) {
    EXPECT_EQ(ReadWholeFile(path), old) << GetParam().what;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptFileFailures,
                         testing::Values(FailureCase{"missing folder", 3, "不正なﾌｧｲﾙ名です"},
                                         FailureCase{"a folder of that name", 5, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
                                         FailureCase{"held open", 32, "I/O ｴﾗｰ (32)"}));

}  // namespace
