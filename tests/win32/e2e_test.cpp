// The typical use from end to end, with the real installer, the real Tallowin.dll and the
// stand-in host program, each in its own process, driven by keys as a person would.
// With TALLOWIN_DEMO_OUT set, the work folder is kept there with screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "tests/support/version_resource.h"
#include "tests/win32/help_viewer.h"
#include "tests/win32/real_compile.h"
#include "tests/win32/registry_snapshot.h"
#include "tests/win32/ui_script.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using testsupport::WaitFor;

using testsupport::ClickWindow;
using testsupport::PressKey;
using testsupport::ReadWholeFile;

const char kProjectText[] =
    "program Sample;\r\n\r\nuses\r\n  Forms,\r\n  Main in 'Main.pas' {MainForm};\r\n\r\n{$R *.RES}\r\n\r\n"
    "begin\r\n  Application.Initialize;\r\n  Application.CreateForm(TMainForm, MainForm);\r\n"
    "  Application.Run;\r\nend.\r\n";

struct Process {
  PROCESS_INFORMATION info{};
  bool Start(const std::string& program, const std::string& arguments) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string commandLine = "\"" + program + "\" " + arguments;
    return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &info) != FALSE;
  }
  DWORD Wait(int seconds) {
    DWORD code = 9999;
    if (WaitForSingleObject(info.hProcess, seconds * 1000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
  ~Process() {
    if (info.hProcess) {
      if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
      CloseHandle(info.hProcess);
      CloseHandle(info.hThread);
    }
  }
};

// A visible top-level window of the process, with the given caption (any when empty).
HWND WindowOf(DWORD pid, const std::string& caption) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    if (owner == pid && IsWindowVisible(w) && (caption.empty() || caption == text)) return w;
  }
  return nullptr;
}

HWND HostWindow(DWORD pid) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (owner == pid && IsWindowVisible(w) && std::string(cls) == "TallowinStandInHost") return w;
  }
  return nullptr;
}

struct ChildSearch {
  HWND parent;
  POINT at;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, search->parent, reinterpret_cast<POINT*>(&r), 2);
  if (r.left == search->at.x && r.top == search->at.y && GetParent(child) == search->parent) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

// The control at a layout position of the window's client area.
HWND ChildAt(HWND window, int left, int top) {
  ChildSearch search{window, {left, top}, nullptr};
  EnumChildWindows(window, &MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// Waits until the thread of `window` has answered every message sent to it before.
void Settle(HWND window) { SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr); }

// Gives `window` the keyboard: waits until it is the foreground window and its thread idle.
bool Focus(HWND window) {
  SetForegroundWindow(window);
  const bool foreground = WaitFor([window] { return GetForegroundWindow() == window; }, 10);
  Settle(window);
  return foreground;
}

// Presses the keys once, into `window` once it has the keyboard, and waits for `done`.
bool PressUntil(HWND window, const std::function<void()>& keys, const std::function<bool()>& done) {
  if (!Focus(window)) return false;
  keys();
  return WaitFor(done, 30);
}

class TypicalUse : public testing::Test {
 protected:
  // The host's keys as they were: on a machine with the real IDE, its add-in list and
  // install key survive the test.
  testsupport::RegistrySnapshot addIns{HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\2.0\\Experts"};
  testsupport::RegistrySnapshot install{HKEY_LOCAL_MACHINE, "Software\\Borland\\Delphi\\2.0"};

  void SetUp() override {
    char demo[MAX_PATH] = {};
    if (GetEnvironmentVariableA("TALLOWIN_DEMO_OUT", demo, sizeof demo)) {
      root = std::string(demo) + "\\";
      CreateDirectoryA(demo, nullptr);
    } else {
      temp = std::make_unique<testsupport::WinTempDir>("typical use");
      root = temp->path();
    }
    for (const char* folder : {"Tallowin ソ", "Delphi 2.0", "Delphi 2.0\\Bin", "Work"}) {
      CreateDirectoryA((root + folder).c_str(), nullptr);
    }
    hostProgram = root + "Delphi 2.0\\Bin\\standin_host.exe";
    ASSERT_TRUE(CopyFileA(TALLOWIN_HOSTSIM "/standin_host.exe", hostProgram.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(TALLOWIN_HOSTSIM "/brc32.exe", (root + "Delphi 2.0\\Bin\\brc32.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(TALLOWIN_SHIPPED "/Setup.exe", (root + "Tallowin ソ\\Setup.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(TALLOWIN_SHIPPED "/Tallowin.dll", (root + "Tallowin ソ\\Tallowin.dll").c_str(), FALSE));
    project = root + "Work\\Sample.dpr";
    testsupport::WriteWholeFile(project, kProjectText);
    for (const char* name : {"Sample.vri", "Version.rc", "Version.RES"}) DeleteFileA((root + "Work\\" + name).c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\2.0\\Experts");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Borland\\Delphi\\2.0");
    SetEnvironmentVariableA("TALLOWIN_HOST_LOG", (root + "host.log").c_str());
    DeleteFileA((root + "host.log").c_str());
  }

  // 1. The host has been installed, then the add-in; the host starts.
  void InstallAndStart(const std::string& arguments) {
    Process reg;
    ASSERT_TRUE(reg.Start(hostProgram, "/register"));
    ASSERT_EQ(reg.Wait(30), 0u);
    Process setup;
    ASSERT_TRUE(setup.Start(root + "Tallowin ソ\\Setup.exe", ""));
    ASSERT_EQ(setup.Wait(30), 0u);
    ASSERT_TRUE(host.Start(hostProgram, arguments));
    ASSERT_TRUE(WaitFor([this] { return HostWindow(host.info.dwProcessId) != nullptr; }, 30));
    ASSERT_TRUE(WaitFor([this] { return Log().find("ready") != std::string::npos; }, 30));
    hostWindow = HostWindow(host.info.dwProcessId);
  }

  std::string Log() { return ReadWholeFile(root + "host.log"); }
  void Shot(HWND window, const char* name) {
    if (temp) return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle(window);  // the other process has painted once it answers
    testsupport::SaveWindowImage(window, root + name + ".bmp");
  }
  // The viewer beside the editor (which stays on top), for the screenshots.
  void ShotOfViewer(HWND editor) {
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("TALLOWIN_SCREENSHOTS", folder, sizeof folder)) return;
    RECT r;
    GetWindowRect(editor, &r);
    SetWindowPos(editor, nullptr, GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left), 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND viewer = testsupport::HelpViewer();
    SetWindowPos(viewer, HWND_TOP, 0, 0, 640, 560, 0);
    Settle(viewer);
    RedrawWindow(viewer, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle(viewer);
    testsupport::SaveWindowImage(viewer, std::string(folder) + "\\help.bmp");
  }
  HWND ChooseCommand(const std::string& caption) {
    HWND editor = nullptr;
    PressUntil(
        hostWindow, [] { PressKey('V', false, true, true); },  // Shift+Alt+V
        [&] { return (editor = WindowOf(host.info.dwProcessId, caption)) != nullptr; });
    return editor;
  }

  std::unique_ptr<testsupport::WinTempDir> temp;
  std::string root, hostProgram, project;
  Process host;
  HWND hostWindow = nullptr;
};

TEST_F(TypicalUse, FromInstallationToTheLinkedVersionResource) {
  InstallAndStart("\"" + project + "\"");
  // The command is shown below "EditObjectItem".
  const std::string log = Log();
  EXPECT_NE(log.find("Tallowin.dll: INITEXPERT0016 returned 1"), std::string::npos) << log;
  const size_t object = log.find("menu EditMenu > EditObjectItem");
  const size_t command = log.find("menu EditMenu > EditVersionItem | ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ(&V) | position 2 | shortcut A056 | flags 6");
  ASSERT_NE(command, std::string::npos) << log;
  EXPECT_LT(object, command);
  EXPECT_EQ(log.find("menu", log.find('\n', object) + 1), command);
  Shot(hostWindow, "1-host");

  // 2-3. The project is open; the window opens with the initial values.
  const std::string caption = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " + root + "Work\\Version.rc";
  HWND editor = ChooseCommand(caption);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(TextOf(ChildAt(editor, 102, 59)), "1");
  EXPECT_EQ(TextOf(ChildAt(editor, 102, 123)), "Copyright (c) 1997 ");
  // 4. File version 1, 2, 0, 5 and a description.
  SendMessageA(ChildAt(editor, 148, 59), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2"));
  SendMessageA(ChildAt(editor, 240, 59), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5"));
  SendMessageA(ChildAt(editor, 102, 102), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("サンプル表示"));
  Shot(editor, "2-editor");
  // 5. Save.
  ASSERT_TRUE(PressUntil(editor, [] { PressKey('S', true); }, [&] {
    return ReadWholeFile(root + "Work\\Sample.vri").find("FileVersion=1, 2, 0, 5") != std::string::npos;
  }));
  // 6. Compile: the compiler (the stand-in brc32.exe beside the host) writes Version.RES
  // beside the script on its own.
  ASSERT_TRUE(PressUntil(editor, [] { PressKey(VK_F9, true); },
                         [&] { return testsupport::FileExists(root + "Work\\Version.RES"); }));
  EXPECT_TRUE(testsupport::WaitForProgramsToEnd("brc32.exe", 60));
  const auto res = testsupport::ParseVersionRes(ReadWholeFile(root + "Work\\Version.RES"));
  ASSERT_TRUE(res);
  EXPECT_EQ(res->fileVersionMS, 0x00010002u);
  EXPECT_EQ(res->fileVersionLS, 0x00000005u);
  EXPECT_EQ(testsupport::ToCp932(res->strings.at("FileDescription")), "サンプル表示");
  // 7. Close: the directive appears below {$R *.RES}, as an unsaved edit in the host.
  ASSERT_TRUE(PressUntil(editor, [] { PressKey(VK_ESCAPE); },
                         [&] { return WindowOf(host.info.dwProcessId, caption) == nullptr; }));
  ASSERT_TRUE(WaitFor([&] { return TextOf(hostWindow).find(" *") != std::string::npos; }, 10));
  Shot(hostWindow, "3-host-updated");
  ASSERT_TRUE(PressUntil(hostWindow, [] { PressKey('S', true); }, [&] {  // the host saves the project
    return ReadWholeFile(project).find("{$R *.RES}\r\n{$R VERSION.RES}\r\n") != std::string::npos;
  }));
  EXPECT_EQ(TextOf(hostWindow).find(" *"), std::string::npos);

  // Reopening shows the saved values.
  editor = ChooseCommand(caption);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(TextOf(ChildAt(editor, 148, 59)), "2");
  EXPECT_EQ(TextOf(ChildAt(editor, 240, 59)), "5");
  EXPECT_EQ(TextOf(ChildAt(editor, 102, 102)), "サンプル表示");
  ASSERT_TRUE(PressUntil(editor, [] { PressKey(VK_ESCAPE); },
                         [&] { return WindowOf(host.info.dwProcessId, caption) == nullptr; }));
  PostMessageA(hostWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(host.Wait(30), 0u);
  EXPECT_NE(Log().find("ended"), std::string::npos);
}

// The window with the keyboard focus in the thread of `window`.
HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// No message box of any program is open (the viewer reports a missing file or topic so).
bool NoMessageBox() {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (IsWindowVisible(w) && std::string(cls) == "#32770") return false;
  }
  return true;
}

// The help file where the read-me puts it, beside the host's program: F1 on a field and the
// Help button open Wine's own viewer on their topics, showing the help source's text.
TEST_F(TypicalUse, F1AndTheHelpButtonShowTheirTopicsInTheViewer) {
  const std::string helpFile = root + "Delphi 2.0\\Bin\\Quelvar.hlp";
  ASSERT_TRUE(CopyFileA(TALLOWIN_SHIPPED "/Quelvar.hlp", helpFile.c_str(), FALSE));
  // The viewer keeps the file open, and the add-in never closes it: it is asked to quit, on
  // every path, so that the test's folder can go.
  const struct QuitViewer {
    const std::string& file;
    ~QuitViewer() {
      if (testsupport::HelpViewer()) WinHelpA(nullptr, file.c_str(), HELP_QUIT, 0);
      WaitFor([] { return testsupport::HelpViewer() == nullptr; }, 30);
    }
  } quitViewer{helpFile};
  InstallAndStart("\"" + project + "\"");
  const std::string caption = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " + root + "Work\\Version.rc";
  HWND editor = ChooseCommand(caption);
  ASSERT_NE(editor, nullptr);
  const struct {
    const char* what;
    HWND field;  // clicked, then F1; or null for the Help button
    int topic;
  } requests[] = {
      {"F1 on Edit4", ChildAt(editor, 102, 123), 15},
      {"F1 on SpinEdit7", ChildAt(editor, 194, 240), 20},
      {"the Help button", nullptr, 1},
  };
  for (const auto& request : requests) {
    const std::wstring expected = testsupport::HelpSourceText(TALLOWIN_HELP_SOURCE, request.topic);
    ASSERT_FALSE(expected.empty()) << request.topic;
    if (request.field) {  // the click has given the field the focus before F1 is pressed
      ASSERT_TRUE(PressUntil(editor, [&] { ClickWindow(request.field); }, [&] {
        return FocusIn(editor) == request.field || GetParent(FocusIn(editor)) == request.field;
      })) << request.what;
    }
    std::wstring shown;
    const auto ask = [&] {
      if (request.field) PressKey(VK_F1); else ClickWindow(ChildAt(ChildAt(editor, 0, 0), 160, 4));
    };
    EXPECT_TRUE(PressUntil(editor, ask, [&] {
      shown = testsupport::HelpViewerText();
      return testsupport::Squeezed(shown) == testsupport::Squeezed(expected);
    })) << request.what << " shows:\n" << testsupport::Narrow(shown) << "\ninstead of topic " << request.topic;
    EXPECT_EQ(testsupport::HelpViewerCaption(), testsupport::HelpSourceCaption(TALLOWIN_HELP_SOURCE));
    EXPECT_TRUE(NoMessageBox()) << request.what;
    if (request.topic == 15) ShotOfViewer(editor);
  }
  ASSERT_TRUE(PressUntil(editor, [] { PressKey(VK_ESCAPE); },
                         [&] { return WindowOf(host.info.dwProcessId, caption) == nullptr; }));
  PostMessageA(hostWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(host.Wait(30), 0u);
}

TEST_F(TypicalUse, TheCommandWithoutAProjectSaysSo) {
  InstallAndStart("");
  HWND box = ChooseCommand("ｴﾗｰ");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(testsupport::MessageBoxText(box), "ﾌﾟﾛｼﾞｪｸﾄが開かれていません");
  testsupport::AnswerMessageBox(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return WindowOf(host.info.dwProcessId, "ｴﾗｰ") == nullptr; }, 10));
  PostMessageA(hostWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(host.Wait(30), 0u);
}

// A dialog box (class #32770) of the process other than `except`.
HWND DialogOf(DWORD pid, HWND except) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (owner == pid && w != except && IsWindowVisible(w) && std::string(cls) == "#32770") return w;
  }
  return nullptr;
}

// Open with a name typed into the file dialog that names no file: the dialog says so
// itself, Cancel closes it, and the host runs on (several times in one host, as a user
// who mistypes more than once).
TEST_F(TypicalUse, OpeningAMistypedNameThenCancelLeavesTheHostRunning) {
  InstallAndStart("\"" + project + "\"");
  const std::string caption = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " + root + "Work\\Version.rc";
  HWND editor = ChooseCommand(caption);
  ASSERT_NE(editor, nullptr);
  const DWORD pid = host.info.dwProcessId;
  for (int round = 0; round < 3; ++round) {
    HWND dialog = nullptr, box = nullptr;
    ASSERT_TRUE(PressUntil(editor, [] { PressKey('O', true); }, [&] { return (dialog = DialogOf(pid, nullptr)); }))
        << round;
    ASSERT_TRUE(PressUntil(dialog, [&] {
      testsupport::TypeText(root + "Work\\Mistyped" + std::to_string(round) + ".vri");
      PressKey(VK_RETURN);
    }, [&] { return (box = DialogOf(pid, dialog)); })) << round;
    ASSERT_TRUE(PressUntil(box, [] { PressKey(VK_RETURN); }, [&] { return DialogOf(pid, dialog) == nullptr; }))
        << round;
    ASSERT_TRUE(PressUntil(dialog, [] { PressKey(VK_ESCAPE); }, [&] { return !IsWindow(dialog); })) << round;
    ASSERT_EQ(WaitForSingleObject(host.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << round;
  }
  ASSERT_TRUE(PressUntil(editor, [] { PressKey(VK_ESCAPE); },
                         [&] { return WindowOf(host.info.dwProcessId, caption) == nullptr; }));
  PostMessageA(hostWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(host.Wait(30), 0u);
}

}  // namespace
