// What the editor window finds when it is created: the compiler path from the host's
// registry key in its variants, and a host that fails to name the project.
#include <gtest/gtest.h>

#include "addin/quelvar.h"
#include "editor/adapters/host_compiler.h"
#include "platform/lead_byte.h"
#include "platform/registry.h"
#include "tests/support/host_failures.h"
#include "tests/win32/editor_fixture.h"
#include "ui/standard_controls.h"

namespace testsupport {
namespace {

const char kKey[] = "Software\\Borland\\Delphi\\2.0";

struct RegistryCase {
  const char* what;
  DWORD type;        // 0: no value; REG_NONE with deleteKey: no key
  std::string data;  // stored bytes, as given
  bool deleteKey;
  const char* compilerPath;  // relative to the test folder when it starts with '\'
  const char* error;         // the message shown, if any
};

class CompilerFromRegistry : public EditorWindowTest, public testing::WithParamInterface<RegistryCase> {};

TEST_P(CompilerFromRegistry, FollowsTheHostsKey) {
  const RegistryCase& c = GetParam();
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key);
  RegDeleteValueA(key, "Delphi 2.0");
  if (c.type != 0) {
    RegSetValueExA(key, "Delphi 2.0", 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                   static_cast<DWORD>(c.data.size()));
  }
  RegCloseKey(key);
  if (c.deleteKey) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
  std::string compiler, shownError;
  std::vector<UiScript::Step> steps;
  if (c.error) {
    steps.push_back([&] {
      shownError = TakeMessageBox("Tallowin", IDOK);
    });
  }
  steps.push_back([&, this] {
    compiler = form().CompilerPath;
    PressKey(VK_ESCAPE);
  });
  RunEditor(steps);
  EXPECT_EQ(compiler, c.compilerPath) << c.what;
  EXPECT_EQ(shownError, c.error ? c.error : "") << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompilerFromRegistry,
    testing::Values(
        RegistryCase{"text", REG_SZ, std::string("C:\\Delphi 2.0\\BIN\\DELPHI32.EXE", 32), false,
                     "C:\\Delphi 2.0\\BIN\\brc32.exe", nullptr},
        RegistryCase{"text without its NUL", REG_SZ, "D:\\D2\\BIN\\D.EXE", false, "D:\\D2\\BIN\\brc32.exe", nullptr},
        RegistryCase{"expandable text", REG_EXPAND_SZ, std::string("E:\\x\\y.exe", 12), false, "E:\\x\\brc32.exe",
                     nullptr},
        RegistryCase{"Shift-JIS folder", REG_SZ, std::string("C:\\\x95\x5C\\d.exe", 11), false,
                     "C:\\\x95\x5C\\brc32.exe", nullptr},
        RegistryCase{"no value", 0, "", false, "brc32.exe", nullptr},
        RegistryCase{"empty value", REG_SZ, std::string("", 1), false, "brc32.exe", nullptr},
        RegistryCase{"no key", 0, "", true, "", nullptr},
        RegistryCase{"a number", REG_DWORD, std::string("\x01\0\0\0", 4), false, "",
                     "'Delphi 2.0' のﾃﾞｰﾀ型が不正です"},
        RegistryCase{"binary", REG_BINARY, "abc", false, "", "'Delphi 2.0' のﾃﾞｰﾀ型が不正です"}));

// On a machine with the real IDE, its install key comes through the tests as it was,
// subkeys included, though they rewrite and delete it.
TEST(EditorWindowTestFixture, PutsTheHostsKeyBack) {
  struct Cycle : EditorWindowTest {
    void TestBody() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey); }
    using EditorWindowTest::SetUp;
    using EditorWindowTest::TearDown;
  };
  const std::string installed = "C:\\Delphi 2.0\\BIN\\DELPHI32.EXE";
  HKEY key = nullptr, sub = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\Other").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                  nullptr, &sub, nullptr);
  RegCloseKey(sub);
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key);
  RegSetValueExA(key, "Delphi 2.0", 0, REG_SZ, reinterpret_cast<const BYTE*>(installed.c_str()),
                 static_cast<DWORD>(installed.size() + 1));
  RegCloseKey(key);
  {
    Cycle cycle;
    cycle.SetUp();
    cycle.TestBody();
    cycle.TearDown();
  }
  platform::RegistryKey read(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(read.Open(kKey));
  EXPECT_EQ(read.ReadString("Delphi 2.0"), installed);
  read.Close();
  EXPECT_TRUE(read.Open(std::string(kKey) + "\\Other"));
  read.Close();
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\Other").c_str());
}

LONG WINAPI RefuseOpen(HKEY, LPCSTR, DWORD, REGSAM, PHKEY) { return ERROR_ACCESS_DENIED; }

// An ordinary user on NT: the machine's keys may be read, not written.
LONG WINAPI ReadOnlyOpen(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
  if (access & ~KEY_READ) return ERROR_ACCESS_DENIED;
  return RegOpenKeyExA(root, path, options, access, key);
}

struct InjectedOpen {
  explicit InjectedOpen(decltype(platform::RegistryApi::openKey) open) : saved(platform::Registry()) {
    platform::Registry().openKey = open;
  }
  ~InjectedOpen() { platform::Registry() = saved; }
  platform::RegistryApi saved;
};

TEST_F(EditorWindowTest, AKeyThatCannotBeOpenedLeavesTheCompilerEmpty) {
  InjectedOpen refused(&RefuseOpen);
  std::string compiler;
  RunEditor({[&, this] {
    compiler = form().CompilerPath;
    PressKey(VK_ESCAPE);
  }});
  EXPECT_EQ(compiler, "");
}

// The window, its options dialog and the batch program's reading of the key (the same
// function TalloVer.exe calls) all find the compiler with read rights alone.
TEST_F(EditorWindowTest, ReadRightsAloneFindTheCompiler) {
  InjectedOpen readOnly(&ReadOnlyOpen);
  const std::string expected = *dir / "bin\\brc32.exe";
  std::string inWindow, inDialog;
  RunEditor({
      [&, this] {
        inWindow = form().CompilerPath;
        ClickWindow(Control("OptionButton"));
      },
      [&] {
        HWND dialog = FindTopWindow("ｵﾌﾟｼｮﾝの設定");
        auto* options = dialog ? ui::Form::FromHandle(dialog) : nullptr;
        ASSERT_NE(options, nullptr);
        inDialog = options->Find("Edit1")->Text();
        PressKey(VK_ESCAPE);
      },
      [] { PressKey(VK_ESCAPE); },
  });
  EXPECT_EQ(inWindow, expected);
  EXPECT_EQ(inDialog, expected);
  EXPECT_EQ(editor::HostCompilerPath(platform::IsSystemLeadByte), expected);
}

// The host's failures as the IDE raises them: its language's exception and an access violation.
class HostFailureKinds : public EditorWindowTest, public testing::WithParamInterface<hostsim::Fault> {};

TEST_P(HostFailureKinds, AHostThatCannotNameTheProjectLeavesTheScriptPathEmpty) {
  host.SetFault("GetProjectFileName", GetParam());
  std::string caption, script, error;
  RunEditor({
      [&] {
        error = TakeMessageBox("Tallowin", IDOK);
      },
      [&, this] {
        caption = form().Caption();
        script = form().ScriptPath;
        host.ClearFaults();
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(caption, "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ");
  EXPECT_EQ(script, "");
  EXPECT_EQ(error, FailureMessage(GetParam(), "GetProjectFileName"));
}

TEST_P(HostFailureKinds, AFailureInsideAHandlerIsShownAndTheWindowStays) {
  host.SetFault("OpenSourceModule", GetParam());
  std::string error;
  RunEditor({
      [] { PressKey(VK_ESCAPE); },  // closing unmodified updates the project source, which fails
      [&] {
        error = TakeMessageBox("Tallowin", IDOK);
      },
      [this] {
        EXPECT_TRUE(VerMainForm && IsWindowVisible(form().hwnd()));
        host.ClearFaults();
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(error, FailureMessage(GetParam(), "OpenSourceModule"));
  EXPECT_NE(ProjectText().find("{$R VERSION.RES}"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostFailureKinds, testing::ValuesIn(kRaisingFaults),
                         [](const testing::TestParamInfo<hostsim::Fault>& info) {
                           return std::string(FaultName(info.param));
                         });

// A window freed after a newer one was made leaves the newer one's status bar working.
TEST_F(EditorWindowTest, FreeingAnOlderWindowKeepsTheNewerWindowsHints) {
  auto older = std::make_unique<TVerMainForm>(owner, host.services());
  auto newer = std::make_unique<TVerMainForm>(owner, host.services());
  older.reset();
  ui::Application::Get().SetHint("the long hint");
  EXPECT_EQ(newer->Get<ui::StatusBar>("StatusBar1").PanelText(), "the long hint");
  newer.reset();
  ui::Application::Get().SetHint("");  // no window left: nothing to call
}

// The menu command finding the window open gives the keyboard focus back to the control
// that had it, not to the frame.
TEST_F(EditorWindowTest, TheCommandFindingTheWindowOpenFocusesItsActiveControl) {
  std::string focused;
  RunEditor({
      [this] { SetFocus(Control("Edit3")); },
      [&, this] {
        SetFocus(form().hwnd());
        auto* expert = new TQuelvar();  // holds one reference
        expert->Execute();
        expert->Release();  // through its table, as the host does: the object goes
        ui::Control* c = ui::Control::FromHandle(GetFocus());
        focused = c ? c->name() : "<none>";
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(focused, "Edit3");
}

}  // namespace
}  // namespace testsupport
