// The batch program's core over files held in memory: command line, options, and the
// steps with their refusals, outputs and exit codes.
#include "stamp/stamp.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "base/error.h"
#include "editor/core/ini_text.h"
#include "editor/core/memory_settings_view.h"
#include "editor/core/vri_keys.h"
#include "editor/core/vri_settings.h"
#include "stamp/command_line.h"
#include "stamp/options.h"
#include "stamp/source_swap.h"
#include "tests/support/golden.h"
#include "tests/support/memory_source_file.h"

namespace {

using base::IsCp932LeadByte;
using Strings = std::vector<std::string>;

const char kProject[] = "C:\\Work\\Sample.dpr";
const char kVri[] = "C:\\Work\\Sample.vri";
const char kScript[] = "C:\\Work\\Version.rc";
const char kSource[] = "program Sample;\r\n\r\n{$R *.RES}\r\n\r\nbegin\r\nend.\r\n";

// ---- Command line and options

struct SplitCase {
  std::string line;
  Strings args;
};

class StampCommandLine : public testing::TestWithParam<SplitCase> {};

TEST_P(StampCommandLine, SplitsAsTheRuntimeDoesWithDoubleByteCharactersWhole) {
  EXPECT_EQ(stamp::SplitCommandLine(GetParam().line, IsCp932LeadByte), GetParam().args) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Cases, StampCommandLine,
                         testing::Values(SplitCase{"T.exe  a\tb ", {"T.exe", "a", "b"}},
                                         SplitCase{"\"C:\\Program Files\\T.exe\" --set \"Comment=a b\" x",
                                                   {"C:\\Program Files\\T.exe", "--set", "Comment=a b", "x"}},
                                         // ソ (83 5C) before the closing quote, ボ (83 7B) and マ (83 7D) in a name.
                                         SplitCase{"T \"C:\\\x83\x5C\" \\\x83\x7B\x83\x7D.dpr",
                                                   {"T", "C:\\\x83\x5C", "\\\x83\x7B\x83\x7D.dpr"}},
                                         SplitCase{"T a\\\\\"b c\" a\\\"b \"a\"\"b\" \\\\x",
                                                   {"T", "a\\b c", "a\"b", "a\"b", "\\\\x"}},
                                         SplitCase{"T \"\"", {"T", ""}}));

TEST(StampOptions, TakesEveryOptionInEitherForm) {
  const stamp::Options o = stamp::ParseOptions({"--bump", "build", "--product", "--compile", "--compiler=C:\\b.exe",
                                                "--update-source", "--new", "--dry-run", "--script", "o.rc", "--set",
                                                "comment=\x83\x5C", "--set=Description=", "--", "-S.dpr"});
  EXPECT_TRUE(o.bumpProduct && o.compile && o.updateSource && o.allowNew && o.dryRun);
  EXPECT_EQ(o.project + *o.compiler + *o.script + std::to_string(*o.bump), "-S.dprC:\\b.exeo.rc3");
  ASSERT_EQ(o.sets.size(), 2u);
  EXPECT_EQ(o.sets[0].key + "=" + o.sets[0].value, "Comment=\x83\x5C");  // keys compare as INI keys do
  EXPECT_EQ(o.sets[0].field, editor::TextField::Comment);
  EXPECT_EQ(stamp::ParseOptions({"S.dpr", "/?"}).mode, stamp::Options::Mode::Help);
}

TEST(StampOptions, TakeAValueLikeAnOptionOnlyAfterTheEqualsSign) {
  const stamp::Options o = stamp::ParseOptions({"--script=--v.rc", "--compile", "--compiler", "-b.exe", "S.dpr"});
  EXPECT_EQ(*o.script + *o.compiler, "--v.rc-b.exe");
}

TEST(StampOptions, HelpFitsAnEightyColumnConsole) {
  for (const std::string& line : stamp::HelpLines()) EXPECT_LE(line.size(), 79u) << line;
}

struct UsageCase {
  Strings args;
  std::string message;
};

class StampUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(StampUsage, IsRefusedWithItsReason) {
  try {
    stamp::ParseOptions(GetParam().args);
    FAIL() << "accepted: " << GetParam().message;
  } catch (const stamp::UsageError& e) {
    EXPECT_EQ(e.what(), GetParam().message);
  }
}

const char kNotStored[] =
    ": この値は VRI ﾌｧｲﾙに保存すると変わってしまいます (改行、前後の空白、値を囲む引用符、1023 "
    "ﾊﾞｲﾄを超える長さは保存できません)";

INSTANTIATE_TEST_SUITE_P(
    Cases, StampUsage,
    testing::Values(
        UsageCase{{}, "ﾌﾟﾛｼﾞｪｸﾄのﾒｲﾝｿｰｽﾌｧｲﾙ (.dpr) を指定します"},
        UsageCase{{"a", "b"}, "ﾌﾟﾛｼﾞｪｸﾄのﾒｲﾝｿｰｽﾌｧｲﾙは 1 つだけ指定します: b"},
        UsageCase{{"--frob", "a"}, "不明なｵﾌﾟｼｮﾝです: --frob"}, UsageCase{{"a", "--bump"}, "--bump には値が必要です"},
        UsageCase{{"--bump", "patch", "a"}, "--bump には major, minor, release, build のいずれかを指定します: patch"},
        UsageCase{{"--product", "a"}, "--product は --bump と一緒に指定します"},
        UsageCase{{"--set", "FileVersion=1, 2, 3, 4", "a"},
                  "--set で変えられるのは FileVerView, Description, CopyRight, CompanyName, OriginalName, "
                  "ProductVerView, ProductName, InternalName, Comment です: FileVersion"},
        UsageCase{{"--set", "Comment=a", "--set", "COMMENT=b", "a"}, "--set Comment が 2 回指定されています"},
        UsageCase{{"--set", "Comment= x", "a"}, std::string("--set Comment") + kNotStored},
        UsageCase{{"--set", "Comment=\"x\"", "a"}, std::string("--set Comment") + kNotStored},
        UsageCase{{"--set", "Comment=" + std::string(1024, 'x'), "a"}, std::string("--set Comment") + kNotStored},
        UsageCase{{"--set", "Comment=a \"b\"", "a"},
                  "--set Comment: 値に \" は使えません (ﾊﾞｰｼﾞｮﾝ情報ｽｸﾘﾌﾟﾄの文字列がそこで終わってしまいます)"},
        UsageCase{{"--script", "a.rc", "--script=b.rc", "a"}, "--script は 1 回だけ指定できます"},
        UsageCase{{"--compile", "--compiler=a", "--compiler", "b", "a"}, "--compiler は 1 回だけ指定できます"},
        UsageCase{{"--script", "--compile", "a"},
                  "--script には値が必要です: --compile はｵﾌﾟｼｮﾝとみなします (値にするには --script=--compile と指定します)"},
        UsageCase{{"--set", "/?", "a"}, "--set には値が必要です: /? はｵﾌﾟｼｮﾝとみなします (値にするには --set=/? と指定します)"}));

TEST(StampBackup, KeepsTheExtensionsFirstTwoCharacters) {
  EXPECT_EQ(stamp::BackupFileName("C:\\W\\Sample.dpr", IsCp932LeadByte), "C:\\W\\Sample.~dp");
  EXPECT_EQ(stamp::BackupFileName("C:\\a.b\\P", IsCp932LeadByte), "C:\\a.b\\P.~");
  EXPECT_EQ(stamp::BackupFileName("C:\\\x83\x5C.\x95\x5Cxy", IsCp932LeadByte), "C:\\\x83\x5C.~\x95\x5Cx");
}

// ---- The new text written and swapped in, over file calls that fail as a case says

// Files by name. A call named in `failing` ("FROM>TO" for a move, "write") fails with its
// code; LastError starts with a code left over from an earlier call.
struct FakeCalls final : stamp::FileCalls {
  std::map<std::string, std::string> files;
  std::map<std::string, unsigned long> failing;
  size_t room = SIZE_MAX;  // bytes the disk takes
  unsigned long lastError = 183;

  bool Fails(const std::string& call) {
    if (!failing.count(call)) return false;
    lastError = failing.at(call);
    return true;
  }
  bool WriteNewText(const char*, size_t count, size_t& written) override {
    if (Fails("write")) return false;
    written = std::min(count, room);
    return true;
  }
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  bool Move(const std::string& from, const std::string& to) override {
    if (Fails(from + ">" + to)) return false;
    if (!files.count(from) || files.count(to)) {
      lastError = files.count(to) ? 183 : 2;
      return false;
    }
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Delete(const std::string& path) override { return files.erase(path) > 0; }
  std::string UnusedName() override { return "tlv2.tmp"; }
  unsigned long LastError() override { return lastError; }
};

struct WriteCase {
  const char* what;
  std::map<std::string, unsigned long> failing;
  size_t room;
  std::string message;
};

class StampNewText : public testing::TestWithParam<WriteCase> {};

TEST_P(StampNewText, ReportsTheReasonOfAWriteThatFellShort) {
  FakeCalls calls;
  calls.failing = GetParam().failing;
  calls.room = GetParam().room;
  try {
    stamp::WriteNewText(calls, "tlv1.tmp", "program", 7);
    FAIL() << GetParam().what;
  } catch (const base::Error& e) {
    EXPECT_EQ(e.what(), GetParam().message) << GetParam().what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampNewText,
    testing::Values(WriteCase{"full disk, the call succeeding", {}, 3, "tlv1.tmp に書き込めません: I/O ｴﾗｰ (112)"},
                    WriteCase{"the call failing", {{"write", 5}}, 0,
                              "tlv1.tmp に書き込めません: ﾌｧｲﾙへのｱｸｾｽが拒否されました"}));

using Files = std::map<std::string, std::string>;

struct SwapCase {
  const char* what;
  bool olderBackup;  // S.~dp holds "older"
  std::map<std::string, unsigned long> failing;
  Files after;
  std::string message;  // none when done
};

class StampSwap : public testing::TestWithParam<SwapCase> {};

TEST_P(StampSwap, KeepsEveryTextUnderANameTheMessageGives) {
  const SwapCase& c = GetParam();
  FakeCalls calls;
  calls.files = {{"S.dpr", "old"}, {"tlv1.tmp", "new"}};
  if (c.olderBackup) calls.files["S.~dp"] = "older";
  calls.failing = c.failing;
  std::string message;
  try {
    stamp::SwapInNewText(calls, {"S.dpr", "tlv1.tmp", "S.~dp"});
  } catch (const base::Error& e) {
    message = e.what();
  }
  EXPECT_EQ(message, c.message) << c.what;
  EXPECT_EQ(calls.files, c.after) << c.what;
}

const Files kUntouched = {{"S.dpr", "old"}, {"S.~dp", "older"}};
const char kNotRestored[] = "。元の名前に戻せなかったため、";

// Rows: what, whether an older backup exists, the calls that fail, the files afterwards,
// the message.
INSTANTIATE_TEST_SUITE_P(
    Cases, StampSwap,
    testing::Values(
        SwapCase{"no older backup", false, {}, {{"S.dpr", "new"}, {"S.~dp", "old"}}, ""},
        SwapCase{"older backup", true, {}, {{"S.dpr", "new"}, {"S.~dp", "old"}}, ""},
        SwapCase{"older backup held", true, {{"S.~dp>tlv2.tmp", 32}}, kUntouched,
                 "前のﾊﾞｯｸｱｯﾌﾟ S.~dp は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした"},
        SwapCase{"source held", true, {{"S.dpr>S.~dp", 32}}, kUntouched,
                 "S.dpr は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした"},
        SwapCase{"source held, older backup not back", true, {{"S.dpr>S.~dp", 32}, {"tlv2.tmp>S.~dp", 5}},
                 {{"S.dpr", "old"}, {"tlv2.tmp", "older"}},
                 std::string("S.dpr は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした") + kNotRestored +
                     "前のﾊﾞｯｸｱｯﾌﾟは tlv2.tmp にあります"},
        SwapCase{"new text refused the name", true, {{"tlv1.tmp>S.dpr", 5}}, kUntouched,
                 "S.dpr を置き換えられません: ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
        SwapCase{"new text refused the name, source not back", true, {{"tlv1.tmp>S.dpr", 5}, {"S.~dp>S.dpr", 5}},
                 {{"S.~dp", "old"}, {"tlv1.tmp", "new"}, {"tlv2.tmp", "older"}},
                 std::string("S.dpr を置き換えられません: ﾌｧｲﾙへのｱｸｾｽが拒否されました") + kNotRestored +
                     "元のｿｰｽは S.~dp に、新しいｿｰｽは tlv1.tmp に、前のﾊﾞｯｸｱｯﾌﾟは tlv2.tmp にあります"}));

// ---- The steps, over files in memory

// An INI file in a string: read by the profile functions' rules, a key's line replaced
// or appended on writing.
class StringIni final : public editor::IniFile {
 public:
  explicit StringIni(std::string& text) : text_(text) {}
  std::string ReadString(const std::string& s, const std::string& k, const std::string& d) override {
    return editor::IniText("", text_).ReadString(s, k, d);
  }
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override {
    if (text_.empty()) text_ = "[" + section + "]\r\n";
    const size_t at = text_.find("\n" + key + "=");
    const std::string line = key + "=" + value + "\r\n";
    if (at == std::string::npos) {
      text_ += line;
    } else {
      text_.replace(at + 1, text_.find('\n', at + 1) - at, line);
    }
  }

 private:
  std::string& text_;
};

struct Disk {
  std::map<std::string, std::string> files{{kProject, kSource}};
  stamp::CompilerEnd compiler{stamp::CompilerEnd::Kind::Exited, 0};
  bool sourceLocked = false;
  Strings commandLines, out, err;

  int Run(const Strings& args) {
    stamp::Ports p;
    p.currentDirectory = "C:\\Work";
    p.fullPath = [](const std::string& path) { return path.find(':') == 1 ? path : "C:\\Work\\" + path; };
    p.fileExists = [this](const std::string& path) { return files.count(path) > 0; };
    p.openIni = [this](const std::string& name) { return std::make_unique<StringIni>(files[name]); };
    p.writeScript = [this](const std::string& path, const std::string& bytes) {
      if (path.find("Locked") != std::string::npos) throw base::IoError(5);
      files[path] = bytes;
    };
    p.hostCompiler = [] { return "C:\\Delphi 2.0\\Bin\\brc32.exe"; };
    p.runCompiler = [this](const std::string& commandLine) {
      commandLines.push_back(commandLine);
      if (compiler.kind == stamp::CompilerEnd::Kind::Exited && compiler.code == 0)
        files["C:\\Work\\Version.RES"] = "RES";
      return compiler;
    };
    p.openSource = [this](const std::string& path) -> std::unique_ptr<stamp::SourceFile> {
      if (sourceLocked) throw base::Error(path + " は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした");
      return std::make_unique<testsupport::MemorySourceFile>(files[path], files);
    };
    p.out = [this](const std::string& line) { out.push_back(line); };
    p.err = [this](const std::string& line) { err.push_back(line); };
    return stamp::Run(stamp::ParseOptions(args), p);
  }
};

using Kind = stamp::CompilerEnd::Kind;

struct RunCase {
  const char* what;
  Strings args;
  std::string vri;  // Sample.vri's text; none when empty
  int exit;
  Strings out;
  Strings err;
  stamp::CompilerEnd compiler{Kind::Exited, 0};
  bool sourceLocked = false;
};

class StampSteps : public testing::TestWithParam<RunCase> {};

TEST_P(StampSteps, WriteWhatTheyReportAndRefuseBeforeWriting) {
  const RunCase& c = GetParam();
  Disk disk;
  if (!c.vri.empty()) disk.files[kVri] = c.vri;
  disk.compiler = c.compiler;
  disk.sourceLocked = c.sourceLocked;
  const auto before = disk.files;
  EXPECT_EQ(disk.Run(c.args), c.exit) << c.what;
  EXPECT_EQ(disk.out, c.out) << c.what;
  EXPECT_EQ(disk.err, c.err) << c.what;
  if (c.exit != 0) {
    EXPECT_EQ(disk.files[kProject], kSource) << c.what;
  }
  if (c.out.empty()) {
    EXPECT_EQ(disk.files, before) << c.what;
  }
}

const std::string kVri1205 = "[Version]\r\nFileVersion=1, 2, 0, 5\r\nProductVersion=1, 255, 0, 0\r\n";
const Strings kEverything = {"--bump",    "build", "--set", "Description=\x90\xE0\x96\xBE",
                             "--compile", "--update-source", "Sample.dpr"};

const std::string kCompile = "\"C:\\Delphi 2.0\\Bin\\brc32.exe\" -r \"C:\\Work\\Version.rc\"";

// Rows: what, arguments, Sample.vri (none when empty), exit code, standard output, standard
// error, how the compiler ends, whether the source is held by another program.
INSTANTIATE_TEST_SUITE_P(
    Cases, StampSteps,
    testing::Values(
        RunCase{"generate", {"Sample.dpr"}, kVri1205, 0, {kScript}, {}},
        RunCase{"every step", kEverything, kVri1205, 0,
                {kVri, kScript, "C:\\Work\\Version.RES", "C:\\Work\\Sample.~dp", kProject}, {}},
        RunCase{"no VRI file", {"Sample.dpr"}, "", 2, {},
                {"TalloVer: ﾊﾞｰｼﾞｮﾝ情報ﾌｧｲﾙ C:\\Work\\Sample.vri がありません。初期値で始めるには --new を指定します"}},
        RunCase{"no VRI file, initial values", {"--new", "Sample.dpr"}, "", 0, {kScript}, {}},
        RunCase{"255 refused", {"--bump", "minor", "--product", "--update-source", "Sample.dpr"}, kVri1205, 2, {},
                {"TalloVer: 製品ﾊﾞｰｼﾞｮﾝの minor は 255 です。これ以上増やせないため、何も書きませんでした"}},
        RunCase{"script over the project source", {"--bump", "major", "Sample.dpr"},
                "[Version]\r\nResourceName=sample.DPR.\r\n", 2, {},
                {"TalloVer: ｽｸﾘﾌﾟﾄのﾊﾟｽ sample.DPR. はﾌﾟﾛｼﾞｪｸﾄのｿｰｽを指しています"}},
        RunCase{"no compiler", {"--compile", "--compiler=", "Sample.dpr"}, kVri1205, 2, {},
                {"TalloVer: ﾘｿｰｽｺﾝﾊﾟｲﾗが見つかりません (Delphi 2.0 がｲﾝｽﾄｰﾙされていません)。--compiler で指定します"}},
        RunCase{"locked source", {"--bump", "build", "--update-source", "Sample.dpr"}, kVri1205, 2, {},
                {"TalloVer: C:\\Work\\Sample.dpr は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした"}, {Kind::Exited, 0}, true},
        RunCase{"script not writable", {"--script", "Locked.rc", "Sample.dpr"}, kVri1205, 2, {},
                {"TalloVer: Locked.rc に書き込めません: ﾌｧｲﾙへのｱｸｾｽが拒否されました"}},
        RunCase{"compiler fails: its code, source untouched", kEverything, kVri1205, 7, {kVri, kScript},
                {"TalloVer: ﾘｿｰｽｺﾝﾊﾟｲﾗが終了ｺｰﾄﾞ 7 で終わりました"}, {Kind::Exited, 7}},
        RunCase{"compiler not awaitable", {"--compile", "Sample.dpr"}, kVri1205, 2, {kScript},
                {"TalloVer: ﾘｿｰｽｺﾝﾊﾟｲﾗの終了を待てません: " + kCompile}, {Kind::NotAwaitable, 0}}));

TEST(StampRun, EveryStepWritesWhatTheWindowWould) {
  Disk disk;
  disk.files[kVri] = kVri1205;
  ASSERT_EQ(disk.Run(kEverything), 0);
  const std::string vri = disk.files[kVri];
  EXPECT_NE(vri.find("\nFileVersion=1, 2, 0, 6\r\nProductVersion=1, 255, 0, 0\r\nIncludeVerInfo=1\r\nFileVerView=\r\n"
                     "Description=\x90\xE0\x96\xBE\r\n"),
            std::string::npos)
      << vri;
  EXPECT_NE(disk.files[kScript].find("FILEVERSION 1,2,0,6\r\n"), std::string::npos);
  EXPECT_EQ(disk.commandLines, Strings{kCompile});
  EXPECT_EQ(disk.files["C:\\Work\\Sample.~dp"], kSource);
  EXPECT_EQ(disk.files[kProject], "program Sample;\r\n\r\n{$R *.RES}\r\n{$R VERSION.RES}\r\n\r\nbegin\r\nend.\r\n");
}

TEST(StampRun, ADryRunShowsWhatWouldBeWrittenAndWritesNothing) {
  Disk disk;
  disk.files[kVri] = kVri1205;
  const auto before = disk.files;
  Strings args = kEverything;
  args.insert(args.begin(), "--dry-run");
  ASSERT_EQ(disk.Run(args), 0);
  EXPECT_EQ(disk.files, before);
  EXPECT_TRUE(disk.commandLines.empty());
  ASSERT_EQ(disk.out.size(), 1 + 17 + 1 + 26 + 2 + 3u);  // each file, then what it would hold
  EXPECT_EQ(disk.out[0] + disk.out[3] + disk.out[18] + disk.out[21],
            std::string(kVri) + "    FileVersion=1, 2, 0, 6" + kScript + "    PRODUCTVERSION 1,255,0,0");
  EXPECT_EQ(Strings(disk.out.end() - 5, disk.out.end()),
            (Strings{"C:\\Work\\Version.RES", "    " + kCompile, "C:\\Work\\Sample.~dp", kProject,
                     "    29: + {$R VERSION.RES}"}));
}

TEST(StampRun, AMebibyteSourceLosesOnlyTheDirectiveAtItsEnd) {
  Disk disk;
  disk.files[kVri] = "[Version]\r\nIncludeVerInfo=0\r\n";
  std::string big;
  for (int i = 0; big.size() < (1u << 20); ++i) big += "  Writeln('\x83\x5C\x95\x5C {" + std::to_string(i) + "}');\r\n";
  disk.files[kProject] = big + "{$R VERSION.RES}";
  ASSERT_EQ(disk.Run({"--update-source", "Sample.dpr"}), 0);
  EXPECT_TRUE(disk.files[kProject] == big) << "every other byte must stay";
  EXPECT_TRUE(disk.files["C:\\Work\\Sample.~dp"] == big + "{$R VERSION.RES}");
}

// ---- The script, against the window's for the same VRI file

struct ScriptCase {
  const char* what;
  std::string vri;
  std::map<int, std::string> lines;  // 1-based line: its text
};

class StampScript : public testing::TestWithParam<ScriptCase> {};

TEST_P(StampScript, IsTheWindowsByteForByte) {
  const ScriptCase& c = GetParam();
  Disk disk;
  disk.files[kVri] = c.vri;
  ASSERT_EQ(disk.Run({"Sample.dpr"}), 0) << c.what;
  const std::string script = disk.files[kScript];
  // What the window's Compile writes: its view loaded from the same file.
  editor::MemorySettingsView window;
  window.SetScriptPath(editor::InitialScriptPath(kProject, IsCp932LeadByte));
  editor::IniText ini(kVri, c.vri);
  editor::LoadSettings(ini, window, kProject, IsCp932LeadByte);
  EXPECT_EQ(script, editor::VersionScriptText(editor::ReadSettings(window))) << c.what;
  std::istringstream lines(script);
  std::string line;
  for (int n = 1; std::getline(lines, line); ++n) {
    if (c.lines.count(n)) {
      EXPECT_EQ(line, c.lines.at(n) + "\r") << c.what << ", line " << n;
    }
  }
}

TEST(StampInitialScript, IsTheGoldenFile) {
  Disk disk;
  ASSERT_EQ(disk.Run({"--new", "Sample.dpr"}), 0);
  EXPECT_EQ(disk.files[kScript], testsupport::ReadGolden("Version_initial.rc"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StampScript,
    testing::Values(
        ScriptCase{"hex numbers", "[Version]\r\nFileVersion=$10, $FF, 0, 0\r\nFileType=0x2\r\nTranslation=$1\r\n",
                   {{2, "FILEVERSION 16,255,0,0"}, {5, "FILETYPE VFT_DRV"}, {24, "  VALUE \"Translation\", 0x409, 1252"}}},
        ScriptCase{"short versions", "[Version]\r\nFileVersion=1, 2, 3\r\nProductVersion=7,8,9,9\r\n",
                   {{2, "FILEVERSION 1,2,0,0"}, {14, "   VALUE \"ProductVersion\", \"7, 0, 0, 0\\000\""}}},
        ScriptCase{"missing keys", "[Version]\r\n",
                   {{12, "   VALUE \"FileDescription\", \"VCL Application\\000\""},
                    {16, "   VALUE \"InternalName\", \"C:\\Work\\Sample\\000\""},
                    {17, "   VALUE \"LegalCopyright\", \"Copyright (c) 1997\\000\""}}},
        ScriptCase{"no selection", "[Version]\r\nFileType=7\r\nTranslation=-1\r\nIncludeComment=0\r\nComment=c\r\n",
                   {{5, "FILETYPE "}, {19, "  }"}, {23, "  VALUE \"Translation\", 0x411, 1252"}}},
        ScriptCase{"double-byte texts, quotes",
                   "[Version]\r\nDescription=\x83\x5C\x95\x5C\r\nComment=\x83\x7B{\x83\x7D}\r\nFileVerView=\"1.0 \x83\xC0\"\r\n",
                   {{12, "   VALUE \"FileDescription\", \"\x83\x5C\x95\x5C\\000\""},
                    {13, "   VALUE \"FileVersion\", \"1.0 \x83\xC0\\000\""},
                    {19, "   VALUE \"Comments\", \"\x83\x7B{\x83\x7D}\\000\""}}}));

}  // namespace
