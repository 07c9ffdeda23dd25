// The add-in's host boundary, linked in-process, with host operations that fail as the
// host IDE fails: its language's exception or an access violation. The report reaches the
// host's own handler (the stand-in's, around its call into the add-in), as on the IDE.
#include <gtest/gtest.h>

#include <utility>

#include "addin/globals.h"
#include "addin/quelvar.h"
#include "hostsim/host.h"
#include "tests/support/host_failures.h"
#include "tests/support/fault_now.h"
#include "tests/win32/ui_script.h"
#include "tests/win32/win_temp_dir.h"
#include "ui/application.h"

namespace {

using hostsim::Fault;

// The library's export, as this program has no library to take it from.
uint8_t __stdcall EntryPoint(TIHostServices* services, TExpertRegisterProc registerProc,
                             TExpertTerminateProc* terminate) {
  return InitExpert(services, registerProc, terminate);
}

class Boundary : public testing::Test {
 protected:
  void SetUp() override {
    HostServices = nullptr;
    ui::Application::Get().SetInstance(GetModuleHandleA(nullptr));  // no DllMain in-process
    host.AddMenuItem("", "EditMenu", "編集");
    host.AddMenuItem("EditMenu", "EditObjectItem", "オブジェクト");
  }
  void TearDown() override {
    host.ReleaseExperts();
    HostServices = nullptr;
    EXPECT_EQ(host.Problems(), "");
  }
  uint8_t Init() { return host.InitExpert(reinterpret_cast<void*>(&EntryPoint)); }
  hostsim::Host host;
};

class EntryFailures : public Boundary, public testing::WithParamInterface<std::tuple<const char*, Fault>> {};

// The report ends the entry: the host's exception, raised by ReportError, is what the host
// sees of the call.
TEST_P(EntryFailures, AreReportedToTheHost) {
  const auto& [operation, fault] = GetParam();
  host.SetFault(operation, fault);
  EXPECT_EQ(Init(), 0);
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{testsupport::FailureMessage(fault, operation)});
  EXPECT_TRUE(host.experts().empty());  // the add-in object was not made
  EXPECT_EQ(host.FindMenu("EditVersionItem"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, EntryFailures,
                         testing::Combine(testing::Values("GetHostWindow", "GetMenuBar", "GetTopItems",
                                                          "FindItemByName", "GetOwnerItem", "GetPosition",
                                                          "InsertChild"),
                                          testing::ValuesIn(testsupport::kRaisingFaults)));

// A host whose report itself fails: its failure is what reaches its handler.
TEST_F(Boundary, AHostThatFailsToReportIsSurvived) {
  host.SetFault("GetMenuBar", Fault::Raise);
  host.SetFault("ReportError", Fault::AccessViolation);
  EXPECT_EQ(Init(), 0);
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{testsupport::FailureMessage(Fault::AccessViolation, "")});
}

// On a host whose ReportError returns, the entry goes on to its end and answers true.
TEST_F(Boundary, WhereTheReportReturnsTheEntryAnswersTrue) {
  host.SetFault("GetMenuBar", Fault::Raise);
  host.SetFault("ReportError", Fault::ReturnNull);
  EXPECT_EQ(Init(), 1);
  EXPECT_EQ(host.calls("ReportError"), 1);
  EXPECT_TRUE(host.experts().empty());
}

// A string result of ours that the host cannot take: the old value was freed first, the
// failure reported and nothing left behind.
TEST_F(Boundary, AStringResultTheHostCannotMakeIsReported) {
  ASSERT_EQ(Init(), 1);
  host.SetFault("NewPascalString", Fault::Raise);
  EXPECT_EQ(host.ExpertText(host.experts().at(0), 3, "old"), "");
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{"host failure in NewPascalString"});
}

class CommandFailures : public Boundary, public testing::WithParamInterface<Fault> {};

TEST_P(CommandFailures, AreReportedAndTheCommandWorksAgain) {
  ASSERT_EQ(Init(), 1);
  host.SetFault("GetProjectFileName", GetParam());
  EXPECT_TRUE(host.Click("EditVersionItem"));
  EXPECT_EQ(host.reportedErrors,
            std::vector<std::string>{testsupport::FailureMessage(GetParam(), "GetProjectFileName")});
  host.ClearFaults();
  host.projectFileName.clear();  // the command runs again: without a project, its error box
  std::string shown;
  testsupport::UiScript script({[&] { shown = testsupport::TakeMessageBox("ｴﾗｰ", IDOK); }});
  EXPECT_TRUE(script.Run([&] { host.Click("EditVersionItem"); }));
  EXPECT_EQ(shown, "ﾌﾟﾛｼﾞｪｸﾄが開かれていません");
  EXPECT_EQ(host.reportedErrors.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CommandFailures, testing::ValuesIn(testsupport::kRaisingFaults));

// A fault of our own code between the host's call and its return never reaches the host as
// a fault: our boundary stops it, puts back what the skipped frames held (the host's window
// enabled, ours destroyed, VerMainForm cleared) and reports it; the command works again.
class OwnFaults : public Boundary {
 protected:
  void SetUp() override {
    Boundary::SetUp();
    dir = std::make_unique<testsupport::WinTempDir>("own faults");
    host.projectFileName = *dir / "Sample.dpr";
    host.OpenModule(host.projectFileName, "{$R *.RES}\r\n");
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OwnFaultsHost";
    RegisterClassA(&wc);
    host.hostWindow = CreateWindowExA(0, "OwnFaultsHost", "Delphi 2.0", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                      100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_EQ(Init(), 1);
  }
  void TearDown() override {
    Boundary::TearDown();
    DestroyWindow(host.hostWindow);
    ui::Application::Get().SetOwner(nullptr);
    dir.reset();
  }
  std::string Caption() const { return "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " + dir->path() + "Version.rc"; }
  // The command afterwards: the window opens, and closes with the source brought in line.
  void CommandWorksAgain() {
    bool opened = false;
    testsupport::UiScript script({[&] {
      HWND editor = testsupport::FindTopWindow(Caption());
      opened = editor != nullptr;
      PostMessageA(editor, WM_CLOSE, 0, 0);
    }});
    EXPECT_TRUE(script.Run([this] { host.Click("EditVersionItem"); }));
    EXPECT_TRUE(opened);
    EXPECT_NE(host.FindModule(host.projectFileName)->text.find("{$R VERSION.RES}"), std::string::npos);
  }
  std::unique_ptr<testsupport::WinTempDir> dir;
};

const char kOwnAccessViolation[] = "ｱｸｾｽ違反が発生しました (例外ｺｰﾄﾞ C0000005)";

#if defined(__i386__)
// Faults once, inside GetMessage of the window's modal loop. (Only where the hook is called
// as a plain call: x86-64 Wine calls it through a kernel callback, which no exception may
// leave; x86-64 Windows swallows such exceptions too.)
HHOOK faultingHook = nullptr;
LRESULT CALLBACK FaultOnce(int code, WPARAM wParam, LPARAM lParam) {
  if (faultingHook) {
    UnhookWindowsHookEx(std::exchange(faultingHook, nullptr));
    testsupport::FaultNow();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(OwnFaults, InTheModalLoop) {
  bool hostDisabled = false;
  testsupport::UiScript script({[&] {
    hostDisabled = !IsWindowEnabled(host.hostWindow);
    faultingHook = SetWindowsHookExA(WH_GETMESSAGE, &FaultOnce, nullptr, GetCurrentThreadId());
    PostMessageA(testsupport::FindTopWindow(Caption()), WM_NULL, 0, 0);
  }});
  script.Run([this] { host.Click("EditVersionItem"); });
  EXPECT_TRUE(hostDisabled);
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{kOwnAccessViolation});
  EXPECT_TRUE(IsWindowEnabled(host.hostWindow));
  EXPECT_EQ(VerMainForm, nullptr);
  EXPECT_EQ(testsupport::FindTopWindow(Caption()), nullptr);
  CommandWorksAgain();
}
#endif

// The host hands over a string it cannot have made: our copy of it faults.
TEST_F(OwnFaults, AtTheEntryOnAStringOfTheHost) {
  host.projectNameUnreadable = true;
  EXPECT_TRUE(host.Click("EditVersionItem"));
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{kOwnAccessViolation});
  EXPECT_TRUE(IsWindowEnabled(host.hostWindow));
  host.projectNameUnreadable = false;
  CommandWorksAgain();
}

}  // namespace
