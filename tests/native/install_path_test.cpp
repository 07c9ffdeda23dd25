#include <gtest/gtest.h>

#include "addin/title.h"
#include "installer/install_path.h"

namespace {

struct PathCase {
  const char* program;
  const char* library;
};

class InstallerPath : public testing::TestWithParam<PathCase> {};

TEST_P(InstallerPath, IsTheLibraryBesideTheInstaller) {
  char library[64];
  ASSERT_TRUE(LibraryPathFor(GetParam().program, base::IsCp932LeadByte, library, sizeof library));
  EXPECT_STREQ(library, GetParam().library);
}

TEST(InstallerPathBuffer, TooSmallWritesNothing) {
  char library[32] = "untouched";
  EXPECT_FALSE(LibraryPathFor("C:\\Tools\\setup.exe", base::IsCp932LeadByte, library, 21));
  EXPECT_STREQ(library, "untouched");
  // "C:\Tools\Tallowin.dll" and its NUL fit in 22 bytes exactly.
  EXPECT_TRUE(LibraryPathFor("C:\\Tools\\setup.exe", base::IsCp932LeadByte, library, 22));
  EXPECT_STREQ(library, "C:\\Tools\\Tallowin.dll");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallerPath,
    testing::Values(PathCase{"C:\\Tools\\setup.exe", "C:\\Tools\\Tallowin.dll"},
                    PathCase{"C:setup.exe", "C:Tallowin.dll"}, PathCase{"setup.exe", "Tallowin.dll"},
                    PathCase{"D:\\a b\\\x95\x5C\\setup.exe", "D:\\a b\\\x95\x5C\\Tallowin.dll"},
                    PathCase{"D:\\x\\\x83\x5Csetup.exe", "D:\\x\\Tallowin.dll"}));

struct TitleCase {
  const char* library;
  const char* title;
};

class ApplicationTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitle, IsTheFileNameCutAtItsFirstDot) {
  EXPECT_EQ(AddInTitle(GetParam().library, base::IsCp932LeadByte), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(Cases, ApplicationTitle,
                         testing::Values(TitleCase{"C:\\x\\Tallowin.dll", "Tallowin"},
                                         TitleCase{"C:\\x\\TALLOWIN.DLL", "Tallowin"},
                                         TitleCase{"C:\\a.b\\my.tallowin.dll", "my"},
                                         TitleCase{"tallowin", "tallowin"},
                                         TitleCase{"C:\\\x83\x5C\\\x83\x41X.dll", "\x83\x41x"}));

}  // namespace
