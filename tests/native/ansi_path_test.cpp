#include <gtest/gtest.h>

#include "base/ansi_path.h"

namespace {

using base::IsCp932LeadByte;

// "ソ" is 83 5C and "表" 95 5C in code page 932: their second byte is a backslash.
const std::string kSo = "\x83\x5C";
const std::string kHyo = "\x95\x5C";

struct PathCase {
  std::string path;
  std::string dir;
  std::string name;
  std::string vri;
  std::string noExt;
};

class AnsiPaths : public testing::TestWithParam<PathCase> {};

TEST_P(AnsiPaths, SplitAndChangeExtension) {
  const PathCase& c = GetParam();
  EXPECT_EQ(base::ExtractFileDir(c.path, IsCp932LeadByte), c.dir);
  EXPECT_EQ(base::ExtractFileName(c.path, IsCp932LeadByte), c.name);
  EXPECT_EQ(base::VriFileName(c.path, IsCp932LeadByte), c.vri);
  EXPECT_EQ(base::ChangeFileExt(c.path, "", IsCp932LeadByte), c.noExt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnsiPaths,
    testing::Values(
        PathCase{"C:\\Work\\Sample.dpr", "C:\\Work\\", "Sample.dpr", "C:\\Work\\Sample.vri", "C:\\Work\\Sample"},
        PathCase{"C:\\Work\\Sample", "C:\\Work\\", "Sample", "C:\\Work\\Sample.vri", "C:\\Work\\Sample"},
        PathCase{"C:\\a.b\\Sample", "C:\\a.b\\", "Sample", "C:\\a.b\\Sample.vri", "C:\\a.b\\Sample"},
        PathCase{"C:\\x\\a.b.dpr", "C:\\x\\", "a.b.dpr", "C:\\x\\a.b.vri", "C:\\x\\a.b"},
        PathCase{"C:Sample.dpr", "C:", "Sample.dpr", "C:Sample.vri", "C:Sample"},
        PathCase{"Sample.dpr", "", "Sample.dpr", "Sample.vri", "Sample"}, PathCase{"", "", "", ".vri", ""},
        PathCase{"C:\\" + kSo + "\\P.dpr", "C:\\" + kSo + "\\", "P.dpr", "C:\\" + kSo + "\\P.vri",
                 "C:\\" + kSo + "\\P"},
        // The second byte of "表" is no separator: the name keeps the whole character.
        PathCase{"C:\\W\\" + kHyo + "x.dpr", "C:\\W\\", kHyo + "x.dpr", "C:\\W\\" + kHyo + "x.vri",
                 "C:\\W\\" + kHyo + "x"},
        // 0x2E (".") and 0x3A (":") never are second bytes in code page 932, but a lead byte
        // followed by them must still be stepped over whole.
        PathCase{"D:\\\x81.x", "D:\\", "\x81.x", "D:\\\x81.x.vri", "D:\\\x81.x"},
        // A lone lead byte at the very end is a character of its own.
        PathCase{"C:\\W\\a.b\x83", "C:\\W\\", "a.b\x83", "C:\\W\\a.vri", "C:\\W\\a"}));

TEST(LeadBytes, Cp932Ranges) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(IsCp932LeadByte(static_cast<unsigned char>(b)), expected) << b;
  }
}

}  // namespace
