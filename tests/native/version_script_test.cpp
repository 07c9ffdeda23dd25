#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "editor/core/version_script.h"
#include "tests/support/golden.h"

namespace {

using editor::VersionScriptText;
using editor::VersionSettings;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the last line must end with CR LF";
  return lines;
}

TEST(VersionScript, InitialValuesGiveTheTwentySixLinesByteForByte) {
  EXPECT_EQ(VersionScriptText(VersionSettings{}), testsupport::ReadGolden("Version_initial.rc"));
}

TEST(VersionScript, NoBareLineFeedsTabsOrByteOrderMark) {
  VersionSettings s;
  s.Description = "ソフト表示";
  const std::string text = VersionScriptText(s);
  EXPECT_EQ(text.find('\t'), std::string::npos);
  EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_EQ(text[i - 1], '\r') << "at " << i;
    }
  }
}

struct LineCase {
  const char* what;
  void (*change)(VersionSettings&);
  size_t lineCount;
  int line;  // 1-based
  const char* expected;
};

class ScriptLines : public testing::TestWithParam<LineCase> {};

TEST_P(ScriptLines, FollowTheSettings) {
  VersionSettings s;
  GetParam().change(s);
  const auto lines = Lines(VersionScriptText(s));
  ASSERT_EQ(lines.size(), GetParam().lineCount) << GetParam().what;
  EXPECT_EQ(lines[GetParam().line - 1], GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptLines,
    testing::Values(
        LineCase{"english", [](VersionSettings& s) { s.Translation = 1; }, 26, 24,
                 "  VALUE \"Translation\", 0x409, 1252"},
        LineCase{"no language", [](VersionSettings& s) { s.Translation = -1; }, 26, 24,
                 "  VALUE \"Translation\", 0x411, 1252"},
        LineCase{"no comment", [](VersionSettings& s) { s.IncludeComment = false; s.Comment = "x"; }, 25, 19,
                 "  }"},
        LineCase{"comment", [](VersionSettings& s) { s.Comment = "c\"q\\"; }, 26, 19,
                 "   VALUE \"Comments\", \"c\"q\\\\000\""},
        LineCase{"file version text", [](VersionSettings& s) { s.FileVerView = "1.2 beta"; s.FileVersion = {1, 2, 0, 5}; },
                 26, 13, "   VALUE \"FileVersion\", \"1.2 beta\\000\""},
        LineCase{"numbers in fixed part", [](VersionSettings& s) { s.FileVerView = "1.2 beta"; s.FileVersion = {1, 2, 0, 5}; },
                 26, 2, "FILEVERSION 1,2,0,5"},
        LineCase{"blank version text", [](VersionSettings& s) { s.ProductVerView = "  "; }, 26, 14,
                 "   VALUE \"ProductVersion\", \"  \\000\""},
        LineCase{"product numbers", [](VersionSettings& s) { s.ProductVersion = {999, -1, 0, 7}; }, 26, 3,
                 "PRODUCTVERSION 999,-1,0,7"},
        LineCase{"product numbers as text", [](VersionSettings& s) { s.ProductVersion = {999, -1, 0, 7}; }, 26, 14,
                 "   VALUE \"ProductVersion\", \"999, -1, 0, 7\\000\""},
        LineCase{"no file type", [](VersionSettings& s) { s.FileType = -1; }, 26, 5, "FILETYPE "},
        LineCase{"static lib", [](VersionSettings& s) { s.FileType = 5; }, 26, 5, "FILETYPE VFT_STATIC_LIB"},
        LineCase{"unknown", [](VersionSettings& s) { s.FileType = 6; }, 26, 5, "FILETYPE VFT_UNKNOWN"},
        LineCase{"shift-jis", [](VersionSettings& s) { s.Description = "ソ表{}"; }, 26, 12,
                 "   VALUE \"FileDescription\", \"ソ表{}\\000\""},
        LineCase{"company", [](VersionSettings& s) { s.CompanyName = "Orbelane"; }, 26, 11,
                 "   VALUE \"CompanyName\", \"Orbelane\\000\""},
        LineCase{"original", [](VersionSettings& s) { s.OriginalName = "S.exe"; }, 26, 15,
                 "   VALUE \"OriginalFilename\", \"S.exe\\000\""},
        LineCase{"internal", [](VersionSettings& s) { s.InternalName = "S"; }, 26, 16,
                 "   VALUE \"InternalName\", \"S\\000\""},
        LineCase{"product name", [](VersionSettings& s) { s.ProductName = "P"; }, 26, 18,
                 "   VALUE \"ProductName\", \"P\\000\""},
        LineCase{"include flag is no input", [](VersionSettings& s) { s.IncludeVerInfo = false; }, 26, 1,
                 "1 VERSIONINFO"},
        LineCase{"string block name", [](VersionSettings& s) { s.Translation = 1; }, 26, 9,
                 "  BLOCK \"040904E4\""}));

}  // namespace
