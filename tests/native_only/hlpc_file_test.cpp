// Help files written by the compiler and read back the way Wine's viewer reads them.
// Sources are UTF-8 (u8 literals); expected texts are code page 932, as the test sources'
// plain literals are compiled, with the bytes that matter spelled out in hex.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native_only/hlpc_test_files.h"
#include "tests/support/winhelp_reader.h"
#include "tools/hlpc/compiler.h"

namespace {

using testsupport::WinHelpFile;

constexpr uint32_t kNone = 0xFFFFFFFF;

std::string Compile(const std::string& source) {
  const hlpc::CompileResult result = hlpc::CompileHelp(source, {});
  std::string errors;
  for (const auto& d : result.diagnostics) errors += std::to_string(d.line) + ": " + d.message + "\n";
  EXPECT_EQ(errors, "");
  return result.file;
}

// A tiny manual: numbered topics for HELP_CONTEXT, one reachable only by a jump.
const std::string kSample = u8R"(; A sample help source for the tests
@title サンプル ヘルプ
@copyright (C) 2024 Orbelane
@caption サンプルのヘルプ
@contents main

# 2 main 目次
この**ヘルプ**は[ファイル](IDH_11)の使い方を
説明します。
ASCII words
join with one blank.

ﾌｧｲﾙ ソフト表示 ～\
二行目

# 1 IDH_1 はじめに
[目次へ](main)

# 11 IDH_11 ﾌｧｲﾙ メニュー
開く、保存、[隠しトピック](hidden)。

# 24 IDH_24 表示
ソ表
# hidden 隠しトピック
ジャンプでのみ開きます。
)";

class SampleFile : public testing::Test {
 protected:
  SampleFile() : file_(Compile(kSample)) {}
  WinHelpFile file_;
};

TEST_F(SampleFile, EveryNumberOpensTheTopicTheSourceGivesIt) {
  struct Expected {
    uint32_t number;
    std::string title;
  };
  for (const Expected& e : {Expected{2, "目次"}, Expected{1, "はじめに"}, Expected{11, "\xCC\xA7\xB2\xD9 メニュー"},
                            Expected{24, "表示"}}) {
    const auto topic = file_.TopicByNumber(e.number);
    ASSERT_TRUE(topic) << e.number;
    EXPECT_EQ(topic->page.title, e.title) << e.number;
    ASSERT_FALSE(topic->paragraphs.empty());
    EXPECT_EQ(topic->paragraphs[0].Text(), e.title) << "the title leads the text, " << e.number;
  }
  EXPECT_FALSE(file_.TopicByNumber(3));
  EXPECT_EQ(file_.ContextMap().size(), 4u);
}

TEST_F(SampleFile, KeepsTheTextInCodePage932) {
  const auto topic = file_.TopicByNumber(2);
  ASSERT_TRUE(topic);
  EXPECT_EQ(topic->Text(),
            "目次\n"
            "このヘルプはファイルの使い方を説明します。ASCII words join with one blank.\n"
            "\xCC\xA7\xB2\xD9 \x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6 \x81\x60\n二行目\n");
  const auto second = file_.TopicByNumber(24);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Text(), "表示\n\x83\x5C\x95\x5C\n");
}

TEST_F(SampleFile, MarksBoldJumpsAndTitlesByFont) {
  const auto& fonts = file_.Fonts();
  ASSERT_EQ(fonts.size(), 3u);
  for (const auto& font : fonts) EXPECT_EQ(font.face, "MS PGothic");
  const auto topic = file_.TopicByNumber(2);
  ASSERT_TRUE(topic);
  const auto& title = topic->paragraphs[0].runs.at(0);
  EXPECT_EQ(fonts.at(title.font).attributes & 1, 1) << "title in bold";
  EXPECT_EQ(fonts.at(title.font).halfPoints, 24);
  const auto& runs = topic->paragraphs[1].runs;
  ASSERT_GE(runs.size(), 4u);
  EXPECT_EQ(runs[0].text, "この");
  EXPECT_EQ(fonts.at(runs[0].font).attributes & 1, 0);
  EXPECT_EQ(fonts.at(runs[0].font).halfPoints, 18);
  EXPECT_EQ(runs[1].text, "ヘルプ");
  EXPECT_EQ(fonts.at(runs[1].font).attributes & 1, 1);
  EXPECT_EQ(runs[3].text, "ファイル");
  EXPECT_EQ(runs[3].jump, 0xDF4016F0u);
  ASSERT_EQ(topic->hotspots.size(), 1u);
  EXPECT_EQ(topic->hotspots[0].hash, 0xDF4016F0u) << "IDH_11";
  EXPECT_EQ(topic->hotspots[0].text, "ファイル");
}

TEST_F(SampleFile, JumpsReachTopicsWithAndWithoutNumbers) {
  const auto first = file_.TopicByNumber(1);
  ASSERT_TRUE(first);
  ASSERT_EQ(first->hotspots.size(), 1u);
  EXPECT_EQ(first->hotspots[0].hash, 0x0023ADC1u) << "main";
  const auto hidden = file_.TopicByHash(0xD77D1C66);
  ASSERT_TRUE(hidden);
  EXPECT_EQ(hidden->page.title, "隠しトピック");
  EXPECT_EQ(hidden->Text(), "隠しトピック\nジャンプでのみ開きます。\n");
  const auto viaHash = file_.TopicByHash(0xDF40171E);
  ASSERT_TRUE(viaHash);
  EXPECT_EQ(viaHash->page.title, "表示") << "IDH_24";
  EXPECT_FALSE(file_.TopicByHash(0x12345678));
}

TEST_F(SampleFile, DescribesItselfInSystem) {
  const auto& s = file_.System();
  EXPECT_EQ(s.minor, 33);
  EXPECT_EQ(s.flags, 0);
  EXPECT_EQ(s.date, 0u);
  EXPECT_EQ(s.recordTypes, (std::vector<uint16_t>{1, 2, 3, 6, 9, 11, 12}));
  EXPECT_EQ(s.title, "サンプル ヘルプ");
  EXPECT_EQ(s.copyright, "(C) 2024 Orbelane");
  ASSERT_EQ(s.windows.size(), 1u);
  EXPECT_EQ(s.windows[0].flags, 0x0006);
  EXPECT_EQ(s.windows[0].name, "main");
  EXPECT_EQ(s.windows[0].caption, "サンプルのヘルプ");
  EXPECT_EQ(s.lcid, 0x0411);
  EXPECT_EQ(s.charset, 128);
  EXPECT_EQ(s.defaultFont, "MS PGothic");
  EXPECT_EQ(s.defaultFontCharset, 128);
  ASSERT_TRUE(s.contents);
  const auto contents = file_.TopicAtOffset(*s.contents);
  ASSERT_TRUE(contents);
  EXPECT_EQ(contents->page.title, "目次");
  EXPECT_EQ(file_.TopicByHash(0)->page.title, "目次") << "hash 0 asks for the contents";
}

TEST_F(SampleFile, KeepsItsTreesInTheReadersOrder) {
  EXPECT_EQ(file_.FileNames(),
            (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
  std::vector<uint32_t> hashes;
  for (const auto& [hash, offset] : file_.ContextEntries()) hashes.push_back(hash);
  // Signed order: hidden, IDH_11 and IDH_24 are negative.
  EXPECT_EQ(hashes, (std::vector<uint32_t>{0xD77D1C66, 0xDF4016F0, 0xDF40171E, 0x0023ADC1, 0x05311E4D}));
  std::vector<std::string> titles;
  for (const auto& [offset, title] : file_.TitleEntries()) titles.push_back(title);
  EXPECT_EQ(titles, (std::vector<std::string>{"目次", "はじめに", "\xCC\xA7\xB2\xD9 メニュー", "表示", "隠しトピック"}));
  std::vector<uint32_t> numbers;
  for (const auto& [number, offset] : file_.ContextMap()) numbers.push_back(number);
  EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 2, 11, 24}));
}

TEST(HelpCompiler, WritesTheSameBytesEveryTime) { EXPECT_EQ(Compile(kSample), Compile(kSample)); }

// Five topics whose 1000-character paragraphs overflow the first 4084-byte block. By hand:
// a header link is 21 + 28 + 1 (title "A".."E") = 50 bytes; a title record 21 + 15 + 4 = 40
// (text "\0A\0\0"); a body record 21 + 16 + 1003 = 1040, adding 1003 characters. Topics
// 0-2 take 1130 bytes each; topic 3's header and title follow at 3390, its body goes to
// block 1, then topic 4 and the closing header.
TEST(HelpCompiler, PlacesTopicsAcrossTopicBlocks) {
  std::string source;
  for (int t = 0; t < 5; ++t) {
    source += "# " + std::to_string(t + 1) + " t" + std::to_string(t) + " " + std::string(1, char('A' + t)) + "\n" +
              std::string(1000, 'x') + "\n\n";
  }
  const WinHelpFile file(Compile(source));
  struct Place {
    uint32_t offset, position;
  };
  const std::vector<Place> expected{{0, 12},       {1007, 1142},           {2014, 2272},
                                    {3021, 3402},  {0x8000 + 1003, 17436}, {0x8000 + 2010, 0x4000 + 12 + 2170}};
  ASSERT_EQ(file.Pages().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(file.Pages()[i].offset, expected[i].offset) << i;
    EXPECT_EQ(file.Pages()[i].position, expected[i].position) << i;
  }
  ASSERT_EQ(file.TopicBlocks().size(), 2u);
  EXPECT_EQ(file.TopicBlocks()[0].lastLink, kNone);
  EXPECT_EQ(file.TopicBlocks()[0].firstLink, 12u);
  EXPECT_EQ(file.TopicBlocks()[0].lastTopicHeader, kNone);
  EXPECT_EQ(file.TopicBlocks()[1].lastLink, 3452u) << "topic 3's title record";
  EXPECT_EQ(file.TopicBlocks()[1].firstLink, 0x4000u + 12);
  EXPECT_EQ(file.TopicBlocks()[1].lastTopicHeader, 3402u);
  EXPECT_EQ(file.File("|TOPIC")->size(), 8192u);

  const auto& split = file.Pages()[3];
  EXPECT_EQ(split.blockSize, 1130u);
  EXPECT_EQ(split.browseBack, kNone);
  EXPECT_EQ(split.browseForward, kNone);
  EXPECT_EQ(split.number, 3u);
  EXPECT_EQ(split.nonScroll, kNone);
  EXPECT_EQ(split.scroll, 3452u);
  EXPECT_EQ(split.nextTopic, 17436u);
  EXPECT_EQ(file.Pages()[4].nextTopic, 0x4000u + 12 + 2170) << "the closing header";
  EXPECT_EQ(file.Pages()[5].nextTopic, kNone);

  for (uint32_t number = 1; number <= 5; ++number) {
    const auto topic = file.TopicByNumber(number);
    ASSERT_TRUE(topic) << number;
    EXPECT_EQ(topic->page.title, std::string(1, char('A' + number - 1)));
    EXPECT_EQ(topic->Text(), topic->page.title + "\n" + std::string(1000, 'x') + "\n");
  }
}

// 300 topics need two leaf pages of |CONTEXT (255 entries of 8 bytes fit a 2 KB page) and
// an index page above them; every hash must still be found by descending the tree.
TEST(HelpCompiler, BuildsTreesOfMorePages) {
  std::string source;
  for (int t = 1; t <= 300; ++t) source += "# " + std::to_string(t) + " c" + std::to_string(t) + " Topic " + std::to_string(t) + "\nx\n";
  const WinHelpFile file(Compile(source));
  const auto shape = file.Shape("|CONTEXT");
  EXPECT_EQ(shape.levels, 2);
  EXPECT_EQ(shape.pages, 3);
  EXPECT_EQ(shape.entries, 300u);
  EXPECT_GE(file.Shape("|TTLBTREE").levels, 2);
  const auto entries = file.ContextEntries();
  ASSERT_EQ(entries.size(), 300u);
  for (size_t i = 1; i < entries.size(); ++i) {
    EXPECT_LT(static_cast<int32_t>(entries[i - 1].first), static_cast<int32_t>(entries[i].first));
  }
  for (const auto& [hash, offset] : entries) {
    const auto topic = file.TopicByHash(hash);
    ASSERT_TRUE(topic) << hash;
    EXPECT_EQ(topic->page.offset, offset);
  }
  for (uint32_t number = 1; number <= 300; ++number) {
    const auto topic = file.TopicByNumber(number);
    ASSERT_TRUE(topic) << number;
    EXPECT_EQ(topic->page.title, "Topic " + std::to_string(number));
  }
  EXPECT_EQ(file.TitleEntries().size(), 300u);
}

struct TextCase {
  const char* what;
  std::string body;      // UTF-8
  std::string expected;  // code page 932; a line break reads '\n'
};

class ParagraphText : public testing::TestWithParam<TextCase> {};

TEST_P(ParagraphText, JoinsLinesAndEscapesAsWritten) {
  const WinHelpFile file(Compile(u8"# 1 topic T\n" + GetParam().body + "\n"));
  const auto topic = file.TopicByNumber(1);
  ASSERT_TRUE(topic);
  EXPECT_EQ(topic->Text(), "T\n" + GetParam().expected + "\n") << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParagraphText,
    testing::Values(TextCase{"ASCII both sides", "one\ntwo", "one two"},
                    TextCase{"Japanese before", u8"日本\nabc", "日本abc"},
                    TextCase{"Japanese after", u8"abc\n日本", "abc日本"},
                    TextCase{"the visible character counts, not the markup", u8"**日本**\nabc", "日本abc"},
                    TextCase{"link text counts", u8"[ファイル](topic)\nabc", "ファイルabc"},
                    TextCase{"blanks around lines dropped", "  one  \n   two ", "one two"},
                    TextCase{"line break", "one \\\ntwo", "one\ntwo"},
                    TextCase{"comment inside a paragraph", "one\n; note\ntwo", "one two"},
                    TextCase{"escapes", "\\*\\*x\\*\\* \\[y\\] \\(z\\) \\\\", "**x** [y] (z) \\"},
                    TextCase{"backslash before other characters", "C:\\Windows\\Help", "C:\\Windows\\Help"},
                    TextCase{"lone asterisk and parentheses", "*.hlp (a) b", "*.hlp (a) b"},
                    TextCase{"brackets that open no link", u8"[はい] を押す。x] [y", "[はい] を押す。x] [y"},
                    TextCase{"a blank between text and target", "[a] (topic)", "[a] (topic)"},
                    TextCase{"a bracket before a link", "[x[y](topic)", "[xy"},
                    TextCase{"link text over two lines", "[one\ntwo](topic) three", "one two three"},
                    TextCase{"two paragraphs", "one\n\ntwo", "one\ntwo"},
                    TextCase{"CR LF line ends", "one\r\ntwo\r\n\r\nthree", "one two\nthree"}));

TEST(HelpCompiler, SkipsAByteOrderMark) {
  const WinHelpFile file(Compile("\xEF\xBB\xBF# 1 a T\nx\n"));
  EXPECT_EQ(file.TopicByNumber(1)->Text(), "T\nx\n");
}

TEST(HelpCompilerProgram, TakesItsDateFromSourceDateEpoch) {
  hlpctest::ScratchDir dir;
  dir.Write("source.txt", "# 1 a T\nx\n");
  const auto run = hlpctest::RunHlpc(dir, "source.txt", "out.hlp", "SOURCE_DATE_EPOCH=1700000000");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(WinHelpFile(dir.Read("out.hlp")).System().date, 1700000000u);
  EXPECT_EQ(dir.Listing(), "out.hlp source.txt ");
  const auto bad = hlpctest::RunHlpc(dir, "source.txt", "bad.hlp", "SOURCE_DATE_EPOCH=soon");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(dir.Listing(), "out.hlp source.txt ");
}

}  // namespace
