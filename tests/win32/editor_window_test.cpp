// The editor window's commands and closing paths, driven with keys, clicks and answers
// to its message boxes.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "base/error.h"
#include "editor/core/vri_settings.h"
#include "platform/lead_byte.h"
#include "editor/adapters/profile_ini.h"
#include "tests/win32/editor_fixture.h"
#include "tests/support/fault_now.h"
#include "ui/spin_edit.h"
#include "ui/standard_controls.h"
#include "ui/tool_button.h"

namespace testsupport {
namespace {

const char kQuestion[] = "ﾊﾞｰｼﾞｮﾝ情報は変更されています。保存しますか?";
const char kDirectiveBelow[] = "{$R *.RES}\r\n{$R VERSION.RES}\r\n";

std::string VriValue(const std::string& file, const char* key) {
  return editor::ProfileIniFile(file).ReadString("Version", key, "<absent>");
}

TEST_F(EditorWindowTest, OpensWithInitialValuesAndClosesWithEsc) {
  RunEditor({
      [this] {
        EXPECT_TRUE(ownerDisabledWhileOpen);
        EXPECT_EQ(form().Caption(), std::string("ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - ") + dir->path() + "Version.rc");
        EXPECT_EQ(form().ScriptPath, *dir / "Version.rc");
        EXPECT_EQ(form().CompilerPath, *dir / "bin\\brc32.exe");
        EXPECT_FALSE(form().Modified);
        EXPECT_EQ(GetFocus(), Control("SpinEdit1"));  // the first control in tab order
        Screenshot(form().hwnd(), "editor");
      },
      [] { PressKey(VK_ESCAPE); },
  });
  EXPECT_NE(ProjectText().find(kDirectiveBelow), std::string::npos) << ProjectText();
  EXPECT_FALSE(FileExists(*dir / "Sample.vri"));
}

// A window that closes before the last step must fail the test: the steps left behind
// may hold the very expectations the test is about.
TEST_F(EditorWindowTest, AWindowClosedBeforeTheLastStepFailsTheTest) {
  bool lastStepRan = false;
  EXPECT_NONFATAL_FAILURE(RunEditor({[] { PressKey(VK_ESCAPE); }, [&] { lastStepRan = true; }}),
                          "closed after 2 of 3 steps");
  EXPECT_FALSE(lastStepRan);
}

// An OS exception in a handler of ours is shown in the window's box as our errors are,
// and the window goes on: still modal, its commands working.
TEST_F(EditorWindowTest, AFaultInAHandlerIsShownAndTheWindowGoesOn) {
  std::string shown;
  RunEditor({
      [this] {
        form().Get<ui::ToolButton>("HelpButton").onClick = [] { testsupport::FaultNow(); };
        ClickWindow(Control("HelpButton"));
      },
      [&] { shown = TakeMessageBox("Tallowin", IDOK); },
      [this] {
        EXPECT_TRUE(IsWindowVisible(form().hwnd()));
        EXPECT_FALSE(IsWindowEnabled(owner));
        SetFocus(Control("Edit3"));
      },
      [] { TypeText("x"); },
      [this] {
        EXPECT_TRUE(form().Modified);
        PressKey('S', true);
      },
      [] { PressKey(VK_ESCAPE); },
  });
  EXPECT_EQ(shown, "ｱｸｾｽ違反が発生しました (例外ｺｰﾄﾞ C0000005)");
  EXPECT_EQ(VriValue(*dir / "Sample.vri", "Description"), "x");
}

TEST_F(EditorWindowTest, TypedChangesAreSavedWithCtrlSAndClearModified) {
  RunEditor({
      [this] { SetFocus(Control("Edit3")); },
      [] { TypeText("My tool"); },
      [this] {
        EXPECT_EQ(form().Find("Edit3")->Text(), "My tool");
        EXPECT_TRUE(form().Modified);
        PressKey('S', true);
      },
      [this] {
        EXPECT_FALSE(form().Modified);
        EXPECT_EQ(VriValue(*dir / "Sample.vri", "Description"), "My tool");
        EXPECT_EQ(VriValue(*dir / "Sample.vri", "ResourceName"), *dir / "Version.rc");
        ClickWindow(Control("ExitButton"));
      },
  });
  EXPECT_NE(ProjectText().find(kDirectiveBelow), std::string::npos);
}

struct CloseCase {
  const char* what;
  int answer;
  bool closes;
  bool saved;
  bool sourceUpdated;
};

class ClosingModified : public EditorWindowTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingModified, AsksWhetherToSave) {
  const CloseCase& c = GetParam();
  std::string question, caption;
  bool stillOpen = false;
  std::vector<UiScript::Step> steps = {
      [this] { SetFocus(Control("Edit5")); },
      [] { TypeText("Orbelane"); },
      [this] { SendMessageA(form().hwnd(), WM_CLOSE, 0, 0); },  // the window's close button
      [&, this] {
        HWND box = FindTopWindow("確認");
        ASSERT_NE(box, nullptr);
        question = MessageBoxText(box);
        Screenshot(box, "save-question");
        AnswerMessageBox(box, c.answer);
      },
  };
  if (!c.closes) {  // Cancel: still open; close again and answer No
    steps.push_back([&, this] { stillOpen = VerMainForm && IsWindowVisible(form().hwnd()); });
    steps.push_back([this] { PressKey(VK_ESCAPE); });
    steps.push_back([] { AnswerMessageBox(FindTopWindow("確認"), IDNO); });
  }
  RunEditor(steps);  // closing after the answer is the last step, or the run fails
  EXPECT_EQ(question, kQuestion) << c.what;
  EXPECT_EQ(stillOpen, !c.closes) << c.what;
  EXPECT_EQ(FileExists(*dir / "Sample.vri"), c.saved) << c.what;
  if (c.saved) {
    EXPECT_EQ(VriValue(*dir / "Sample.vri", "CompanyName"), "Orbelane");
  }
  EXPECT_EQ(ProjectText().find(kDirectiveBelow) != std::string::npos, c.sourceUpdated) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingModified,
                         testing::Values(CloseCase{"yes", IDYES, true, true, true},
                                         CloseCase{"no", IDNO, true, false, false},
                                         CloseCase{"cancel", IDCANCEL, false, false, false}));

TEST_F(EditorWindowTest, AFailedSaveWhileClosingKeepsTheWindowOpen) {
  CreateDirectoryA((*dir / "Sample.vri").c_str(), nullptr);  // the VRI file's name is taken by a folder
  std::string error;
  RunEditor({
      [this] { form().Get<ui::CheckBox>("Include1").Click(); },
      [] { PressKey(VK_ESCAPE); },
      [] { AnswerMessageBox(FindTopWindow("確認"), IDYES); },
      [&] {
        error = TakeMessageBox("Tallowin", IDOK);
      },
      [this] {
        EXPECT_TRUE(VerMainForm && IsWindowVisible(form().hwnd()));
        PressKey(VK_ESCAPE);
      },
      [] { AnswerMessageBox(FindTopWindow("確認"), IDNO); },
  });
  EXPECT_EQ(error, *dir / "Sample.vri に書き込めません");
  EXPECT_EQ(ProjectText(), projectText);
}

// What the modal loop runs outside a window procedure (hints, the status line, keys) fails
// into the window's error box; the host's window stays disabled only while the window is open.
TEST_F(EditorWindowTest, AFailureInTheModalLoopIsShownAndLeavesNoWindowDisabled) {
  std::string error;
  bool ownerDisabledAfterTheError = false;
  RunEditor({
      [this] {
        ui::Application::Get().SetHintHandler(&form(), [failures = 1]() mutable {
          if (failures-- > 0) throw base::Error("the status line failed");
        });
        MoveMouseTo(Control("Edit3"));
      },
      [&] { error = TakeMessageBox("Tallowin", IDOK); },
      [&, this] {
        ownerDisabledAfterTheError = !IsWindowEnabled(owner);
        EXPECT_TRUE(IsWindowVisible(form().hwnd()));
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(error, "the status line failed");
  EXPECT_TRUE(ownerDisabledAfterTheError);
}

TEST_F(EditorWindowTest, UncheckingIncludeRemovesTheDirectiveOnClose) {
  host.OpenModule(project, "{$R *.RES}\r\n{$R VERSION.RES}\r\nend.");
  RunEditor({
      [this] { SetFocus(Control("Include1")); },
      [] { PressKey(VK_SPACE); },
      [this] {
        EXPECT_FALSE(form().Get<ui::CheckBox>("Include1").Checked());
        EXPECT_TRUE(form().Modified);
        PressKey('S', true);
      },
      [] { PressKey(VK_ESCAPE); },
  });
  EXPECT_EQ(ProjectText(), "{$R *.RES}\r\n\r\nend.");
}

TEST_F(EditorWindowTest, AnExistingVriFileIsLoadedAtCreationAndTheWindowStaysUnmodified) {
  editor::ProfileIniFile ini(*dir / "Sample.vri");
  ini.WriteString("Version", "FileVersion", "1, 2, 0, 5");
  ini.WriteString("Version", "Description", "Loaded");
  ini.WriteString("Version", "Translation", "1");
  ini.WriteString("Version", "ResourceName", *dir / "Other.rc");
  RunEditor({
      [this] {
        EXPECT_EQ(form().Find("SpinEdit2")->Text(), "2");
        EXPECT_EQ(form().Find("SpinEdit4")->Text(), "5");
        EXPECT_EQ(form().Find("Edit3")->Text(), "Loaded");
        EXPECT_EQ(form().Get<ui::ComboBox>("ComboBox1").ItemIndex(), 1);
        EXPECT_EQ(form().ScriptPath, *dir / "Other.rc");
        // The caption keeps the path set before loading.
        EXPECT_EQ(form().Caption(), std::string("ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - ") + dir->path() + "Version.rc");
        EXPECT_FALSE(form().Modified);
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_NE(ProjectText().find("{$R *.RES}\r\n{$R OTHER.RES}\r\n"), std::string::npos);
}

TEST_F(EditorWindowTest, OpenLoadsAChosenFileAndLeavesTheWindowModified) {
  editor::ProfileIniFile other(*dir / "Other.vri");
  other.WriteString("Version", "ProductName", "Other product");
  RunEditor({
      [] { PressKey('O', true); },
      [this] {
        HWND dialog = GetActiveWindow();
        ASSERT_NE(dialog, form().hwnd());
        char cls[32] = {};
        GetClassNameA(dialog, cls, sizeof cls);
        EXPECT_STREQ(cls, "#32770");
        // The file name field: an edit in the old style, a combo box in the new one.
        SetDlgItemTextA(dialog, 0x480, (*dir / "Other.vri").c_str());
        SetDlgItemTextA(dialog, 0x47C, (*dir / "Other.vri").c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      },
      [this] {
        EXPECT_EQ(form().Find("Edit7")->Text(), "Other product");
        EXPECT_EQ(form().Find("Edit8")->Text(), *dir / "Sample");  // missing key: the project name
        EXPECT_TRUE(form().Modified);
        PressKey(VK_ESCAPE);
      },
      [] { AnswerMessageBox(FindTopWindow("確認"), IDNO); },
  });
}

// A mistyped name gets the dialog's own "file not found" answer; nothing is loaded.
TEST_F(EditorWindowTest, OpenRefusesAFileThatDoesNotExist) {
  HWND dialog = nullptr;
  bool answered = false;
  RunEditor({
      [this] { form().Get<ui::Edit>("Edit7").SetText("Shown product"); form().Modified = false; },
      [] { PressKey('O', true); },
      [&, this] {
        dialog = GetActiveWindow();
        SetDlgItemTextA(dialog, 0x480, (*dir / "Mistyped.vri").c_str());
        SetDlgItemTextA(dialog, 0x47C, (*dir / "Mistyped.vri").c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] {
        HWND box = GetActiveWindow();
        answered = box && box != dialog && IsWindow(dialog);
        AnswerMessageBox(box, IDOK);
      },
      [&] { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); },
      [this] {
        EXPECT_EQ(form().Find("Edit7")->Text(), "Shown product");
        EXPECT_FALSE(form().Modified);
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_TRUE(answered) << "the dialog must answer a missing file itself";
}

TEST_F(EditorWindowTest, CompileWritesTheShownValuesAndLeavesModified) {
  RunEditor({
      [this] { SetFocus(Control("SpinEdit1")); },
      [] { PressKey(VK_BACK); },
      [] { TypeText("999"); },
      [] { PressKey(VK_F9, true); },  // the focus stays in the box, which has not clamped yet
      [this] {
        const std::string script = ReadWholeFile(*dir / "Version.rc");
        EXPECT_NE(script.find("FILEVERSION 999,0,0,0\r\n"), std::string::npos) << script;
        EXPECT_TRUE(form().Modified);
        EXPECT_FALSE(FileExists(*dir / "Sample.vri"));
        PressKey(VK_TAB);
      },
      [this] {
        EXPECT_EQ(form().Find("SpinEdit1")->Text(), "255");
        form().Get<ui::CheckBox>("Comment1").SetChecked(false);
        EXPECT_FALSE(IsWindowEnabled(Control("Edit9")));
        ClickWindow(Control("CompileButton"));
      },
      [this] {
        const std::string script = ReadWholeFile(*dir / "Version.rc");
        EXPECT_NE(script.find("FILEVERSION 255,0,0,0\r\n"), std::string::npos);
        EXPECT_EQ(script.find("Comments"), std::string::npos);
        PressKey(VK_ESCAPE);
      },
      [] { AnswerMessageBox(FindTopWindow("確認"), IDNO); },
  });
}

TEST_F(EditorWindowTest, ACompileErrorOfTheScriptIsShownAndNoCompilerStarts) {
  RunEditor({
      [this] { form().ScriptPath = *dir / "missing folder\\Version.rc"; },
      [] { PressKey(VK_F9, true); },
      [] { EXPECT_EQ(TakeMessageBox("Tallowin", IDOK), "不正なﾌｧｲﾙ名です"); },
      [this] {
        EXPECT_TRUE(VerMainForm && IsWindowVisible(form().hwnd()));
        PressKey(VK_ESCAPE);
      },
  });
}

}  // namespace
}  // namespace testsupport
