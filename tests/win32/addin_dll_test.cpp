// Tallowin.dll loaded with LoadLibrary and driven through INITEXPERT0016 by the stand-in
// host as the host IDE drives it: its conventions, its strings, its exceptions. On i686
// every call into the library goes through the stand-in's thunk, so a stack pointer or a
// register the library does not give back is one of the host's problems at the end.
#include <gtest/gtest.h>
#include <windows.h>

#include "hostsim/host.h"
#include "tests/support/host_failures.h"
#include "tests/win32/ui_script.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using hostsim::Fault;
using testsupport::FindTopWindow;
using testsupport::UiScript;

class AddInDll : public testing::Test {
 protected:
  void SetUp() override {
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
    entry = reinterpret_cast<void*>(GetProcAddress(library, "INITEXPERT0016"));
    ASSERT_NE(entry, nullptr);
  }
  void TearDown() override {
    host.ReleaseExperts();  // as the IDE at its close
    ui_pump();
    FreeLibrary(library);
    EXPECT_EQ(host.Problems(), "");
  }
  static void ui_pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  TIExpert* Expert() { return host.experts().at(0); }

  std::unique_ptr<testsupport::WinTempDir> dir;
  hostsim::Host host;
  HMODULE library = nullptr;
  void* entry = nullptr;
};

TEST_F(AddInDll, RegistersOneAddInAndInsertsTheCommandBelowEditObjectItem) {
  EXPECT_EQ(host.InitExpert(entry), 1);
  EXPECT_EQ(host.terminateProc(), nullptr);  // left untouched
  ASSERT_EQ(host.experts().size(), 1u);
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
  EXPECT_EQ(call.onClick.data, Expert());
  EXPECT_NE(call.onClick.code, nullptr);
  EXPECT_EQ(host.FindMenu("EditVersionItem")->Position(), 2);
  EXPECT_EQ(host.FindMenu("EditSelectAllItem")->Position(), 3);
  // Everything obtained during the insertion was released; the add-in keeps the new item.
  EXPECT_EQ(host.ledger.live(), 1);
  EXPECT_EQ(host.InitExpert(entry), 0);  // a second call changes nothing
  EXPECT_EQ(host.experts().size(), 1u);
  EXPECT_EQ(host.insertCalls.size(), 1u);
  EXPECT_TRUE(host.reportedErrors.empty());
}

// The add-in object's slots as the IDE calls them: string results through the hidden
// variable (its old value freed through the host), bytes in AL.
TEST_F(AddInDll, AnswersEverySlotOfItsTable) {
  ASSERT_EQ(host.InitExpert(entry), 1);
  TIExpert* expert = Expert();
  struct TextSlot {
    int slot;
    const char* old;
    const char* answer;
  };
  for (const TextSlot& s : {TextSlot{3, "", "Tallowin"}, TextSlot{3, "stale", "Tallowin"}, TextSlot{4, "x", ""},
                            TextSlot{5, "", ""}, TextSlot{6, "", ""}, TextSlot{10, "", "Orbelane.VersionResourceExpert"},
                            TextSlot{10, "previous", "Orbelane.VersionResourceExpert"}, TextSlot{11, "menu", ""}}) {
    EXPECT_EQ(host.ExpertText(expert, s.slot, s.old), s.answer) << "slot " << s.slot;
  }
  EXPECT_EQ(host.ExpertGlyph(expert), nullptr);
  EXPECT_EQ(host.ExpertByte(expert, 8), 3);  // esAddIn
  EXPECT_EQ(host.ExpertByte(expert, 9), 1);  // [esEnabled]
  EXPECT_EQ(host.ExpertCall(expert, 2), 2);  // GetVersion
  EXPECT_EQ(host.ExpertCall(expert, 0), 2);  // AddRef
  EXPECT_EQ(host.ExpertCall(expert, 1), 1);  // Release
  EXPECT_TRUE(host.reportedErrors.empty());
}

TEST_F(AddInDll, ANullServicesObjectIsRefused) {
  using Entry = uint8_t(__stdcall*)(void*, void*, void*);
  EXPECT_EQ(reinterpret_cast<Entry>(entry)(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(host.InitExpert(entry), 1);
  EXPECT_EQ(host.experts().size(), 1u);
}

struct ChainCase {
  const char* operation;
};

class MenuChainNulls : public AddInDll, public testing::WithParamInterface<ChainCase> {};

TEST_P(MenuChainNulls, LeaveTheAddInRegisteredWithoutACommand) {
  host.SetFault(GetParam().operation, Fault::ReturnNull);
  EXPECT_EQ(host.InitExpert(entry), 1);
  EXPECT_EQ(host.experts().size(), 1u);
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
  EXPECT_EQ(host.InitExpert(entry), 1);
  EXPECT_EQ(host.experts().size(), 1u);
  EXPECT_TRUE(host.insertCalls.empty());
}

TEST_F(AddInDll, TheCommandWithoutAProjectShowsTheError) {
  ASSERT_EQ(host.InitExpert(entry), 1);
  host.projectFileName.clear();
  std::string shown;
  UiScript script({[&] { shown = testsupport::TakeMessageBox("ｴﾗｰ", IDOK); }});
  EXPECT_TRUE(script.Run([this] { EXPECT_TRUE(host.Click("EditVersionItem")); }));
  EXPECT_EQ(shown, "ﾌﾟﾛｼﾞｪｸﾄが開かれていません");
}

TEST_F(AddInDll, TheCommandOpensTheWindowAndAMinimizedOneIsRestored) {
  ASSERT_EQ(host.InitExpert(entry), 1);
  const std::string caption = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " + dir->path() + "Version.rc";
  bool restored = false;
  int windows = 0;
  UiScript script({
      [&] {
        HWND editor = FindTopWindow(caption);
        ASSERT_NE(editor, nullptr);
        ShowWindow(editor, SW_MINIMIZE);
      },
      [&] { EXPECT_TRUE(host.Click("EditVersionItem")); },  // the command chosen again
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
  EXPECT_TRUE(again.Run([this] { host.ExpertExecute(Expert()); }));
  EXPECT_TRUE(reopened);
  EXPECT_TRUE(host.reportedErrors.empty());
}

// The host's rule for menu items: the client destroys what it created. The IDE releases
// its add-ins as it closes; then the command goes and the item is given back.
TEST_F(AddInDll, TheLastReleaseTakesTheCommandOut) {
  ASSERT_EQ(host.InitExpert(entry), 1);
  ASSERT_NE(host.FindMenu("EditVersionItem"), nullptr);
  host.ReleaseExperts();
  EXPECT_EQ(host.FindMenu("EditVersionItem"), nullptr);  // nothing leads into the unloaded library
  EXPECT_EQ(host.calls("DestroyMenuItem"), 1);
  EXPECT_EQ(host.ledger.live(), 0);
  EXPECT_FALSE(host.Click("EditVersionItem"));
  EXPECT_TRUE(host.reportedErrors.empty());
}

// The host's failures as the IDE raises them (its language's exception, an access
// violation), through the shipped library: nothing crosses back into the host but the
// report, which the host's own handler catches and shows; the host's window takes input
// again, every host object and string is given back once, and the command works afterwards.
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
    AddInDll::TearDown();
    DestroyWindow(host.hostWindow);
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
  EXPECT_EQ(host.InitExpert(entry), 0);  // the report ended the call
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{testsupport::FailureMessage(GetParam(), "GetMenuBar")});
  EXPECT_TRUE(host.experts().empty());
  EXPECT_EQ(host.FindMenu("EditVersionItem"), nullptr);
  EXPECT_EQ(host.ledger.live(), 0);
}

TEST_P(HostFailuresFromOutside, WhenTheCommandIsChosen) {
  ASSERT_EQ(host.InitExpert(entry), 1);
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
  ASSERT_EQ(host.InitExpert(entry), 1);
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

TEST_P(HostFailuresFromOutside, WhenTheCommandIsTakenOut) {
  ASSERT_EQ(host.InitExpert(entry), 1);
  host.SetFault("DestroyMenuItem", GetParam());
  host.ReleaseExperts();
  EXPECT_EQ(host.reportedErrors,
            std::vector<std::string>{testsupport::FailureMessage(GetParam(), "DestroyMenuItem")});
  EXPECT_EQ(host.ledger.live(), 0);  // the item given back all the same
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostFailuresFromOutside, testing::ValuesIn(testsupport::kRaisingFaults),
                         [](const testing::TestParamInfo<Fault>& info) {
                           return std::string(testsupport::FaultName(info.param));
                         });

}  // namespace
