#include <gtest/gtest.h>
#include <windows.h>

#include "base/error.h"
#include "editor/core/vri_settings.h"
#include "hostsim/host.h"
#include "platform/lead_byte.h"
#include "editor/adapters/profile_ini.h"
#include "tests/support/golden.h"
#include "editor/core/memory_settings_view.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using editor::ProfileIniFile;
using editor::MemorySettingsView;

TEST(ProfileIni, InitialSettingsOfCWorkSampleGiveTheDocumentedFile) {
  CreateDirectoryA("C:\\Work", nullptr);
  DeleteFileA("C:\\Work\\Sample.vri");
  hostsim::Host host;
  host.projectFileName = "C:\\Work\\Sample.dpr";
  MemorySettingsView view;
  view.SetScriptPath("C:\\Work\\Version.rc");
  ProfileIniFile ini(editor::CurrentVriFileName(*host.services(), platform::IsSystemLeadByte));
  EXPECT_EQ(ini.fileName(), "C:\\Work\\Sample.vri");
  editor::SaveSettings(ini, view);
  // The profile functions drop the trailing blank of the initial copyright text on write.
  std::string expected = testsupport::ReadGolden("Sample_initial.vri");
  expected.replace(expected.find("1997 \r\n"), 7, "1997\r\n");
  EXPECT_EQ(testsupport::ReadWholeFile("C:\\Work\\Sample.vri"), expected);
  DeleteFileA("C:\\Work\\Sample.vri");
  RemoveDirectoryA("C:\\Work");
}

TEST(ProfileIni, SavedSettingsLoadBackUnchanged) {
  testsupport::WinTempDir dir("roundtrip ソ表");
  MemorySettingsView saved;
  saved.SetSpinValue(1, 2);
  saved.SetSpinValue(3, 5);
  saved.SetText(editor::TextField::Description, "ソフト表示{}");
  saved.SetText(editor::TextField::CompanyName, "Orbelane");
  saved.SetItemIndex(editor::ListField::FileType, 6);
  saved.SetItemIndex(editor::ListField::Translation, 1);
  saved.SetChecked(editor::CheckField::IncludeComment, false);
  saved.SetScriptPath(dir / "Version.rc");
  ProfileIniFile ini(dir / "Sample.vri");
  editor::SaveSettings(ini, saved);

  MemorySettingsView loaded;
  ProfileIniFile again(dir / "Sample.vri");
  editor::LoadSettings(again, loaded, dir / "Sample.dpr", platform::IsSystemLeadByte);
  const editor::VersionSettings a = editor::ReadSettings(saved);
  const editor::VersionSettings b = editor::ReadSettings(loaded);
  EXPECT_EQ(b.FileVersion, a.FileVersion);
  EXPECT_EQ(b.Description, a.Description);
  EXPECT_EQ(b.CompanyName, a.CompanyName);
  EXPECT_EQ(b.FileType, 6);
  EXPECT_EQ(b.Translation, 1);
  EXPECT_FALSE(b.IncludeComment);
  EXPECT_EQ(b.InternalName, "");
  EXPECT_EQ(b.ResourceName, dir / "Version.rc");
}

TEST(ProfileIni, ReadsAtMost1023Characters) {
  testsupport::WinTempDir dir("long");
  ProfileIniFile ini(dir / "long.vri");
  ini.WriteString("Version", "Comment", std::string(2000, 'c'));
  EXPECT_EQ(ini.ReadString("Version", "Comment", ""), std::string(1023, 'c'));
}

TEST(ProfileIni, NumbersAreReadByOurOwnRule) {
  testsupport::WinTempDir dir("numbers");
  ProfileIniFile ini(dir / "n.vri");
  const std::pair<const char*, int32_t> cases[] = {{"0x10", 16}, {"$FF", 255}, {"12", 12}, {"yes", 7}, {"1x", 7}};
  for (const auto& [stored, expected] : cases) {
    ini.WriteString("Version", "FileType", stored);
    EXPECT_EQ(ini.ReadInteger("Version", "FileType", 7), expected) << stored;
  }
  EXPECT_EQ(ini.ReadInteger("Version", "Missing", 3), 3);
}

TEST(ProfileIni, AFailedWriteNamesTheFile) {
  ProfileIniFile ini("C:\\no such folder\\deeper\\Sample.vri");
  try {
    ini.WriteString("Version", "IncludeVerInfo", "1");
    FAIL() << "the write must raise";
  } catch (const base::Error& e) {
    EXPECT_STREQ(e.what(), "C:\\no such folder\\deeper\\Sample.vri に書き込めません");
  }
}

// A name the profile functions cannot take is refused before anything is written: no
// file appears, neither in its folder nor in the current one.
TEST(ProfileIni, ANameLongerThanTheSystemTakesIsRefused) {
  testsupport::WinTempDir dir("overlong");
  SetCurrentDirectoryA(dir.path().c_str());  // where garbled names would land
  for (const size_t length : {259u, 260u, 262u, 303u}) {
    const std::string name = dir.path() + std::string(length - dir.path().size() - 4, 'p') + ".vri";
    ASSERT_EQ(name.size(), length);
    ProfileIniFile ini(name);
    bool refused = false;
    try {
      ini.WriteString("Version", "IncludeVerInfo", "1");
    } catch (const base::Error& e) {
      refused = true;
      EXPECT_EQ(e.what(), name + " に書き込めません");
    }
    EXPECT_EQ(refused, length >= MAX_PATH) << length;
    EXPECT_EQ(ini.ReadString("Version", "IncludeVerInfo", "none"), refused ? "none" : "1") << length;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir / "*").c_str(), &found);
    int files = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    EXPECT_EQ(files, refused ? 0 : 1) << length;
    if (!refused) DeleteFileA(name.c_str());
  }
}

}  // namespace
