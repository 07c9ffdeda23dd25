#include <gtest/gtest.h>

#include "editor/core/project_source.h"
#include "editor/core/resource_directive.h"
#include "base/error.h"
#include "hostsim/host.h"
#include "tests/support/host_failures.h"
#include "tests/support/memory_source_file.h"

namespace {

using base::IsCp932LeadByte;
using editor::SourceUpdate;
using hostsim::Fault;
using hostsim::Host;

const char kProject[] = "C:\\Work\\Sample.dpr";
const char kScript[] = "C:\\Work\\Version.rc";

struct DirectiveCase {
  std::string scriptPath;
  std::string directive;
};

class Directive : public testing::TestWithParam<DirectiveCase> {};

TEST_P(Directive, IsTheScriptFileNameWithResExtensionInCapitals) {
  EXPECT_EQ(editor::ResourceDirective(GetParam().scriptPath, IsCp932LeadByte), GetParam().directive);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Directive,
    testing::Values(DirectiveCase{"C:\\Work\\Version.rc", "{$R VERSION.RES}"},
                    DirectiveCase{"D:\\x\\myres", "{$R MYRES.RES}"}, DirectiveCase{"D:\\x\\a.b.rc", "{$R A.B.RES}"},
                    DirectiveCase{"", "{$R .RES}"}, DirectiveCase{"Version.rc", "{$R VERSION.RES}"},
                    DirectiveCase{"C:my.rc", "{$R MY.RES}"}, DirectiveCase{"D:\\a.b\\noext", "{$R NOEXT.RES}"},
                    // "ソ" (83 5C) keeps its second byte; only a to z are upper-cased.
                    DirectiveCase{"C:\\W\\\x83\x5Cx.rc", "{$R \x83\x5CX.RES}"},
                    // A double-byte character is kept whole: "ヂ" (83 61) is not turned into
                    // "ア" (83 41); "マ" (83 7D) stays; letters after it are upper-cased.
                    DirectiveCase{"C:\\W\\\x83\x61.rc", "{$R \x83\x61.RES}"},
                    DirectiveCase{"C:\\W\\\x83\x7D" "ab.rc", "{$R \x83\x7D" "AB.RES}"},
                    // "バージョン.rc"
                    DirectiveCase{"C:\\W\\\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93.rc",
                                  "{$R \x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93.RES}"},
                    // A lone lead byte before the new extension takes the dot as its second byte.
                    DirectiveCase{"C:\\W\\a\x83", "{$R A\x83.RES}"},
                    DirectiveCase{"C:\\W\\" + std::string(300, 'a') + ".rc", "{$R " + std::string(255, 'A') + ".RES}"}));

struct UpdateCase {
  const char* what;
  std::string before;
  bool include;
  std::string after;
  SourceUpdate::Outcome outcome;
  std::string script = kScript;
};

class ProjectSource : public testing::TestWithParam<UpdateCase> {};

TEST_P(ProjectSource, InsertsOrRemovesTheDirective) {
  const UpdateCase& c = GetParam();
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, c.before);
  const SourceUpdate result = editor::UpdateProjectSource(*host.services(), c.include, c.script, IsCp932LeadByte);
  const hostsim::SourceModule& module = *host.FindModule(kProject);
  EXPECT_EQ(module.text, c.after) << c.what;
  EXPECT_EQ(result.outcome, c.outcome) << c.what;
  EXPECT_EQ(module.modified, c.before != c.after) << c.what;
  EXPECT_FALSE(module.readerAndWriterAtOnce) << c.what;
  EXPECT_EQ(host.Problems(), "") << c.what;

  // The batch program's update of the file on disk: the same edit, the same bytes.
  std::string file = c.before;
  std::map<std::string, std::string> backups;
  testsupport::MemorySourceFile source(file, backups);
  const editor::SourceEdit edit = editor::PlanSourceEdit(
      c.include, c.script, IsCp932LeadByte,
      [&source](int32_t at, char* buffer, int32_t count) { return source.Read(at, buffer, count); });
  if (edit.kind != editor::SourceEdit::Kind::None) {
    stamp::WriteEditedText(source, edit);
    source.Commit("Sample.~dp");
  }
  EXPECT_EQ(file, c.after) << c.what;
  EXPECT_EQ(edit.position, result.position) << c.what;
}

const std::string kHead = "program Sample;\r\n\r\nuses Forms;\r\n\r\n{$R *.RES}\r\n";
const std::string kTail = "\r\nbegin\r\nend.\r\n";
const std::string kDirective = "{$R VERSION.RES}";
using O = SourceUpdate::Outcome;

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectSource,
    testing::Values(
        UpdateCase{"insert below {$R *.RES}", kHead + kTail, true, kHead.substr(0, kHead.size() - 2) + "\r\n" + kDirective + "\r\n" + kTail, O::Inserted},
        UpdateCase{"already there", kHead + kDirective + "\r\n" + kTail, true, kHead + kDirective + "\r\n" + kTail, O::Unchanged},
        UpdateCase{"remove leaves an empty line", kHead + kDirective + "\r\n" + kTail, false, kHead + "\r\n" + kTail, O::Removed},
        UpdateCase{"lower case counts", "x{$r version.res}y", true, "x{$r version.res}y", O::Unchanged},
        UpdateCase{"lower case removed", "x{$r version.res}y", false, "xy", O::Removed},
        UpdateCase{"two spaces differ, checked", "{$R *.RES}{$R  VERSION.RES}", true, "{$R *.RES}\r\n" + kDirective + "{$R  VERSION.RES}", O::Inserted},
        UpdateCase{"two spaces differ, unchecked", "{$R  VERSION.RES}", false, "{$R  VERSION.RES}", O::Unchanged},
        UpdateCase{"behind the last of two", "{$R *.RES}a{$r *.res}b", true, "{$R *.RES}a{$r *.res}\r\n" + kDirective + "b", O::Inserted},
        UpdateCase{"none: appended at the end", "begin end.", true, "begin end.\r\n" + kDirective, O::Inserted},
        UpdateCase{"empty text", "", true, "\r\n" + kDirective, O::Inserted},
        UpdateCase{"empty text, unchecked", "", false, "", O::Unchanged},
        UpdateCase{"directive at position 0", kDirective + "\r\nrest", false, "\r\nrest", O::Removed},
        UpdateCase{"only the first is removed", kDirective + kDirective, false, kDirective, O::Removed},
        UpdateCase{"unchecked ignores {$R *.RES}", "{$R *.RES}", false, "{$R *.RES}", O::Unchanged},
        UpdateCase{"a brace token swallows the directive", "{$R *.RES}{ x " + kDirective, true, "{$R *.RES}\r\n" + kDirective + "{ x " + kDirective, O::Inserted},
        UpdateCase{"brace never closed", "{$R *.RES}{ x\r\n{$R *.RES", true,
                   "{$R *.RES}\r\n" + kDirective + "{ x\r\n{$R *.RES", O::Inserted},
        UpdateCase{"open brace, unchecked", "{ x " + kDirective, false, "{ x " + kDirective, O::Unchanged},
        UpdateCase{"directive before an open brace", kDirective + "{ x", false, "{ x", O::Removed},
        UpdateCase{"no nesting", "{ {$R *.RES} }", true, "{ {$R *.RES} }\r\n" + kDirective, O::Inserted},
        UpdateCase{"inside a string literal", "s := '{$R *.RES}';", true, "s := '{$R *.RES}\r\n" + kDirective + "';", O::Inserted},
        UpdateCase{"inside a // comment", "// {$R *.RES}\r\n", true, "// {$R *.RES}\r\n" + kDirective + "\r\n", O::Inserted},
        // The second byte of a double-byte character neither opens nor closes a token.
        UpdateCase{"trail byte { opens nothing", "\x81\x7B" "$R *.RES}x", true,
                   "\x81\x7B" "$R *.RES}x\r\n" + kDirective, O::Inserted},
        UpdateCase{"trail byte } closes nothing", "{x\x81}{$R *.RES}z", true,
                   "{x\x81}{$R *.RES}z\r\n" + kDirective, O::Inserted},
        UpdateCase{"ボタン does not swallow {$R *.RES}", "// \x83\x7B\x83\x5E\x83\x93\r\n{$R *.RES}\r\nend.", true,
                   "// \x83\x7B\x83\x5E\x83\x93\r\n{$R *.RES}\r\n" + kDirective + "\r\nend.", O::Inserted},
        UpdateCase{"a character split between two reads", std::string(4095, 'x') + "\x83\x7B" "$R *.RES}y", true,
                   std::string(4095, 'x') + "\x83\x7B" "$R *.RES}y\r\n" + kDirective, O::Inserted},
        UpdateCase{"マ.rc: its directive is found again", "{$R *.RES}\r\n{$R \x83\x7D.RES}\r\n", true,
                   "{$R *.RES}\r\n{$R \x83\x7D.RES}\r\n", O::Unchanged, "C:\\W\\\x83\x7D.rc"},
        UpdateCase{"マ.rc: inserted", "{$R *.RES}\r\n", true, "{$R *.RES}\r\n{$R \x83\x7D.RES}\r\n", O::Inserted,
                   "C:\\W\\\x83\x7D.rc"},
        UpdateCase{"マ.rc: removed", "a{$R \x83\x7D.RES}b", false, "ab", O::Removed, "C:\\W\\\x83\x7D.rc"},
        UpdateCase{"ヂ.rc does not take ア's directive", "{$R \x83\x41.RES}", false, "{$R \x83\x41.RES}",
                   O::Unchanged, "C:\\W\\\x83\x61.rc"},
        UpdateCase{"ヂ.rc: found in lower case", "{$r \x83\x61.res}", true, "{$r \x83\x61.res}", O::Unchanged,
                   "C:\\W\\\x83\x61.rc"},
        // A script path that names no file adds nothing; "{$R .RES}" still goes when unchecked.
        UpdateCase{"empty script path adds nothing", kHead + kTail, true, kHead + kTail, O::Unchanged, ""},
        UpdateCase{"a folder as script path adds nothing", "begin end.", true, "begin end.", O::Unchanged,
                   "C:\\Work\\"},
        UpdateCase{"empty script path removes {$R .RES}", "{$R *.RES}\r\n{$R .RES}\r\n", false,
                   "{$R *.RES}\r\n\r\n", O::Removed, ""},
        UpdateCase{"a script named .rc links .RES", "{$R *.RES}", true, "{$R *.RES}\r\n{$R .RES}", O::Inserted,
                   "C:\\Work\\.rc"},
        UpdateCase{"NUL bytes are characters", std::string("a\0{$R *.RES}\0b", 14), true,
                   std::string("a\0{$R *.RES}\r\n{$R VERSION.RES}\0b", 32), O::Inserted}));

TEST(ProjectSource, InsertingTwiceChangesNothingTheSecondTime) {
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, kHead + kTail);
  editor::UpdateProjectSource(*host.services(), true, kScript, IsCp932LeadByte);
  const std::string once = host.FindModule(kProject)->text;
  const auto second = editor::UpdateProjectSource(*host.services(), true, kScript, IsCp932LeadByte);
  EXPECT_EQ(second.outcome, SourceUpdate::Outcome::Unchanged);
  EXPECT_EQ(host.FindModule(kProject)->text, once);
  editor::UpdateProjectSource(*host.services(), false, kScript, IsCp932LeadByte);
  EXPECT_EQ(host.FindModule(kProject)->text, kHead + "\r\n" + kTail);
}

TEST(ProjectSource, ReleasesInReverseOrderOfObtaining) {
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, "{$R *.RES}");
  editor::UpdateProjectSource(*host.services(), true, kScript, IsCp932LeadByte);
  EXPECT_EQ(host.ledger.releaseOrder(),
            (std::vector<std::string>{"Reader", "Writer", "EditBuffer", "SourceModule"}));
  EXPECT_EQ(host.calls("ReadChars"), 2);  // one block with all ten characters, then the end
}

struct TokenCase {
  const char* what;
  std::string text;
  bool include;
  size_t largestToken;
  int32_t charsRead;
  SourceUpdate::Outcome outcome;
};

class TokenMemory : public testing::TestWithParam<TokenCase> {};

TEST_P(TokenMemory, HoldsNoMoreOfTheCurrentTokenThanADirectiveNeeds) {
  const TokenCase& c = GetParam();
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, c.text);
  const auto result = editor::UpdateProjectSource(*host.services(), c.include, kScript, IsCp932LeadByte);
  EXPECT_EQ(result.largestToken, c.largestToken) << c.what;
  EXPECT_EQ(result.charsRead, c.charsRead) << c.what;
  EXPECT_EQ(result.outcome, c.outcome) << c.what;
}

// "{$R VERSION.RES}" has 16 bytes: one more is all a longer token needs to differ.
INSTANTIATE_TEST_SUITE_P(
    Cases, TokenMemory,
    testing::Values(
        TokenCase{"short token", std::string(100000, 'x') + "{abc}" + std::string(100000, 'y'), false, 5, 200005,
                  O::Unchanged},
        TokenCase{"unclosed brace near the start", "{$R *.RES}\r\n{" + std::string(3 << 20, 'y'), true, 17,
                  12 + 1 + (3 << 20), O::Inserted},
        TokenCase{"long token, then the directive", "{" + std::string(5000, 'z') + "}" + kDirective, false, 17,
                  5002 + 16, O::Removed}));

struct FaultCase {
  const char* operation;
  int succeedingCalls;
  bool include;
};

// A host object that is not there: nothing is done and nothing is left held.
class ProjectSourceNulls : public testing::TestWithParam<FaultCase> {};

TEST_P(ProjectSourceNulls, ReleaseEverythingAndLeaveTheTextAlone) {
  const FaultCase& c = GetParam();
  const std::string text = c.include ? "{$R *.RES}\r\nend." : "{$R VERSION.RES}\r\nend.";
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, text);
  host.SetFault(c.operation, Fault::ReturnNull, c.succeedingCalls);
  EXPECT_EQ(editor::UpdateProjectSource(*host.services(), c.include, kScript, IsCp932LeadByte).outcome,
            SourceUpdate::Outcome::NoSource);
  EXPECT_EQ(host.FindModule(kProject)->text, text) << c.operation;
  EXPECT_EQ(host.Problems(), "") << c.operation;
  EXPECT_EQ(host.servicesRefs(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProjectSourceNulls,
                         testing::Values(FaultCase{"OpenSourceModule", 0, true}, FaultCase{"GetEditBuffer", 0, true},
                                         FaultCase{"NewReader", 0, true}, FaultCase{"NewWriter", 0, true}));

// A host operation that fails as the host fails (its language's exception, or an access
// violation): our error with the host's message, everything released, the text as it was.
class ProjectSourceFaults : public testing::TestWithParam<std::tuple<FaultCase, Fault>> {};

TEST_P(ProjectSourceFaults, ReleaseEverythingAndLeaveTheTextAlone) {
  const auto& [c, fault] = GetParam();
  const std::string text = c.include ? "{$R *.RES}\r\nend." : "{$R VERSION.RES}\r\nend.";
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, text);
  host.SetFault(c.operation, fault, c.succeedingCalls);
  try {
    editor::UpdateProjectSource(*host.services(), c.include, kScript, IsCp932LeadByte);
    ADD_FAILURE() << c.operation << ": nothing raised";
  } catch (const base::Error& e) {
    EXPECT_EQ(e.what(), testsupport::FailureMessage(fault, c.operation));
  }
  EXPECT_EQ(host.FindModule(kProject)->text, text) << c.operation;
  EXPECT_EQ(host.Problems(), "") << c.operation;
  EXPECT_EQ(host.servicesRefs(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectSourceFaults,
    testing::Combine(testing::Values(FaultCase{"GetProjectFileName", 0, true}, FaultCase{"OpenSourceModule", 0, true},
                                     FaultCase{"GetEditBuffer", 0, false}, FaultCase{"NewReader", 0, true},
                                     FaultCase{"ReadChars", 0, true}, FaultCase{"ReadChars", 1, true},
                                     FaultCase{"NewWriter", 0, false}, FaultCase{"KeepUpTo", 0, true},
                                     FaultCase{"InsertText", 0, true}, FaultCase{"SkipUpTo", 0, false}),
                     testing::ValuesIn(testsupport::kRaisingFaults)));

// A writer that answers that it did not do what it was asked: our error, not the edit
// reported as made; the text as it was.
class WriterRefusals : public testing::TestWithParam<FaultCase> {};

TEST_P(WriterRefusals, AreFailures) {
  const FaultCase& c = GetParam();
  const std::string text = c.include ? "{$R *.RES}\r\nend." : "{$R VERSION.RES}\r\nend.";
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, text);
  host.SetFault(c.operation, Fault::ReturnNull);
  try {
    editor::UpdateProjectSource(*host.services(), c.include, kScript, IsCp932LeadByte);
    ADD_FAILURE() << c.operation << ": nothing raised";
  } catch (const base::Error& e) {
    EXPECT_STREQ(e.what(), "ﾌﾟﾛｼﾞｪｸﾄのｿｰｽを変更できません");
  }
  EXPECT_EQ(host.FindModule(kProject)->text, text) << c.operation;
  EXPECT_EQ(host.Problems(), "") << c.operation;
}

INSTANTIATE_TEST_SUITE_P(Cases, WriterRefusals,
                         testing::Values(FaultCase{"KeepUpTo", 0, true}, FaultCase{"InsertText", 0, true},
                                         FaultCase{"SkipUpTo", 0, false}));

// The writer's edits go into the text when it is released: a release that fails is the
// update's failure, not a directive inserted or removed.
TEST(ProjectSource, AFailedCommitOfTheWriterIsReported) {
  for (const Fault fault : testsupport::kRaisingFaults) {
    for (const bool include : {true, false}) {
      const std::string text = include ? "{$R *.RES}\r\nend." : "{$R VERSION.RES}\r\nend.";
      Host host;
      host.projectFileName = kProject;
      host.OpenModule(kProject, text);
      host.SetFault("Writer.Release", fault);
      try {
        editor::UpdateProjectSource(*host.services(), include, kScript, IsCp932LeadByte);
        ADD_FAILURE() << "nothing raised";
      } catch (const base::Error& e) {
        EXPECT_EQ(e.what(), testsupport::FailureMessage(fault, "Writer.Release"));
      }
      EXPECT_EQ(host.FindModule(kProject)->text, text);
      EXPECT_EQ(host.ledger.live(), 1);  // the writer, whose release the host refused
    }
  }
}

// The host's language may answer a literal: read, never written or freed.
TEST(ProjectSource, AProjectNameAnsweredAsAConstant) {
  Host host;
  host.projectFileName = kProject;
  host.projectNameAsConstant = true;
  host.OpenModule(kProject, "{$R *.RES}");
  EXPECT_EQ(editor::UpdateProjectSource(*host.services(), true, kScript, IsCp932LeadByte).outcome,
            SourceUpdate::Outcome::Inserted);
  EXPECT_EQ(host.Problems(), "");
}

TEST(ProjectSource, ProjectNotOpenAsModuleMeansNoUpdate) {
  Host host;
  host.projectFileName = kProject;
  host.OpenModule("C:\\Work\\Other.dpr", "{$R *.RES}");
  EXPECT_EQ(editor::UpdateProjectSource(*host.services(), true, kScript, IsCp932LeadByte).outcome,
            SourceUpdate::Outcome::NoSource);
  EXPECT_EQ(host.FindModule("C:\\Work\\Other.dpr")->text, "{$R *.RES}");
  EXPECT_EQ(host.Problems(), "");
}

}  // namespace
