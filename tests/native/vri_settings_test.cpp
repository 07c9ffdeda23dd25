#include <gtest/gtest.h>

#include "base/ansi_path.h"
#include "editor/core/vri_keys.h"
#include "editor/core/vri_settings.h"
#include "hostsim/host.h"
#include "tests/support/golden.h"
#include "tests/support/memory_ini.h"
#include "editor/core/memory_settings_view.h"

namespace {

using editor::CheckField;
using editor::ListField;
using editor::TextField;
using testsupport::MemoryIniFile;
using editor::MemorySettingsView;

std::string Boxes(const MemorySettingsView& view, int first) {
  std::string s;
  for (int i = first; i < first + 4; ++i) s += (i > first ? "," : "") + view.SpinText(i);
  return s;
}

struct SplitCase {
  const char* text;
  const char* boxes;  // the four boxes after splitting over 9,9,9,9
};

class VersionSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(VersionSplit, StopsSilentlyAtTheFirstPieceThatIsNoNumber) {
  MemorySettingsView view;
  for (int i = 0; i < 4; ++i) view.SetSpinValue(i, 9);
  editor::SplitVersion(GetParam().text, view, 0);
  EXPECT_EQ(Boxes(view, 0), GetParam().boxes) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionSplit,
    testing::Values(SplitCase{"1, 2, 3, 4", "1,2,3,4"}, SplitCase{"1,2,3,4", "1,9,9,9"},
                    SplitCase{"1, 2, 3", "1,2,9,9"}, SplitCase{"300, 0, 0, 0", "255,0,0,0"},
                    SplitCase{" 7, 0, 0, 0", "7,0,0,0"}, SplitCase{"1 , 2, 3, 4", "9,9,9,9"},
                    SplitCase{"-5, 0, 0, 1000", "0,0,0,255"}, SplitCase{"$10, $FF, 0, 0", "16,255,0,0"},
                    SplitCase{"", "9,9,9,9"}, SplitCase{"1,", "1,9,9,9"}, SplitCase{"1, 2, 3, 4, 5", "1,2,3,9"},
                    SplitCase{", 2, 3, 4", "9,9,9,9"}, SplitCase{"1, 2, 3, x", "1,2,3,9"},
                    SplitCase{"1, 2, 3,4", "1,2,3,9"}));

TEST(SaveSettings, WritesTheSixteenKeysInOrderAndClearsModified) {
  MemorySettingsView view;
  view.SetScriptPath("C:\\Work\\Version.rc");
  view.SetModified(true);
  MemoryIniFile ini;
  editor::SaveSettings(ini, view);
  std::string file = "[Version]\r\n";
  for (const std::string& line : ini.written()) file += line + "\r\n";
  EXPECT_EQ(file, testsupport::ReadGolden("Sample_initial.vri"));
  EXPECT_FALSE(view.modified());
}

TEST(SaveSettings, AFailedWriteKeepsEarlierKeysAndModified) {
  MemorySettingsView view;
  view.SetModified(true);
  MemoryIniFile ini("C:\\Work\\Sample.vri");
  ini.FailAtWrite(5);
  try {
    editor::SaveSettings(ini, view);
    FAIL() << "the save must raise";
  } catch (const base::Error& e) {
    EXPECT_STREQ(e.what(), "C:\\Work\\Sample.vri に書き込めません");
  }
  EXPECT_EQ(ini.written().size(), 5u);
  EXPECT_TRUE(view.modified());
}

TEST(SaveSettings, TypedValuesAreSavedUnclampedAndNoSelectionAsMinusOne) {
  MemorySettingsView view;
  view.TypeSpin(0, "999");
  view.TypeSpin(5, "x");
  view.SetItemIndex(ListField::Translation, 5);
  MemoryIniFile ini;
  editor::SaveSettings(ini, view);
  EXPECT_EQ(ini.ReadString("Version", "FileVersion", ""), "999, 0, 0, 0");
  EXPECT_EQ(ini.ReadString("Version", "ProductVersion", ""), "1, 0, 0, 0");
  EXPECT_EQ(ini.ReadString("Version", "Translation", ""), "-1");

  MemorySettingsView reloaded;
  editor::LoadSettings(ini, reloaded, "C:\\P.dpr", base::IsCp932LeadByte);
  EXPECT_EQ(reloaded.SpinText(0), "255");
  EXPECT_EQ(reloaded.ItemIndex(ListField::Translation), -1);
}

TEST(LoadSettings, AnEmptyFileGivesTheMissingKeyValues) {
  MemorySettingsView view;
  view.SetScriptPath("C:\\Work\\Version.rc");
  view.SetChecked(CheckField::IncludeVerInfo, false);
  view.SetItemIndex(ListField::FileType, 3);
  MemoryIniFile ini;
  editor::LoadSettings(ini, view, "C:\\Work\\Sample.dpr", base::IsCp932LeadByte);
  EXPECT_TRUE(view.Checked(CheckField::IncludeVerInfo));
  EXPECT_EQ(Boxes(view, 0), "1,0,0,0");
  EXPECT_EQ(Boxes(view, 4), "1,0,0,0");
  EXPECT_EQ(view.Text(TextField::Description), "VCL Application");
  EXPECT_EQ(view.Text(TextField::CopyRight), "Copyright (c) 1997");
  EXPECT_EQ(view.ItemIndex(ListField::FileType), 0);
  EXPECT_EQ(view.Text(TextField::InternalName), "C:\\Work\\Sample");
  EXPECT_TRUE(view.Checked(CheckField::IncludeComment));
  EXPECT_EQ(view.GetScriptPath(), "C:\\Work\\Version.rc");
}

TEST(LoadSettings, ReadsEveryKeyIntoItsControl) {
  MemoryIniFile ini;
  const std::pair<const char*, const char*> values[] = {
      {"IncludeVerInfo", "0"},        {"FileVersion", "1, 2, 0, 5"},  {"FileVerView", "1.2 beta"},
      {"Description", "説明ソ表"},     {"CopyRight", "(c) Me"},         {"FileType", "0x2"},
      {"CompanyName", "Orbelane"},    {"Translation", "1"},           {"OriginalName", "S.exe"},
      {"ProductVersion", "2, 0, 0, 0"}, {"ProductVerView", "2.0"},     {"ProductName", "Sample"},
      {"InternalName", "S"},          {"IncludeComment", "0"},        {"Comment", "c"},
      {"ResourceName", "D:\\x\\My.rc"}};
  for (const auto& [key, value] : values) ini.Set(key, value);
  MemorySettingsView view;
  editor::LoadSettings(ini, view, "C:\\Work\\Sample.dpr", base::IsCp932LeadByte);
  const editor::VersionSettings s = editor::ReadSettings(view);
  EXPECT_FALSE(s.IncludeVerInfo);
  EXPECT_EQ(s.FileVersion, (editor::VersionQuad{1, 2, 0, 5}));
  EXPECT_EQ(s.FileVerView, "1.2 beta");
  EXPECT_EQ(s.Description, "説明ソ表");
  EXPECT_EQ(s.CopyRight, "(c) Me");
  EXPECT_EQ(s.FileType, 2);
  EXPECT_EQ(s.CompanyName, "Orbelane");
  EXPECT_EQ(s.Translation, 1);
  EXPECT_EQ(s.OriginalName, "S.exe");
  EXPECT_EQ(s.ProductVersion, (editor::VersionQuad{2, 0, 0, 0}));
  EXPECT_EQ(s.ProductVerView, "2.0");
  EXPECT_EQ(s.ProductName, "Sample");
  EXPECT_EQ(s.InternalName, "S");
  EXPECT_FALSE(s.IncludeComment);
  EXPECT_EQ(s.Comment, "c");
  EXPECT_EQ(s.ResourceName, "D:\\x\\My.rc");
}

struct BoolCase {
  const char* stored;
  bool expected;
};

class BooleanKeys : public testing::TestWithParam<BoolCase> {};

TEST_P(BooleanKeys, ReadByTheIniIntegerRule) {
  MemoryIniFile ini;
  ini.Set("IncludeComment", GetParam().stored);
  EXPECT_EQ(ini.ReadBool("Version", "IncludeComment", true), GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Cases, BooleanKeys,
                         testing::Values(BoolCase{"0x10", true}, BoolCase{"yes", true}, BoolCase{"0", false},
                                         BoolCase{"$0", false}, BoolCase{"0x0", false}, BoolCase{"-1", true},
                                         BoolCase{"", true}, BoolCase{"0 ", true}));

TEST(LoadSettings, AnEmptyResourceNameEmptiesTheScriptPath) {
  MemoryIniFile ini;
  ini.Set("ResourceName", "");
  MemorySettingsView view;
  view.SetScriptPath("C:\\Work\\Version.rc");
  editor::LoadSettings(ini, view, "C:\\Work\\Sample.dpr", base::IsCp932LeadByte);
  EXPECT_EQ(view.GetScriptPath(), "");
}

TEST(LoadSettings, ValuesEqualToTheShownOnesLeaveTheViewUnmodified) {
  MemoryIniFile saved;
  MemorySettingsView original;
  original.SetScriptPath("C:\\Work\\Version.rc");
  editor::SaveSettings(saved, original);
  MemorySettingsView view;
  view.SetScriptPath("C:\\Work\\Version.rc");
  editor::LoadSettings(saved, view, "C:\\Work\\Sample.dpr", base::IsCp932LeadByte);
  EXPECT_FALSE(view.modified());
  saved.Set("FileType", "3");  // a list selection set by loading is no change either
  editor::LoadSettings(saved, view, "C:\\Work\\Sample.dpr", base::IsCp932LeadByte);
  EXPECT_FALSE(view.modified());
  saved.Set("Comment", "new");
  editor::LoadSettings(saved, view, "C:\\Work\\Sample.dpr", base::IsCp932LeadByte);
  EXPECT_TRUE(view.modified());
}

TEST(VriKeys, AreTheSixteenInTheirStoredOrder) {
  const char* const names[] = {"IncludeVerInfo", "FileVersion",    "FileVerView",    "Description",
                               "CopyRight",      "FileType",       "CompanyName",    "Translation",
                               "OriginalName",   "ProductVersion", "ProductVerView", "ProductName",
                               "InternalName",   "IncludeComment", "Comment",        "ResourceName"};
  ASSERT_EQ(std::size(names), std::size(editor::kVriKeys));
  for (size_t i = 0; i < std::size(names); ++i) EXPECT_STREQ(editor::kVriKeys[i].name, names[i]);
}

TEST(VriKeys, GiveTheInitialValuesOfANewWindow) {
  const editor::VersionSettings s;
  EXPECT_TRUE(s.IncludeVerInfo);
  EXPECT_EQ(s.FileVersion, (editor::VersionQuad{1, 0, 0, 0}));
  EXPECT_EQ(s.CopyRight, "Copyright (c) 1997 ");  // with its trailing blank, unlike a missing key's
  EXPECT_EQ(s.Description, "");
  EXPECT_EQ(s.FileType, 0);
  EXPECT_EQ(s.Translation, 0);
  EXPECT_EQ(s.ProductVersion, (editor::VersionQuad{1, 0, 0, 0}));
  EXPECT_TRUE(s.IncludeComment);
  EXPECT_EQ(s.ResourceName, "");
  EXPECT_EQ(editor::InitialScriptPath("C:\\Work\\Sample.dpr", base::IsCp932LeadByte), "C:\\Work\\Version.rc");
  EXPECT_EQ(editor::InitialScriptPath("C:\\\x95\x5C\\S.dpr", base::IsCp932LeadByte), "C:\\\x95\x5C\\Version.rc");
}

TEST(VriKeys, ShowAndReadGiveBackEveryValue) {
  editor::VersionSettings s;
  s.IncludeVerInfo = false;
  s.FileVersion = {1, 2, 3, 4};
  s.FileVerView = "a";
  s.Description = "b";
  s.CopyRight = "c";
  s.FileType = 6;
  s.CompanyName = "d";
  s.Translation = 1;
  s.OriginalName = "e";
  s.ProductVersion = {5, 6, 7, 8};
  s.ProductVerView = "f";
  s.ProductName = "g";
  s.InternalName = "h";
  s.IncludeComment = false;
  s.Comment = "i";
  s.ResourceName = "j";
  MemorySettingsView view;
  editor::ShowSettings(s, view);
  MemoryIniFile ini;
  editor::SaveSettings(ini, view);
  EXPECT_EQ(ini.written(), (std::vector<std::string>{
                               "IncludeVerInfo=0", "FileVersion=1, 2, 3, 4", "FileVerView=a", "Description=b",
                               "CopyRight=c", "FileType=6", "CompanyName=d", "Translation=1", "OriginalName=e",
                               "ProductVersion=5, 6, 7, 8", "ProductVerView=f", "ProductName=g", "InternalName=h",
                               "IncludeComment=0", "Comment=i", "ResourceName=j"}));
}

TEST(SaveSettings, GoesToTheCurrentProjectsVriFile) {
  hostsim::Host host;
  host.projectFileName = "C:\\Other\\" "\x95\x5C" ".dpr";
  EXPECT_EQ(editor::CurrentVriFileName(*host.services(), base::IsCp932LeadByte),
            "C:\\Other\\" "\x95\x5C" ".vri");
}

}  // namespace
