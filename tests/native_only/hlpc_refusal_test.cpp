// Every kind of bad source is refused by the hlpc program with FILE:LINE: message, exit
// status 1, and no output file (nor a temporary one) left behind.
#include <gtest/gtest.h>

#include <string>

#include "tests/native_only/hlpc_test_files.h"

namespace {

struct Refusal {
  const char* what;
  std::string source;  // UTF-8
  int line;
  std::string message;
};

class RefusedSource : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedSource, NamesTheLineAndWritesNothing) {
  hlpctest::ScratchDir dir;
  dir.Write("source.txt", GetParam().source);
  const hlpctest::Run run = hlpctest::RunHlpc(dir, "source.txt", "out.hlp");
  EXPECT_EQ(run.status, 1) << GetParam().what;
  const std::string first = run.errors.substr(0, run.errors.find('\n'));
  EXPECT_EQ(first, "source.txt:" + std::to_string(GetParam().line) + ": " + GetParam().message) << GetParam().what;
  EXPECT_EQ(dir.Listing(), "source.txt ") << GetParam().what;
}

const std::string kTopic = "# 1 a T\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSource,
    testing::Values(
        Refusal{"unknown jump target", kTopic + "[x](nowhere)\n", 2, "jump to unknown context string 'nowhere'"},
        Refusal{"number twice", kTopic + "x\n# 1 b U\ny\n", 3, "context number 1 already used at line 1"},
        Refusal{"context string twice", kTopic + "x\n# 2 a U\ny\n", 3, "context string 'a' already used at line 1"},
        Refusal{"equal hashes", "# 1 M359HPEHGW T\nx\n# 2 Y5VQEXZQVJ U\ny\n", 3,
                "context strings 'M359HPEHGW' (line 1) and 'Y5VQEXZQVJ' have the same hash 0x863C2C95"},
        Refusal{"equal but for case", "# 1 main T\nx\n# MAIN U\ny\n", 3,
                "context strings 'main' (line 1) and 'MAIN' have the same hash 0x0023ADC1"},
        Refusal{"topic without body", kTopic + "; only a comment\n\n# 2 b U\ny\n", 1, "topic 'a' has no body text"},
        Refusal{"topic without body, CR LF", "# 1 a T\r\n\r\n# 2 b U\r\ny\r\n", 1, "topic 'a' has no body text"},
        Refusal{"look-alike only (em dash)", kTopic + "x\n" + u8"x—y\n", 3,
                u8"character U+2014 (—) has no code page 932 form; U+2015 is the nearest"},
        Refusal{"look-alike only (wave dash)", u8"# 1 a 〜\nx\n", 1,
                u8"character U+301C (〜) has no code page 932 form; U+FF5E is the nearest"},
        Refusal{"no form at all", u8"@title é\n" + kTopic + "x\n", 1, u8"character U+00E9 (é) has no code page 932 form"},
        Refusal{"malformed UTF-8", kTopic + "x\xFFy\n", 2, "malformed UTF-8"},
        Refusal{"tab", kTopic + "x\ty\n", 2, "tab character (write blanks)"},
        Refusal{"control character", kTopic + "x\x01y\n", 2, "control character U+0001"},
        Refusal{"bad context string", "# 1 a-b T\nx\n", 1, "context string 'a-b' may hold only A-Z, a-z, 0-9, '.' and '_'"},
        Refusal{"header without blank", "#1 a T\nx\n", 1, "a topic header reads '# [NUMBER] CONTEXT TITLE'"},
        Refusal{"header with a number only", "# 7\nx\n", 1, "a topic header reads '# [NUMBER] CONTEXT TITLE'"},
        Refusal{"header without title", "# 1 a\nx\n", 1, "topic 'a' has no title"},
        Refusal{"number out of range", "# 2147483648 a T\nx\n", 1,
                "context number 2147483648 is out of range (0 to 2147483647)"},
        Refusal{"title too long", "# a " + std::string(256, 'T') + "\nx\n", 1,
                "topic title is 256 bytes in code page 932; at most 255"},
        Refusal{"text before the first topic", "hello\n" + kTopic + "x\n", 1, "text before the first topic"},
        Refusal{"a keyword with no text", kTopic + "@keywords a;; b\nx\n", 2,
                "a keyword with no text (in '@keywords a; b', ';' stands between two keywords)"},
        Refusal{"a keyword twice in a topic", kTopic + "@keywords Size\nx\n@keywords size; Size\n", 4,
                "keyword 'Size' given twice in topic 'a' (first at line 2)"},
        Refusal{"keywords that differ only in case", kTopic + "@keywords FileType\nx\n# 2 b U\n@keywords FILETYPE\ny\n",
                5, "keywords 'FileType' (line 2) and 'FILETYPE' differ only in letter case, which WinHelp's index ignores"},
        Refusal{"keywords outside a topic", "@keywords a\n" + kTopic + "x\n", 1,
                "@keywords outside a topic: it goes below a topic header"},
        Refusal{"browse to no topic", "@browse a nowhere\n" + kTopic + "x\n", 1, "@browse names no topic: 'nowhere'"},
        Refusal{"browse through a topic twice", "@browse a\n@browse A\n" + kTopic + "x\n", 2,
                "@browse names 'A' twice (first at line 1)"},
        Refusal{"a title ending in a 0x5C trail byte", u8"# 1 a 表\nx\n", 1,
                "topic title ends in the byte 0x5C, which the contents file would read as an escape"},
        Refusal{"no topic", "; nothing\n", 1, "the source has no topic"},
        Refusal{"unknown directive", "@index x\n" + kTopic + "x\n", 1, "unknown directive @index"},
        Refusal{"directive twice", "@title A\n@title B\n" + kTopic + "x\n", 2,
                "directive @title given twice (first at line 1)"},
        Refusal{"directive without value", "@copyright\n" + kTopic + "x\n", 1, "directive @copyright needs a value"},
        Refusal{"directive after a topic", kTopic + "x\n@title A\n", 3, "directive @title after the first topic"},
        Refusal{"contents names no topic", "@contents b\n" + kTopic + "x\n", 1, "@contents names no topic: 'b'"},
        Refusal{"contents not a context string", "@contents b-c\n" + kTopic + "x\n", 1,
                "@contents needs a context string (A-Z, a-z, 0-9, '.', '_'), not 'b-c'"},
        Refusal{"caption too long", u8"@caption ああああああああああああああああああああああああああ\n" + kTopic + "x\n", 1,
                "@caption is 52 bytes in code page 932; a window caption holds at most 50"},
        Refusal{"bold not closed", kTopic + "x **y\nz\n", 2, "'**' (bold) not closed within its paragraph"},
        Refusal{"bold across paragraphs", kTopic + "x\n**y\n\nz**\n", 3, "'**' (bold) not closed within its paragraph"},
        Refusal{"link target not closed", kTopic + "[x](a\n", 2, "link target without its closing ')'"},
        Refusal{"link without text", kTopic + "[](a)\n", 2, "link without text"},
        Refusal{"link target no context string", kTopic + "[x](a b)\n", 2,
                "link target 'a b' is no context string (A-Z, a-z, 0-9, '.', '_')"},
        Refusal{"line break ending a paragraph", kTopic + "x\\\n", 2, "line break '\\' at the end of a paragraph"},
        Refusal{"paragraph without text", kTopic + "****\n", 2, "paragraph without text"},
        // 5000 characters: 21 + 16 + 5003 bytes, more than a 4084-byte block holds.
        Refusal{"paragraph too long", kTopic + std::string(5000, 'x') + "\n", 2,
                "paragraph too long: 5040 bytes with its formatting; a topic block holds 4084"}));

TEST(HelpCompilerProgram, KeepsNoTemporaryFile) {
  hlpctest::ScratchDir dir;
  dir.Write("source.txt", "# 1 a T\nx\n");
  const hlpctest::Run run = hlpctest::RunHlpc(dir, "source.txt", "out.hlp");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(dir.Listing(), "out.hlp source.txt ");
}

TEST(HelpCompilerProgram, ExplainsItsUsage) {
  hlpctest::ScratchDir dir;
  const hlpctest::Run run = hlpctest::RunHlpc(dir, "only-one.txt", "");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors, "usage: hlpc SOURCE.txt OUTPUT.hlp [CONTENTS.cnt]\n");
  const hlpctest::Run missing = hlpctest::RunHlpc(dir, "missing.txt", "out.hlp");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(dir.Listing(), "");
}

}  // namespace
