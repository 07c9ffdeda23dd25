#include <gtest/gtest.h>

#include "base/error.h"
#include "editor/core/resource_compile.h"
#include "editor/core/version_script.h"
#include "editor/core/windows_path.h"

namespace {

using editor::CompilerCommandLine;

const editor::CompileSite kSite{"C:\\W\\Sample.dpr", "C:\\W", base::IsCp932LeadByte};

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
  editor::CompileVersionResource(s, "C:\\W\\V.rc", "C:\\B\\brc32.exe", kSite, r.Ports());
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
  editor::CompileVersionResource({}, "C:\\W\\V.rc", "C:\\x\" -evil \"brc32.exe", kSite, r.Ports());
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[0].rfind("write ", 0), 0u);
  EXPECT_EQ(r.events[1], "compile error");
}

TEST(CompileCommand, AnEmptyScriptPathDoesNothing) {
  Recorder r;
  editor::CompileVersionResource({}, "", "C:\\B\\brc32.exe", kSite, r.Ports());
  EXPECT_TRUE(r.events.empty());
}

TEST(CompileCommand, AFailedScriptWriteStartsNoCompiler) {
  Recorder r;
  r.failWrite = true;
  EXPECT_THROW(editor::CompileVersionResource({}, "C:\\no\\V.rc", "brc32.exe", kSite, r.Ports()), base::IoError);
  EXPECT_TRUE(r.events.empty());
}

TEST(CompileCommand, AFailedStartIsReportedAsCompileError) {
  Recorder r;
  r.failStart = true;
  editor::CompileVersionResource({}, "V.rc", "brc32.exe", kSite, r.Ports());
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[1], "compile error");
}

struct SameFileCase {
  const char* path;
  const char* currentDirectory;
  bool same;  // as "C:\\Work\\Sample.dpr"
};

class ProjectSourcePath : public testing::TestWithParam<SameFileCase> {};

TEST_P(ProjectSourcePath, IsToldAsWindowsOpensFiles) {
  const SameFileCase& c = GetParam();
  EXPECT_EQ(editor::NamesSameFile(c.path, "C:\\Work\\Sample.dpr", c.currentDirectory, base::IsCp932LeadByte), c.same)
      << c.path << " in " << c.currentDirectory;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectSourcePath,
    testing::Values(SameFileCase{"C:\\Work\\Sample.dpr", "D:\\", true},
                    SameFileCase{"c:\\work\\SAMPLE.DPR", "D:\\", true},
                    SameFileCase{"Sample.dpr", "C:\\Work", true},
                    SameFileCase{"Sample.dpr", "C:\\Work\\", true},
                    SameFileCase{"Sample.dpr", "C:\\Other", false},
                    SameFileCase{"..\\Sample.dpr", "C:\\Work\\sub", true},
                    SameFileCase{"..\\..\\..\\Work\\Sample.dpr", "C:\\Work", true},
                    SameFileCase{"..\\Work\\Sample.dpr", "C:\\Work\\sub", false},
                    SameFileCase{"\\\\srv\\share\\Sample.dpr", "C:\\Work", false},
                    SameFileCase{"C:\\Work\\..\\Work\\.\\Sample.dpr", "D:\\", true},
                    SameFileCase{"C:/Work//Sample.dpr", "D:\\", true},
                    SameFileCase{"C:Sample.dpr", "C:\\Work", true},
                    SameFileCase{"C:Sample.dpr", "D:\\Work", false},
                    SameFileCase{"\\Work\\Sample.dpr", "C:\\Other", true},
                    SameFileCase{"\\Work\\Sample.dpr", "D:\\Other", false},
                    SameFileCase{"C:\\Work\\Sample.dpr.", "D:\\", true},
                    SameFileCase{"C:\\Work\\Sample.dpr . .", "D:\\", true},
                    SameFileCase{"C:\\Work.\\Sample.dpr", "D:\\", true},
                    SameFileCase{"C:\\Work\\Sample.dpr::$data", "D:\\", true},
                    SameFileCase{"\\\\?\\C:\\Work\\Sample.dpr", "D:\\", true},
                    SameFileCase{"C:\\Work\\Sample.dpr\\", "D:\\", false},
                    SameFileCase{"C:\\Work\\Sample.dp", "D:\\", false},
                    SameFileCase{"C:\\Work\\Sample.dpr.rc", "D:\\", false},
                    SameFileCase{"C:\\Work..\\Sample.dpr", "D:\\", false},
                    SameFileCase{"D:\\Work\\Sample.dpr", "D:\\", false},
                    SameFileCase{"Version.rc", "C:\\Work", false}));

struct PathPairCase {
  const char* path;
  const char* project;
  bool same;
};

class PathPair : public testing::TestWithParam<PathPairCase> {};

TEST_P(PathPair, ComparesCharactersWholeAndKeepsTheRoot) {
  const PathPairCase& c = GetParam();
  EXPECT_EQ(editor::NamesSameFile(c.path, c.project, "C:\\", base::IsCp932LeadByte), c.same) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathPair,
    testing::Values(
        // "表\ソ.dpr": the second bytes 5C are no separators.
        PathPairCase{"c:\\\x95\x5C\\\x83\x5C.DPR", "C:\\\x95\x5C\\\x83\x5C.dpr", true},
        PathPairCase{"C:\\\x95\x5C\\..\\\x83\x5C.dpr", "C:\\\x83\x5C.dpr", true},
        // "ヂ" (83 61) and "ア" (83 41) differ only in a second byte: no case there.
        PathPairCase{"C:\\\x83\x61.dpr", "C:\\\x83\x41.dpr", false},
        PathPairCase{"C:\\\x83\x61.dpr", "C:\\\x83\x61.DPR", true},
        // ".." does not climb above a share.
        PathPairCase{"\\\\SRV\\Share\\..\\Sample.dpr", "\\\\srv\\share\\Sample.dpr", true},
        PathPairCase{"\\\\srv\\other\\Sample.dpr", "\\\\srv\\share\\Sample.dpr", false},
        PathPairCase{"\\\\?\\UNC\\srv\\share\\Sample.dpr", "\\\\srv\\share\\Sample.dpr", true}));

TEST(CompileCommand, AScriptPathNamingTheProjectSourceWritesAndStartsNothing) {
  for (const char* script : {"C:\\W\\Sample.dpr", "sample.DPR", "C:\\W\\.\\Sample.dpr "}) {
    Recorder r;
    editor::CompileVersionResource({}, script, "C:\\B\\brc32.exe", kSite, r.Ports());
    EXPECT_EQ(r.events, (std::vector<std::string>{"compile error"})) << script;
  }
}

TEST(CompileCommand, WithoutAProjectNameEveryScriptPathIsWritten) {
  Recorder r;
  editor::CompileVersionResource({}, "C:\\W\\Sample.dpr", "brc32.exe", {"", "C:\\W", base::IsCp932LeadByte},
                                 r.Ports());
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[0].rfind("write C:\\W\\Sample.dpr", 0), 0u);
}

TEST(IoErrors, CarryTheRuntimesTexts) {
  EXPECT_STREQ(base::IoError(3).what(), "不正なﾌｧｲﾙ名です");
  EXPECT_STREQ(base::IoError(5).what(), "ﾌｧｲﾙへのｱｸｾｽが拒否されました");
  EXPECT_STREQ(base::IoError(32).what(), "I/O ｴﾗｰ (32)");
  EXPECT_EQ(base::IoError(112).code(), 112);
}

}  // namespace
