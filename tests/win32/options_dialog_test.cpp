// The options dialog opened from the editor window.
#include <gtest/gtest.h>

#include "editor/window/optiodlg.h"
#include "tests/win32/editor_fixture.h"
#include "ui/standard_controls.h"

namespace testsupport {
namespace {

HWND OptionField(const char* name) {
  HWND dialog = FindTopWindow("ｵﾌﾟｼｮﾝの設定");
  auto* form = static_cast<TOptionDlg*>(ui::Form::FromHandle(dialog));
  return form ? form->Find(name)->hwnd() : nullptr;
}

TEST_F(EditorWindowTest, AcceptingTheOptionsTakesTheScriptPathAndAnExistingCompiler) {
  const std::string compiler = *dir / "tools\\brc32.exe";
  CreateDirectoryA((*dir / "tools").c_str(), nullptr);
  WriteWholeFile(compiler, "stand-in");
  std::string shownCompiler, shownScript;
  RunEditor({
      [this] { ClickWindow(Control("OptionButton")); },
      [&] {
        ASSERT_NE(FindTopWindow("ｵﾌﾟｼｮﾝの設定"), nullptr);
        EXPECT_FALSE(IsWindowEnabled(form().hwnd()));
        shownCompiler = ui::Control::FromHandle(OptionField("Edit1"))->Text();
        shownScript = ui::Control::FromHandle(OptionField("Edit2"))->Text();
        Screenshot(FindTopWindow("ｵﾌﾟｼｮﾝの設定"), "options");
        EXPECT_EQ(GetFocus(), OptionField("Edit1"));
        TypeText("C:\\none\\brc32.exe");  // replaces the selected text
      },
      [] { PressKey('F', false, false, true); },  // Alt+F: the output file name
      [&] { TypeText("Out.rc"); },
      [] { PressKey(VK_RETURN); },                  // the default button: OK
      [&, this] {
        EXPECT_EQ(form().ScriptPath, "Out.rc");
        EXPECT_EQ(form().CompilerPath, *dir / "bin\\brc32.exe");  // no such file: unchanged
        EXPECT_EQ(form().Caption(), "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - Out.rc");
        EXPECT_FALSE(form().Modified);
        PostMessageA(form().hwnd(), WM_COMMAND, form().menu()->Find("Option1")->id, 0);
      },
      [&] {
        HWND field = OptionField("Edit1");
        SetWindowTextA(field, compiler.c_str());
        ClickWindow(OptionField("BitBtnEx1"));
      },
      [&, this] {
        EXPECT_EQ(form().CompilerPath, compiler);
        ClickWindow(Control("OptionButton"));
      },
      [] {
        SetWindowTextA(OptionField("Edit2"), "");
        PressKey(VK_ESCAPE);  // Cancel changes nothing
      },
      [this] {
        EXPECT_EQ(form().ScriptPath, "Out.rc");
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(shownCompiler, *dir / "bin\\brc32.exe");
  EXPECT_EQ(shownScript, *dir / "Version.rc");
  EXPECT_NE(ProjectText().find("{$R OUT.RES}"), std::string::npos);
}

TEST_F(EditorWindowTest, AnEmptyOutputNameMakesCompileDoNothing) {
  RunEditor({
      [this] { ClickWindow(Control("OptionButton")); },
      [] {
        SetWindowTextA(OptionField("Edit2"), "");
        ClickWindow(OptionField("BitBtnEx1"));
      },
      [this] {
        EXPECT_EQ(form().ScriptPath, "");
        EXPECT_EQ(form().Caption(), "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - ");
        PressKey(VK_F9, true);
      },
      [this] {
        EXPECT_EQ(FindTopWindow("Tallowin"), nullptr);
        EXPECT_FALSE(FileExists(*dir / "Version.rc"));
        PressKey(VK_ESCAPE);
      },
  });
  // A directive without a file name would break the next build: none is added.
  EXPECT_EQ(ProjectText(), projectText);
}

TEST_F(EditorWindowTest, TheBrowseButtonsShareOneFileDialogThatKeepsTheLastName) {
  const std::string chosen = *dir / "picked.exe";
  WriteWholeFile(chosen, "x");
  std::string first, secondStart, topMostDuringDialog;
  RunEditor({
      [this] { ClickWindow(Control("OptionButton")); },
      [] { ClickWindow(OptionField("Button1")); },
      [&] {
        HWND dialog = GetActiveWindow();
        // Wine keeps an owned window on top while its owner is (on Windows both give it up).
        const bool editorTop = GetWindowLongA(VerMainForm->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST;
        topMostDuringDialog = editorTop ? "top" : "normal";
        SetDlgItemTextA(dialog, 0x480, chosen.c_str());
        SetDlgItemTextA(dialog, 0x47C, chosen.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] {
        first = ui::Control::FromHandle(OptionField("Edit1"))->Text();
        ClickWindow(OptionField("Button2"));
      },
      [&] {
        HWND dialog = GetActiveWindow();
        char name[MAX_PATH] = {};
        GetDlgItemTextA(dialog, 0x47C, name, sizeof name);
        if (!name[0]) GetDlgItemTextA(dialog, 0x480, name, sizeof name);
        secondStart = name;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      },
      [] { PressKey(VK_ESCAPE); },
      [] { PressKey(VK_ESCAPE); },
  });
  EXPECT_EQ(first, chosen);
  EXPECT_NE(secondStart.find("picked.exe"), std::string::npos) << secondStart;
  EXPECT_EQ(topMostDuringDialog, "normal");
}

}  // namespace
}  // namespace testsupport
