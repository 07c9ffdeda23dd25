#include <gtest/gtest.h>

#include "editor/project_source.h"
#include "editor/resource_directive.h"
#include "hostsim/host.h"

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
                    DirectiveCase{"C:\\W\\\x83\x61.rc", "{$R \x83\x41.RES}"},
                    DirectiveCase{"C:\\W\\" + std::string(300, 'a') + ".rc", "{$R " + std::string(255, 'A') + ".RES}"}));

struct UpdateCase {
  const char* what;
  std::string before;
  bool include;
  std::string after;
  SourceUpdate::Outcome outcome;
};

class ProjectSource : public testing::TestWithParam<UpdateCase> {};

TEST_P(ProjectSource, InsertsOrRemovesTheDirective) {
  const UpdateCase& c = GetParam();
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, c.before);
  const SourceUpdate result = editor::UpdateProjectSource(*host.services(), c.include, kScript, IsCp932LeadByte);
  const hostsim::SourceModule& module = *host.FindModule(kProject);
  EXPECT_EQ(module.text, c.after) << c.what;
  EXPECT_EQ(result.outcome, c.outcome) << c.what;
  EXPECT_EQ(module.modified, c.before != c.after) << c.what;
  EXPECT_FALSE(module.readerAndWriterAtOnce) << c.what;
  EXPECT_EQ(host.ledger.Problems(), "") << c.what;
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
        // The second byte 0x7B of a double-byte character opens a token like "{" does.
        UpdateCase{"trail byte {", "\x81\x7B" "$R *.RES}", true, "\x81\x7B" "$R *.RES}\r\n" + kDirective, O::Inserted},
        UpdateCase{"trail byte }", "{$R *.RES\x81}z", true, "{$R *.RES\x81}z\r\n" + kDirective, O::Inserted},
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
  EXPECT_EQ(host.calls("ReadChars"), 11);  // ten characters and the end
}

TEST(ProjectSource, HoldsOnlyTheCurrentToken) {
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, std::string(100000, 'x') + "{abc}" + std::string(100000, 'y'));
  const auto result = editor::UpdateProjectSource(*host.services(), false, kScript, IsCp932LeadByte);
  EXPECT_EQ(result.largestToken, 5u);
  EXPECT_EQ(result.charsRead, 200005);
}

struct FaultCase {
  const char* operation;
  Fault fault;
  int succeedingCalls;
  bool include;
  bool raises;
};

class ProjectSourceFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(ProjectSourceFaults, ReleaseEverythingAndLeaveTheTextAlone) {
  const FaultCase& c = GetParam();
  const std::string text = c.include ? "{$R *.RES}\r\nend." : "{$R VERSION.RES}\r\nend.";
  Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, text);
  host.SetFault(c.operation, c.fault, c.succeedingCalls);
  if (c.raises) {
    EXPECT_THROW(editor::UpdateProjectSource(*host.services(), c.include, kScript, IsCp932LeadByte),
                 hostsim::HostFailure);
  } else {
    EXPECT_EQ(editor::UpdateProjectSource(*host.services(), c.include, kScript, IsCp932LeadByte).outcome,
              SourceUpdate::Outcome::NoSource);
  }
  EXPECT_EQ(host.FindModule(kProject)->text, text) << c.operation;
  EXPECT_EQ(host.ledger.Problems(), "") << c.operation;
  EXPECT_EQ(host.servicesRefs(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectSourceFaults,
    testing::Values(FaultCase{"GetProjectFileName", Fault::Raise, 0, true, true},
                    FaultCase{"OpenSourceModule", Fault::ReturnNull, 0, true, false},
                    FaultCase{"OpenSourceModule", Fault::Raise, 0, true, true},
                    FaultCase{"GetEditBuffer", Fault::ReturnNull, 0, true, false},
                    FaultCase{"GetEditBuffer", Fault::Raise, 0, false, true},
                    FaultCase{"NewReader", Fault::ReturnNull, 0, true, false},
                    FaultCase{"NewReader", Fault::Raise, 0, true, true},
                    FaultCase{"ReadChars", Fault::Raise, 0, true, true},
                    FaultCase{"ReadChars", Fault::Raise, 5, false, true},
                    FaultCase{"NewWriter", Fault::ReturnNull, 0, true, false},
                    FaultCase{"NewWriter", Fault::Raise, 0, false, true},
                    FaultCase{"KeepUpTo", Fault::Raise, 0, true, true},
                    FaultCase{"InsertText", Fault::Raise, 0, true, true},
                    FaultCase{"SkipUpTo", Fault::Raise, 0, false, true}));

TEST(ProjectSource, ProjectNotOpenAsModuleMeansNoUpdate) {
  Host host;
  host.projectFileName = kProject;
  host.OpenModule("C:\\Work\\Other.dpr", "{$R *.RES}");
  EXPECT_EQ(editor::UpdateProjectSource(*host.services(), true, kScript, IsCp932LeadByte).outcome,
            SourceUpdate::Outcome::NoSource);
  EXPECT_EQ(host.FindModule("C:\\Work\\Other.dpr")->text, "{$R *.RES}");
  EXPECT_EQ(host.ledger.Problems(), "");
}

}  // namespace
