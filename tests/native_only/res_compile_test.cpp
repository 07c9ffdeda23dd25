// The version script compiled by the resource compiler stand-in, and the compiled
// VERSIONINFO read back and compared with the settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "editor/core/version_script.h"
#include "tests/support/golden.h"
#include "tests/support/version_resource.h"

namespace {

namespace fs = std::filesystem;

struct CompileCase {
  const char* what;
  void (*change)(editor::VersionSettings&);
};

class CompiledScript : public testing::TestWithParam<CompileCase> {};

TEST_P(CompiledScript, HoldsTheSettings) {
  editor::VersionSettings s;
  s.FileVersion = {1, 2, 0, 5};
  s.ProductVersion = {3, 4, 255, 0};
  s.Description = "ソフト表示の説明 {x}";  // second bytes 0x5C and braces
  s.CompanyName = "Orbelane";
  s.OriginalName = "Sample.exe";
  s.InternalName = "Sample";
  s.ProductName = "製品";
  s.Comment = "コメント";
  GetParam().change(s);

  const fs::path dir = fs::temp_directory_path() / ("tallowin-res-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path script = dir / "Version.rc";
  std::ofstream(script, std::ios::binary) << editor::VersionScriptText(s);
  const std::string command = std::string(TALLOWIN_TOOLS_DIR) + "/brc32 -r '" + script.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const auto res = testsupport::ParseVersionRes(testsupport::ReadFileBytes((dir / "Version.RES").string()));
  fs::remove_all(dir);
  ASSERT_TRUE(res) << GetParam().what;
  EXPECT_EQ(testsupport::CompareWithSettings(*res, s), "") << GetParam().what;
  editor::VersionSettings other = s;
  other.Description += "x";
  EXPECT_EQ(testsupport::CompareWithSettings(*res, other), "string value FileDescription\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompiledScript,
    testing::Values(CompileCase{"japanese", [](editor::VersionSettings&) {}},
                    CompileCase{"english", [](editor::VersionSettings& s) { s.Translation = 1; }},
                    CompileCase{"version texts", [](editor::VersionSettings& s) { s.FileVerView = "1.2 β"; s.ProductVerView = "表"; }},
                    CompileCase{"no comment, dll", [](editor::VersionSettings& s) { s.IncludeComment = false; s.FileType = 1; }},
                    CompileCase{"static lib, all empty", [](editor::VersionSettings& s) {
                      s = editor::VersionSettings{};
                      s.CopyRight.clear();
                      s.FileType = 5;
                    }}));

}  // namespace
