#include <gtest/gtest.h>

#include "base/error.h"
#include "editor/resource_compile.h"
#include "editor/version_script.h"

namespace {

using editor::CompilerCommandLine;

struct CommandCase {
  std::string compiler;
  std::string script;
  std::string commandLine;
};

class CommandLine : public testing::TestWithParam<CommandCase> {};

TEST_P(CommandLine, QuotesBothPathsUnchanged) {
  EXPECT_EQ(CompilerCommandLine(GetParam().compiler, GetParam().script), GetParam().commandLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    testing::Values(
        CommandCase{"C:\\Tools\\brc32.exe", "C:\\Work\\Version.rc", "\"C:\\Tools\\brc32.exe\" -r \"C:\\Work\\Version.rc\""},
        CommandCase{"", "C:\\Work\\Version.rc", "\"\" -r \"C:\\Work\\Version.rc\""},
        CommandCase{"brc32.exe", "Version.rc", "\"brc32.exe\" -r \"Version.rc\""},
        CommandCase{"C:\\Program Files\\B\\brc32.exe", "C:\\My Work\\V.rc",
                    "\"C:\\Program Files\\B\\brc32.exe\" -r \"C:\\My Work\\V.rc\""}));

struct Recorder {
  std::vector<std::string> events;
  bool failWrite = false;
  bool failStart = false;
  editor::CompilePorts Ports() {
    return {[this](const std::string& path, const std::string& text) {
              if (failWrite) throw base::IoError(3);
              events.push_back("write " + path + " " + std::to_string(text.size()));
            },
            [this](const std::string& commandLine) {
              if (failStart) throw base::Error("cannot start");
              events.push_back("start " + commandLine);
            },
            [this] { events.push_back("compile error"); }};
  }
};

TEST(CompileCommand, WritesTheScriptThenStartsTheCompiler) {
  Recorder r;
  editor::VersionSettings s;
  editor::CompileVersionResource(s, "C:\\W\\V.rc", "C:\\B\\brc32.exe", r.Ports());
  const std::string size = std::to_string(editor::VersionScriptText(s).size());
  EXPECT_EQ(r.events, (std::vector<std::string>{"write C:\\W\\V.rc " + size,
                                                "start \"C:\\B\\brc32.exe\" -r \"C:\\W\\V.rc\""}));
}

TEST(CommandLine, APathWithADoubleQuoteIsRefused) {
  EXPECT_THROW(CompilerCommandLine("C:\\x\" -evil \"brc32.exe", "V.rc"), base::Error);
  EXPECT_THROW(CompilerCommandLine("brc32.exe", "V.rc\" & calc & \""), base::Error);
}

TEST(CompileCommand, ACompilerPathWithADoubleQuoteStartsNothingAndReports) {
  Recorder r;
  editor::CompileVersionResource({}, "C:\\W\\V.rc", "C:\\x\" -evil \"brc32.exe", r.Ports());
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[0].rfind("write ", 0), 0u);
  EXPECT_EQ(r.events[1], "compile error");
}

TEST(CompileCommand, AnEmptyScriptPathDoesNothing) {
  Recorder r;
  editor::CompileVersionResource({}, "", "C:\\B\\brc32.exe", r.Ports());
  EXPECT_TRUE(r.events.empty());
}

TEST(CompileCommand, AFailedScriptWriteStartsNoCompiler) {
  Recorder r;
  r.failWrite = true;
  EXPECT_THROW(editor::CompileVersionResource({}, "C:\\no\\V.rc", "brc32.exe", r.Ports()), base::IoError);
  EXPECT_TRUE(r.events.empty());
}

TEST(CompileCommand, AFailedStartIsReportedAsCompileError) {
  Recorder r;
  r.failStart = true;
  editor::CompileVersionResource({}, "V.rc", "brc32.exe", r.Ports());
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[1], "compile error");
}

TEST(IoErrors, CarryTheRuntimesTexts) {
  EXPECT_STREQ(base::IoError(3).what(), "不正なﾌｧｲﾙ名です");
  EXPECT_STREQ(base::IoError(5).what(), "ﾌｧｲﾙへのｱｸｾｽが拒否されました");
  EXPECT_STREQ(base::IoError(32).what(), "I/O ｴﾗｰ (32)");
  EXPECT_EQ(base::IoError(112).code(), 112);
}

}  // namespace
