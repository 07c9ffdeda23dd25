// The installer: in-process against the registry (refusals injected) and as the real
// program started under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "installer/installer.h"
#include "tests/win32/registry_snapshot.h"
#include "tests/win32/ui_script.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using testsupport::WinTempDir;

const char kParentKey[] = "Software\\Borland\\Delphi\\2.0";

std::string ValueOf(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kExpertsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  char data[MAX_PATH] = {};
  DWORD size = sizeof data, type = 0;
  const LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return r == ERROR_SUCCESS && type == REG_SZ ? data : "<no value>";
}

int ValueCount() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kExpertsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD count = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(count);
}

void CreateExpertsKey() {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kExpertsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegCloseKey(key);
}

void DeleteExpertsKey() { RegDeleteKeyA(HKEY_CURRENT_USER, kExpertsKey); }

LONG WINAPI RefuseOpen(HKEY, LPCSTR, DWORD, REGSAM, PHKEY) { return ERROR_ACCESS_DENIED; }
LONG WINAPI RefuseSet(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }

std::vector<std::string> shown;
void Show(const char* text) { shown.push_back(text); }

// The registry failure the installer raised, caught before any handler of the process's
// own and recorded. The raise never returns (behind it the installer ends its process), so
// the installer runs on a thread of its own, which ends here with kRaisedExit.
EXCEPTION_RECORD raised{};
constexpr DWORD kRaisedExit = 0x5E7;
LONG WINAPI RecordRaise(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode != kRegistryExceptionCode) return EXCEPTION_CONTINUE_SEARCH;
  raised = *exception->ExceptionRecord;
  ExitThread(kRaisedExit);
}

// A folder holding the library, as the release archive unpacks.
struct Unpacked {
  explicit Unpacked(const std::string& name) : dir(name) { testsupport::WriteWholeFile(dir / "Tallowin.dll", "MZ"); }
  std::string Setup() const { return dir / "setup.exe"; }
  WinTempDir dir;
};

std::string tools;  // the installer's path for RunInstallerFromTools
DWORD WINAPI RunInstallerFromTools(LPVOID) { return static_cast<DWORD>(RunInstaller(tools.c_str(), Show)); }

class InstallerTest : public testing::Test {
 protected:
  void SetUp() override {
    registry_ = std::make_unique<testsupport::RegistrySnapshot>(HKEY_CURRENT_USER, kExpertsKey);
    saved_ = InstallerSystemCalls();
    shown.clear();
    raised = EXCEPTION_RECORD{};
  }
  void TearDown() override {
    InstallerSystemCalls() = saved_;
    registry_.reset();  // the add-in list as it was: other add-ins stay registered
  }

 private:
  std::unique_ptr<testsupport::RegistrySnapshot> registry_;
  InstallerSystem saved_{};
};

// Another add-in's registration outlives the tests, which delete the key.
TEST(InstallerTestFixture, KeepsOtherAddInsRegistered) {
  struct Cycle : InstallerTest {
    void TestBody() override { DeleteExpertsKey(); }
    using InstallerTest::SetUp;
    using InstallerTest::TearDown;
  };
  CreateExpertsKey();
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, kExpertsKey, 0, KEY_ALL_ACCESS, &key);
  RegSetValueExA(key, "OtherAddIn", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\Other\\x.dll"), 15);
  RegCloseKey(key);
  {
    Cycle cycle;
    cycle.SetUp();
    cycle.TestBody();
    cycle.TearDown();
  }
  EXPECT_EQ(ValueOf("OtherAddIn"), "C:\\Other\\x.dll");
  DeleteExpertsKey();
}

TEST_F(InstallerTest, WritesTheLibraryPathBesideTheProgram) {
  const Unpacked tools("Tools"), other("\x95\x5C");  // 表: a second byte of 0x5C
  CreateExpertsKey();
  EXPECT_EQ(RunInstaller(tools.Setup().c_str(), Show), 0);
  EXPECT_EQ(ValueOf("Quelvar"), tools.dir / "Tallowin.dll");
  EXPECT_EQ(RunInstaller(tools.Setup().c_str(), Show), 0);
  EXPECT_EQ(ValueCount(), 1);
  EXPECT_EQ(RunInstaller(other.Setup().c_str(), Show), 0);  // run from elsewhere: overwritten
  EXPECT_EQ(ValueOf("Quelvar"), other.dir / "Tallowin.dll");
  EXPECT_TRUE(shown.empty());
}

TEST_F(InstallerTest, WithoutTheKeyTellsTheUserAndCreatesNothing) {
  const Unpacked tools("Tools");
  DeleteExpertsKey();
  EXPECT_EQ(RunInstaller(tools.Setup().c_str(), Show), 0);
  EXPECT_EQ(shown, std::vector<std::string>{"Delphi2.0がインストールされていません"});
  EXPECT_EQ(ValueOf("Quelvar"), "<no key>");
}

TEST_F(InstallerTest, AKeyThatCannotBeOpenedWithFullAccessCountsAsMissing) {
  const Unpacked tools("Tools");
  CreateExpertsKey();
  InstallerSystemCalls().openKey = &RefuseOpen;
  EXPECT_EQ(RunInstaller(tools.Setup().c_str(), Show), 0);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(ValueCount(), 0);
}

struct MissingCase {
  const char* what;
  bool folderInItsPlace;  // a folder named Tallowin.dll
  bool key;
};

class LibraryMissing : public InstallerTest, public testing::WithParamInterface<MissingCase> {};

// Run from inside the archive, the installer lies alone in a temporary folder.
TEST_P(LibraryMissing, RegistersNothingNamesTheFileAndExitsWith1) {
  WinTempDir alone("alone");
  if (GetParam().folderInItsPlace) CreateDirectoryA((alone / "Tallowin.dll").c_str(), nullptr);
  if (GetParam().key) CreateExpertsKey(); else DeleteExpertsKey();
  EXPECT_EQ(RunInstaller((alone / "Setup.exe").c_str(), Show), 1) << GetParam().what;
  ASSERT_EQ(shown.size(), 1u) << GetParam().what;
  EXPECT_EQ(shown[0].rfind("Tallowin.dll が見つかりません:\r\n" + alone / "Tallowin.dll\r\n", 0), 0u) << shown[0];
  EXPECT_EQ(ValueCount(), GetParam().key ? 0 : -1) << GetParam().what;
  RemoveDirectoryA((alone / "Tallowin.dll").c_str());
}

INSTANTIATE_TEST_SUITE_P(Cases, LibraryMissing,
                         testing::Values(MissingCase{"no file", false, true}, MissingCase{"a folder", true, true},
                                         MissingCase{"no file and no key", false, false}));

// GetModuleFileNameA fills the buffer and returns its size when the path does not fit:
// cut short (Vista and later) or without its terminating zero (Windows XP).
DWORD WINAPI PathCut(HMODULE, LPSTR buffer, DWORD size) {
  for (DWORD i = 0; i < size; ++i) buffer[i] = 'a';
  return size;
}
DWORD WINAPI PathUnknown(HMODULE, LPSTR, DWORD) { return 0; }

TEST_F(InstallerTest, AnOwnPathThatDoesNotFitIsRefused) {
  const Unpacked tools("Tools");
  CreateExpertsKey();
  for (auto moduleFileName : {&PathCut, &PathUnknown}) {
    shown.clear();
    InstallerSystemCalls().moduleFileName = moduleFileName;
    EXPECT_EQ(RunInstallerProgram(Show), 1);
    EXPECT_EQ(shown, std::vector<std::string>{kPathTooLongText});
    EXPECT_EQ(ValueCount(), 0);
  }
}

TEST_F(InstallerTest, AValueThatCannotBeWrittenRaisesTheSettingError) {
  const Unpacked unpacked("Tools");
  tools = unpacked.Setup();
  CreateExpertsKey();
  InstallerSystemCalls().setValue = &RefuseSet;
  PVOID handler = AddVectoredExceptionHandler(1, RecordRaise);
  HANDLE thread = CreateThread(nullptr, 0, RunInstallerFromTools, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeThread(thread, &exitCode);
  CloseHandle(thread);
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(exitCode, kRaisedExit);
  ASSERT_EQ(raised.ExceptionCode, kRegistryExceptionCode);
  ASSERT_EQ(raised.NumberParameters, 3u);
  EXPECT_STREQ(reinterpret_cast<const char*>(raised.ExceptionInformation[0]), "ERegistryException");
  EXPECT_STREQ(reinterpret_cast<const char*>(raised.ExceptionInformation[1]), "'Quelvar' の設定に失敗しました");
  // Raised from within RunInstaller: the address lies in this program's code.
  HMODULE self = GetModuleHandleA(nullptr);
  const auto address = raised.ExceptionInformation[2];
  const auto headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      reinterpret_cast<const BYTE*>(self) + reinterpret_cast<const IMAGE_DOS_HEADER*>(self)->e_lfanew);
  EXPECT_GT(address, reinterpret_cast<ULONG_PTR>(self));
  EXPECT_LT(address, reinterpret_cast<ULONG_PTR>(self) + headers->OptionalHeader.SizeOfImage);
  EXPECT_EQ(ValueCount(), 0);
}

struct ErrorBoxCase {
  DWORD code;
  const char* kind;
};

class RunTimeErrorBox : public testing::TestWithParam<ErrorBoxCase> {};

// The box names the kind of the exception and the address it was raised at.
TEST_P(RunTimeErrorBox, ShowsKindModuleAndAddressAndGivesExitCode1) {
  static const char kMessage[] = "'Quelvar' の設定に失敗しました";
  EXCEPTION_RECORD record{};
  record.ExceptionCode = GetParam().code;
  record.ExceptionAddress = reinterpret_cast<PVOID>(0x12345678);
  if (GetParam().code == kRegistryExceptionCode) {
    record.NumberParameters = 3;
    record.ExceptionInformation[0] = reinterpret_cast<ULONG_PTR>("ERegistryException");
    record.ExceptionInformation[1] = reinterpret_cast<ULONG_PTR>(kMessage);
    record.ExceptionInformation[2] = 0x00401A2B;
  }
  std::string text;
  bool found = false;
  int code = -1;
  testsupport::UiScript script({[&] {
    HWND box = testsupport::FindTopWindow("ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ");
    found = box != nullptr;
    if (!box) return;
    text = testsupport::MessageBoxText(box);
    testsupport::AnswerMessageBox(box, IDOK);
  }});
  EXPECT_TRUE(script.Run([&] { code = ShowRunTimeError(record); }));
  EXPECT_TRUE(found);
  EXPECT_EQ(code, 1);
  EXPECT_NE(text.find(std::string("例外 ") + GetParam().kind + " "), std::string::npos) << text;
  EXPECT_NE(text.find("installer_tests.exe"), std::string::npos) << text;
  const bool registry = GetParam().code == kRegistryExceptionCode;
  EXPECT_NE(text.find(registry ? "00401A2B" : "12345678"), std::string::npos) << text;
  if (registry) {
    EXPECT_NE(text.find(kMessage), std::string::npos) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, RunTimeErrorBox,
                         testing::Values(ErrorBoxCase{kRegistryExceptionCode, "ERegistryException"},
                                         ErrorBoxCase{EXCEPTION_ACCESS_VIOLATION, "EAccessViolation"},
                                         ErrorBoxCase{EXCEPTION_INT_DIVIDE_BY_ZERO, "EDivByZero"},
                                         ErrorBoxCase{0xE0000042, "EExternalException"}));

#ifdef _WIN64
// A 64-bit program's code lies above 4 GB: the box shows the address with every digit.
TEST(RunTimeErrorBox64, ShowsAnAddressAbove4GbInFull) {
  EXCEPTION_RECORD record{};
  record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
  record.ExceptionAddress = reinterpret_cast<PVOID>(0x140001A2Bull);
  std::string text;
  testsupport::UiScript script({[&] {
    HWND box = testsupport::FindTopWindow("ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ");
    if (!box) return;
    text = testsupport::MessageBoxText(box);
    testsupport::AnswerMessageBox(box, IDOK);
  }});
  EXPECT_TRUE(script.Run([&] { ShowRunTimeError(record); }));
  EXPECT_NE(text.find("ｱﾄﾞﾚｽ 0000000140001A2B)"), std::string::npos) << text;
}
#endif

// Starts the program and, while it runs, answers its message box with OK. A program still
// running after 30 s is ended (code 9997), so that no test leaves it behind.
DWORD RunProgram(const std::string& program, std::string* boxText) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string commandLine = "\"" + program + "\"";
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return 9999;
  }
  for (int i = 0; i < 300 && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT; ++i) {
    HWND box = nullptr;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == pi.dwProcessId && IsWindowVisible(w)) box = w;
    }
    if (box) {
      if (boxText) *boxText = testsupport::MessageBoxText(box);
      testsupport::AnswerMessageBox(box, IDOK);
    }
  }
  if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(pi.hProcess, 9997);
    WaitForSingleObject(pi.hProcess, INFINITE);
  }
  DWORD code = 9998;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST_F(InstallerTest, TheProgramRegistersItsFolderAndExitsWithZero) {
  const Unpacked unpacked("setup ソ表");
  const WinTempDir& dir = unpacked.dir;
  const std::string program = dir / "Setup.exe";
  ASSERT_TRUE(CopyFileA(TALLOWIN_SETUP_EXE, program.c_str(), FALSE));
  CreateExpertsKey();
  std::string box;
  EXPECT_EQ(RunProgram(program, &box), 0u);
  EXPECT_EQ(box, "");
  EXPECT_EQ(ValueOf("Quelvar"), dir / "Tallowin.dll");
}

TEST_F(InstallerTest, TheProgramWithoutTheKeyShowsTheMessageAndExitsWithZero) {
  const Unpacked unpacked("setup-nokey");
  const WinTempDir& dir = unpacked.dir;
  const std::string program = dir / "Setup.exe";
  ASSERT_TRUE(CopyFileA(TALLOWIN_SETUP_EXE, program.c_str(), FALSE));
  DeleteExpertsKey();
  std::string box;
  EXPECT_EQ(RunProgram(program, &box), 0u);
  EXPECT_EQ(box, "Delphi2.0がインストールされていません");
  EXPECT_EQ(ValueOf("Quelvar"), "<no key>");
}

TEST_F(InstallerTest, TheProgramAloneNamesTheMissingLibraryAndExitsWith1) {
  WinTempDir dir("setup-alone");
  const std::string program = dir / "Setup.exe";
  ASSERT_TRUE(CopyFileA(TALLOWIN_SETUP_EXE, program.c_str(), FALSE));
  CreateExpertsKey();
  std::string box;
  EXPECT_EQ(RunProgram(program, &box), 1u);
  EXPECT_NE(box.find(dir / "Tallowin.dll"), std::string::npos) << box;
  EXPECT_EQ(ValueCount(), 0);
}

}  // namespace
