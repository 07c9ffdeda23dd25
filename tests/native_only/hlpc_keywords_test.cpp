// The keyword index, the browse sequence and the contents file, as bytes worked out by hand
// and as a file read back the way Wine's viewer reads it.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/winhelp_reader.h"
#include "tools/hlpc/compiler.h"
#include "tools/hlpc/keyword_index.h"

namespace {

uint16_t U16At(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

struct FoldCase {
  const char* what;
  std::string cp932, folded;
};

class FoldedKeywords : public testing::TestWithParam<FoldCase> {};

TEST_P(FoldedKeywords, FoldSingleByteLettersOnly) {
  EXPECT_EQ(hlpc::FoldKeyword(GetParam().cp932), GetParam().folded) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FoldedKeywords,
    testing::Values(FoldCase{"letters", "FileType", "filetype"}, FoldCase{"digits and signs", "{$R X.RES}", "{$r x.res}"},
                    FoldCase{"trail byte 'A' of ア (83 41) stays", "\x83\x41Z", "\x83\x41z"},
                    FoldCase{"trail bytes 'Y' and 'Z' stay (83 59, 83 5A)", "\x83\x59\x83\x5A", "\x83\x59\x83\x5A"},
                    FoldCase{"half-width katakana are single bytes, not letters", "\xB1\xBA", "\xB1\xBA"},
                    FoldCase{"a lead byte at the end is kept", "A\x83", "a\x83"}));

TEST(KeywordFiles, OneLeafInFoldedOrderWithTheirTopics) {
  const hlpc::KeywordFiles files = hlpc::WriteKeywordFiles({{"b", {0x10}}, {"A", {0x8000, 0x20}}});
  // Header: magic, flags 2, page 0x800, "F24", 0, no splits, root 0, -1, 1 page, 1 level, 2 entries.
  const std::string header("\x3B\x29\x02\x00\x00\x08" "F24" "\0\0\0\0\0\0\0\0\0\0\0\0\0"
                           "\x00\x00\x00\x00\x00\x00\xFF\xFF\x01\x00\x01\x00\x02\x00\x00\x00", 38);
  EXPECT_EQ(files.tree.substr(0, 38), header);
  // The leaf: 0x800 - 8 - 16 unused, 2 entries, no neighbours; "A" (2 topics at 0), "b" (1 at 8).
  const std::string leaf("\xE8\x07\x02\x00\xFF\xFF\xFF\xFF"
                         "A\0\x02\x00\x00\x00\x00\x00"
                         "b\0\x01\x00\x08\x00\x00\x00", 24);
  EXPECT_EQ(files.tree.substr(38, 24), leaf);
  EXPECT_EQ(files.tree.size(), 38u + 0x800);
  EXPECT_EQ(files.data, std::string("\x20\0\0\0\x00\x80\0\0\x10\0\0\0", 12));  // A's ascending, then b's
  EXPECT_EQ(files.map, std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8));     // 1 page: keyword 0 on page 0
}

// The index compares keywords as WinHelp does, ignoring letter case: where that decides,
// a byte order would put every capital before every small letter.
TEST(KeywordFiles, LetterCaseDoesNotDecideTheOrder) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"CompanyName", "brc32.exe"}, "brc32.exe"},  // as in the shipped index
      {{"B", "a"}, "a"},
      {{"Zeta", "alpha"}, "alpha"},
      {{"a", "B"}, "a"}};
  for (const auto& [texts, first] : cases) {
    std::vector<hlpc::IndexedKeyword> keywords;
    for (const std::string& text : texts) keywords.push_back({text, {1}});
    const std::string leaf = hlpc::WriteKeywordFiles(keywords).tree.substr(38 + 8);
    EXPECT_EQ(leaf.substr(0, first.size() + 1), first + '\0') << texts[0] << ", " << texts[1];
  }
}

// Leaf entries of 1000 bytes (993 characters, NUL, count, offset): two fit a 0x800 page
// after its 8-byte header, a third does not. Five keywords: leaves of 2, 2 and 1, and one
// index page above them.
TEST(KeywordFiles, SeveralLeavesAreMappedByTheirFirstKeyword) {
  std::vector<hlpc::IndexedKeyword> keywords;
  for (char c = 'a'; c <= 'e'; ++c) keywords.push_back({std::string(993, c), {static_cast<uint32_t>(c)}});
  const hlpc::KeywordFiles files = hlpc::WriteKeywordFiles(keywords);
  EXPECT_EQ(U16At(files.tree, 30), 4);  // pages
  EXPECT_EQ(U16At(files.tree, 32), 2);  // levels
  EXPECT_EQ(U16At(files.tree, 26), 3);  // root: the index page after the leaves
  EXPECT_EQ(files.map, std::string("\x03\x00" "\x00\x00\x00\x00\x00\x00" "\x02\x00\x00\x00\x01\x00"
                                   "\x04\x00\x00\x00\x02\x00", 20));
}

// Three topics, the first and the last in the browse sequence; keywords in two of them.
const char kSource[] =
    "@browse one three\n"
    "# 1 one First\n@keywords beta; Alpha\nx\n"
    "# 2 two Second\ny\n"
    "# 3 three Third\n@keywords alpha2; beta\nz\n";

TEST(CompiledIndex, KeywordsLeadToTheirTopicsAndBrowseStepsAlongTheSequence) {
  const hlpc::CompileResult result = hlpc::CompileHelp(kSource, hlpc::CompileOptions{0, "Test.hlp"});
  ASSERT_TRUE(result.diagnostics.empty()) << result.diagnostics.front().message;
  const testsupport::WinHelpFile file(result.file);
  const auto& pages = file.Pages();
  ASSERT_EQ(pages.size(), 4u);  // three topics and the closing header
  const auto keywords = file.Keywords();
  ASSERT_EQ(keywords.size(), 3u);
  EXPECT_EQ(keywords[0].text, "Alpha");
  EXPECT_EQ(keywords[0].offsets, std::vector<uint32_t>{pages[0].offset});
  EXPECT_EQ(keywords[1].text, "alpha2");
  EXPECT_EQ(keywords[1].offsets, std::vector<uint32_t>{pages[2].offset});
  EXPECT_EQ(keywords[2].text, "beta");
  EXPECT_EQ(keywords[2].offsets, (std::vector<uint32_t>{pages[0].offset, pages[2].offset}));
  EXPECT_EQ(file.TopicAtOffset(keywords[1].offsets[0])->page.title, "Third");

  const uint32_t none = 0xFFFFFFFF;
  EXPECT_EQ(pages[0].browseBack, none);
  EXPECT_EQ(pages[0].browseForward, pages[2].offset);
  EXPECT_EQ(pages[1].browseBack, none);  // outside the sequence
  EXPECT_EQ(pages[1].browseForward, none);
  EXPECT_EQ(pages[2].browseBack, pages[0].offset);
  EXPECT_EQ(pages[2].browseForward, none);
  EXPECT_EQ(file.System().macros, std::vector<std::string>{"BrowseButtons()"});

  EXPECT_EQ(result.contents,
            ":Base Test.hlp\r\n:Title First\r\n1 First\r\n2 First=one\r\n2 Second=two\r\n2 Third=three\r\n");
}

TEST(CompiledIndex, AFileWithoutKeywordsOrBrowseHasNeither) {
  const hlpc::CompileResult result = hlpc::CompileHelp("# 1 a T=x\nx\n", hlpc::CompileOptions{});
  ASSERT_TRUE(result.diagnostics.empty());
  const testsupport::WinHelpFile file(result.file);
  EXPECT_FALSE(file.File("|KWBTREE"));
  EXPECT_TRUE(file.System().macros.empty());
  EXPECT_EQ(result.contents, ":Base help.hlp\r\n:Title T=x\r\n1 T\\=x\r\n2 T\\=x=a\r\n");
}

}  // namespace
