// Tallowin.dll loaded with LoadLibrary and driven through INITEXPERT0016 by the stand-in
// host's objects, as the host IDE drives it.
#include <gtest/gtest.h>
#include <windows.h>

#include "host/host_ref.h"
#include "hostsim/host.h"
#include "tests/support/host_failures.h"
#include "tests/win32/ui_script.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using hostsim::Fault;
using testsupport::FindTopWindow;
using testsupport::UiScript;

using InitExpert = uint8_t(__stdcall*)(TIHostServices*, TExpertRegisterProc, TExpertTerminateProc*);

std::vector<TIExpert*> registered;
uint8_t __stdcall RegisterExpert(TIExpert* expert) {
  registered.push_back(expert);
  return 1;
}
void __stdcall SentinelTerminate() {}

class AddInDll : public testing::Test {
 protected:
  void SetUp() override {
    registered.clear();
    dir = std::make_unique<testsupport::WinTempDir>("dll");
    host.AddMenuItem("", "FileMenu", "ファイル");
    host.AddMenuItem("", "EditMenu", "編集");
    host.AddMenuItem("EditMenu", "EditUndoItem", "元に戻す");
    host.AddMenuItem("EditMenu", "EditObjectItem", "オブジェクト");
    host.AddMenuItem("EditMenu", "EditSelectAllItem", "すべて選択");
    host.projectFileName = *dir / "Sample.dpr";
    host.OpenModule(host.projectFileName, "program Sample;\r\n{$R *.RES}\r\nbegin\r\nend.\r\n");
    library = LoadLibraryA(TALLOWIN_DLL);
    ASSERT_NE(library, nullptr);
    init = reinterpret_cast<InitExpert>(reinterpret_cast<void (*)()>(GetProcAddress(library, "INITEXPERT0016")));
    ASSERT_NE(init, nullptr);
  }
  void TearDown() override {
    for (TIExpert* expert : registered) expert->Release();
    registered.clear();
    ui_pump();
    FreeLibrary(library);
    EXPECT_EQ(host.ledger.Problems(), "");
  }
  static void ui_pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  uint8_t Init(TIHostServices* services) { return init(services, &RegisterExpert, &slot); }

  std::unique_ptr<testsupport::WinTempDir> dir;
  hostsim::Host host;
  HMODULE library = nullptr;
  InitExpert init = nullptr;
  TExpertTerminateProc slot = &SentinelTerminate;
};

TEST_F(AddInDll, RegistersOneAddInAndInsertsTheCommandBelowEditObjectItem) {
  EXPECT_EQ(Init(host.services()), 1);
  EXPECT_EQ(slot, &SentinelTerminate);
  ASSERT_EQ(registered.size(), 1u);
  TIExpert* expert = registered[0];
  EXPECT_STREQ(expert->GetName(), "Tallowin");
  EXPECT_STREQ(expert->GetIDString(), "Orbelane.VersionResourceExpert");
  EXPECT_EQ(expert->GetStyle(), 3);
  EXPECT_EQ(expert->GetState(), 1);
  EXPECT_EQ(expert->GetVersion(), 2);
  ASSERT_EQ(host.insertCalls.size(), 1u);
  const hostsim::InsertChildCall& call = host.insertCalls[0];
  EXPECT_EQ(call.owner, "EditMenu");
  EXPECT_EQ(call.index, 2);  // "EditObjectItem" is at 1
  EXPECT_EQ(call.caption, "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ(&V)");
  EXPECT_EQ(call.name, "EditVersionItem");
  EXPECT_EQ(call.hint, "");
  EXPECT_EQ(call.shortCut, 0xA056);
  EXPECT_EQ(call.context, 0);
  EXPECT_EQ(call.groupIndex, 0);
  EXPECT_EQ(call.flags, 6);
  EXPECT_EQ(call.onClick.Data, expert);
  EXPECT_EQ(host.FindMenu("EditVersionItem")->Position(), 2);
  EXPECT_EQ(host.FindMenu("EditSelectAllItem")->Position(), 3);
  // Everything obtained during the insertion was released; the add-in keeps the new item.
  EXPECT_EQ(host.ledger.live(), 1);
  EXPECT_EQ(Init(host.services()), 0);  // a second call changes nothing
  EXPECT_EQ(registered.size(), 1u);
  EXPECT_EQ(host.insertCalls.size(), 1u);
  expert->GetAuthor();  // not provided: reported, not crashed
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{"Abstract Error"});
}

TEST_F(AddInDll, ANullServicesObjectIsRefused) {
  EXPECT_EQ(Init(nullptr), 0);
  EXPECT_TRUE(registered.empty());
  EXPECT_EQ(Init(host.services()), 1);
  EXPECT_EQ(registered.size(), 1u);
}

struct ChainCase {
  const char* operation;
};

class MenuChainNulls : public AddInDll, public testing::WithParamInterface<ChainCase> {};

TEST_P(MenuChainNulls, LeaveTheAddInRegisteredWithoutACommand) {
  host.SetFault(GetParam().operation, Fault::ReturnNull);
  EXPECT_EQ(Init(host.services()), 1);
  EXPECT_EQ(registered.size(), 1u);
  EXPECT_EQ(host.FindMenu("EditVersionItem"), nullptr);
  EXPECT_EQ(host.ledger.live(), 0) << GetParam().operation;
  EXPECT_TRUE(host.reportedErrors.empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, MenuChainNulls,
                         testing::Values(ChainCase{"GetMenuBar"}, ChainCase{"GetTopItems"},
                                         ChainCase{"FindItemByName"}, ChainCase{"GetOwnerItem"},
                                         ChainCase{"InsertChild"}));

TEST_F(AddInDll, WithoutEditObjectItemLoadingSucceedsWithNoCommand) {
  host.menuRoot().children[1]->children.erase(host.menuRoot().children[1]->children.begin() + 1);
  EXPECT_EQ(Init(host.services()), 1);
  EXPECT_EQ(registered.size(), 1u);
  EXPECT_TRUE(host.insertCalls.empty());
}

TEST_F(AddInDll, TheCommandWithoutAProjectShowsTheError) {
  ASSERT_EQ(Init(host.services()), 1);
  host.projectFileName.clear();
  std::string caption, text;
  UiScript script({[&] {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      char title[64] = {};
      GetWindowTextA(w, title, sizeof title);
      if (pid == GetCurrentProcessId() && IsWindowVisible(w) && std::string(title) == "ｴﾗｰ") {
        caption = title;
        text = testsupport::MessageBoxText(w);
        testsupport::AnswerMessageBox(w, IDOK);
      }
    }
  }});
  EXPECT_TRUE(script.Run([this] { host.Click("EditVersionItem"); }));
  EXPECT_EQ(caption, "ｴﾗｰ");
  EXPECT_EQ(text, "ﾌﾟﾛｼﾞｪｸﾄが開かれていません");
}

TEST_F(AddInDll, TheCommandOpensTheWindowAndAMinimizedOneIsRestored) {
  ASSERT_EQ(Init(host.services()), 1);
  const std::string caption = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " + dir->path() + "Version.rc";
  bool restored = false;
  int windows = 0;
  UiScript script({
      [&] {
        HWND editor = FindTopWindow(caption);
        ASSERT_NE(editor, nullptr);
        ShowWindow(editor, SW_MINIMIZE);
      },
      [&] { registered[0]->Execute(); },  // the command chosen again
      [&] {
        HWND editor = FindTopWindow(caption);
        restored = editor && !IsIconic(editor);
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
          char title[512] = {};
          GetWindowTextA(w, title, sizeof title);
          if (caption == title) ++windows;
        }
        PostMessageA(editor, WM_CLOSE, 0, 0);
      },
  });
  EXPECT_TRUE(script.Run([this] { host.Click("EditVersionItem"); }));
  EXPECT_TRUE(restored);
  EXPECT_EQ(windows, 1);
  EXPECT_NE(host.FindModule(host.projectFileName)->text.find("{$R *.RES}\r\n{$R VERSION.RES}"), std::string::npos);
  // The reference was cleared: the command creates a new window.
  bool reopened = false;
  UiScript again({[&] {
    HWND editor = FindTopWindow(caption);
    reopened = editor != nullptr;
    if (editor) PostMessageA(editor, WM_CLOSE, 0, 0);
  }});
  EXPECT_TRUE(again.Run([this] { host.Click("EditVersionItem"); }));
  EXPECT_TRUE(reopened);
}

TEST_F(AddInDll, AfterTheAddInObjectIsGoneTheCommandDoesNothing) {
  ASSERT_EQ(Init(host.services()), 1);
  registered[0]->Release();
  registered.clear();
  EXPECT_EQ(host.ledger.live(), 0);  // the add-in gave back its menu item
  EXPECT_TRUE(host.Click("EditVersionItem"));
  EXPECT_TRUE(host.reportedErrors.empty());
}

// The host's failures as the IDE raises them (its language's exception, an access
// violation), through the shipped library: nothing crosses back into the host, the message
// is reported where our own error's would be, the host's window takes input again, every
// host object is given back once, and the command works afterwards.
class HostFailuresFromOutside : public AddInDll, public testing::WithParamInterface<Fault> {
 protected:
  void SetUp() override {
    AddInDll::SetUp();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "StandInHostMain";
    RegisterClassA(&wc);
    host.hostWindow = CreateWindowExA(0, "StandInHostMain", "Delphi 2.0", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      300, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    DestroyWindow(host.hostWindow);
    AddInDll::TearDown();
  }
  std::string EditorCaption() const { return "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " + dir->path() + "Version.rc"; }
  // Chooses the command and closes the window it opens; true when it opened.
  bool CommandOpensTheWindow() {
    bool opened = false;
    UiScript script({[&] {
      HWND editor = FindTopWindow(EditorCaption());
      opened = editor != nullptr;
      if (editor) PostMessageA(editor, WM_CLOSE, 0, 0);
    }});
    return script.Run([this] { host.Click("EditVersionItem"); }) && opened;
  }
};

TEST_P(HostFailuresFromOutside, DuringTheEntry) {
  host.SetFault("GetMenuBar", GetParam());
  EXPECT_EQ(Init(host.services()), 1);
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{testsupport::FailureMessage(GetParam(), "GetMenuBar")});
  EXPECT_TRUE(registered.empty());
  EXPECT_EQ(host.FindMenu("EditVersionItem"), nullptr);
  EXPECT_EQ(host.ledger.live(), 0);
}

TEST_P(HostFailuresFromOutside, WhenTheCommandIsChosen) {
  ASSERT_EQ(Init(host.services()), 1);
  host.SetFault("GetProjectFileName", GetParam());
  EXPECT_TRUE(host.Click("EditVersionItem"));
  EXPECT_EQ(host.reportedErrors,
            std::vector<std::string>{testsupport::FailureMessage(GetParam(), "GetProjectFileName")});
  EXPECT_TRUE(IsWindowEnabled(host.hostWindow));
  EXPECT_EQ(host.ledger.live(), 1);  // the menu item the add-in keeps
  host.ClearFaults();
  EXPECT_TRUE(CommandOpensTheWindow());
  EXPECT_TRUE(IsWindowEnabled(host.hostWindow));
}

TEST_P(HostFailuresFromOutside, DuringTheCloseTimeSourceUpdate) {
  ASSERT_EQ(Init(host.services()), 1);
  std::string shown;
  bool hostDisabled = false, stayedOpen = false;
  UiScript script({
      [&] {
        hostDisabled = !IsWindowEnabled(host.hostWindow);
        host.SetFault("OpenSourceModule", GetParam());
        PostMessageA(FindTopWindow(EditorCaption()), WM_CLOSE, 0, 0);
      },
      [&] { shown = testsupport::TakeMessageBox("Tallowin", IDOK); },
      [&] {
        HWND editor = FindTopWindow(EditorCaption());
        stayedOpen = editor && IsWindowVisible(editor);
        host.ClearFaults();
        PostMessageA(editor, WM_CLOSE, 0, 0);
      },
  });
  EXPECT_TRUE(script.Run([this] { host.Click("EditVersionItem"); }));
  EXPECT_TRUE(hostDisabled);
  EXPECT_EQ(shown, testsupport::FailureMessage(GetParam(), "OpenSourceModule"));
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(host.reportedErrors.empty());  // shown in the window's own box instead
  EXPECT_NE(host.FindModule(host.projectFileName)->text.find("{$R VERSION.RES}"), std::string::npos);
  EXPECT_TRUE(IsWindowEnabled(host.hostWindow));
  EXPECT_EQ(host.ledger.live(), 1);
  EXPECT_TRUE(CommandOpensTheWindow());
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostFailuresFromOutside, testing::ValuesIn(testsupport::kRaisingFaults),
                         [](const testing::TestParamInfo<Fault>& info) {
                           return std::string(testsupport::FaultName(info.param));
                         });

}  // namespace
