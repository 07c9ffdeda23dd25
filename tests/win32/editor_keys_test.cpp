// Keyboard use of the editor window: spin boxes, tab order, accelerators, help, hints.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "editor/window/main_unit.h"
#include "tests/win32/editor_fixture.h"
#include "ui/spin_edit.h"
#include "ui/standard_controls.h"

namespace testsupport {
namespace {

std::string FocusedName() {
  ui::Control* c = ui::Control::FromHandle(GetFocus());
  return c ? c->name() : "<none>";
}

struct SpinCase {
  const char* what;
  const char* keys;  // typed in SpinEdit1 after its text was cleared; ^ up, v down, \r Enter
  const char* textBefore;  // while it has the focus
  const char* textAfter;   // once the focus left it
  bool modified;
};

class SpinBoxKeys : public EditorWindowTest, public testing::WithParamInterface<SpinCase> {};

TEST_P(SpinBoxKeys, AcceptDigitsAndClampWhenTheFocusLeaves) {
  const SpinCase& c = GetParam();
  std::string before, after;
  bool modified = false;
  RunEditor({
      [this] { form().Get<ui::SpinEdit>("SpinEdit1").SetText(""); form().Modified = false; },
      [&] {
        for (const char* k = c.keys; *k; ++k) {
          if (*k == '^' || *k == 'v' || *k == '\r') {
            PressKey(*k == '^' ? VK_UP : *k == 'v' ? VK_DOWN : VK_RETURN);
          } else {
            TypeText(std::string(1, *k));
          }
        }
      },
      [&, this] {
        before = form().Find("SpinEdit1")->Text();
        modified = form().Modified;
        PressKey(VK_TAB);
      },
      [&, this] {
        after = form().Find("SpinEdit1")->Text();
        EXPECT_EQ(FocusedName(), "SpinEdit2");
        EXPECT_TRUE(VerMainForm != nullptr) << "Enter must not close the window";
        form().Modified = false;
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(before, c.textBefore) << c.what;
  EXPECT_EQ(after, c.textAfter) << c.what;
  EXPECT_EQ(modified, c.modified) << c.what;
}

// The text as typed is what a save takes while the focus is still in the box: the
// question asked on closing takes the activation, not the focus to another control.
TEST_F(EditorWindowTest, ASpinBoxHolding999IsSavedAs999WhenClosingWithYes) {
  RunEditor({
      [this] { form().Get<ui::SpinEdit>("SpinEdit1").SetText(""); },
      [] { TypeText("999"); },
      [] { PressKey(VK_ESCAPE); },
      [] { AnswerMessageBox(FindTopWindow("確認"), IDYES); },
  });
  char saved[64] = {};
  GetPrivateProfileStringA("Version", "FileVersion", "", saved, sizeof saved, (*dir / "Sample.vri").c_str());
  EXPECT_STREQ(saved, "999, 0, 0, 0");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpinBoxKeys,
    testing::Values(SpinCase{"999 clamps", "999", "999", "255", true},
                    SpinCase{"three characters at most", "1234", "123", "123", true},
                    SpinCase{"letters, blanks and Enter refused", "1a \r2", "12", "12", true},
                    SpinCase{"minus accepted, clamped up", "-5", "-5", "0", true},
                    SpinCase{"up arrow", "7^^", "9", "9", true},
                    SpinCase{"down arrow stops at 0", "1vv", "0", "0", true},
                    SpinCase{"up arrow stops at 255", "255^", "255", "255", true},
                    SpinCase{"a sign alone reads as 0 and stays", "+", "+", "+", true}));

TEST_F(EditorWindowTest, HoldingASpinButtonRepeatsUntilReleased) {
  std::vector<std::string> values;
  RunEditor({[&, this] {
    auto& spin = form().Get<ui::SpinEdit>("SpinEdit3");
    HWND buttons = spin.buttons();
    auto value = [&] { values.push_back(spin.Text()); };
    SendMessageA(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 2));  // the upper half: up
    value();
    SendMessageA(buttons, WM_TIMER, 1, 0);  // after the first delay
    value();
    SendMessageA(buttons, WM_TIMER, 1, 0);  // and at each repeat
    value();
    SendMessageA(buttons, WM_LBUTTONUP, 0, MAKELPARAM(7, 2));
    SendMessageA(buttons, WM_TIMER, 1, 0);  // released: no more steps
    value();
    SendMessageA(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 15));  // the lower half: down
    SendMessageA(buttons, WM_LBUTTONUP, 0, MAKELPARAM(7, 15));
    value();
    EXPECT_EQ(GetFocus(), spin.hwnd());
    EXPECT_TRUE(form().Modified);
    form().Modified = false;
    PressKey(VK_ESCAPE);
  }});
  EXPECT_EQ(values, (std::vector<std::string>{"1", "2", "3", "3", "2"}));
}

TEST_F(EditorWindowTest, TabWalksTheTabOrderAndSkipsTheDisabledComment) {
  std::vector<std::string> visited;
  std::vector<UiScript::Step> steps = {[this] { form().Get<ui::CheckBox>("Comment1").SetChecked(false); }};
  for (int i = 0; i < 22; ++i) {
    steps.push_back([&] {
      visited.push_back(FocusedName());
      PressKey(VK_TAB);
    });
  }
  steps.push_back([&] {
    visited.push_back(FocusedName());
    PressKey(VK_TAB, false, true);  // Shift+Tab goes back
  });
  steps.push_back([&] {
    visited.push_back(FocusedName());
    PressKey(VK_ESCAPE);
  });
  steps.push_back([] { AnswerMessageBox(FindTopWindow("確認"), IDNO); });
  RunEditor(steps);
  const std::vector<std::string> expected = {
      "SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "Edit1",     "Edit3",     "Edit4",     "FileTypeBox",
      "Edit5",     "ComboBox1", "Edit6",     "SpinEdit5", "SpinEdit6", "SpinEdit7", "SpinEdit8", "Edit2",
      "Edit7",     "Edit8",     "Comment1",  "Include1",  "SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit2"};
  EXPECT_EQ(visited, expected);
}

struct AccelCase {
  char key;
  const char* focused;
  bool modifies;  // the accelerator of a check box clicks it
};

class LabelAccelerators : public EditorWindowTest, public testing::WithParamInterface<AccelCase> {};

TEST_P(LabelAccelerators, MoveTheFocusToTheNamedControl) {
  std::string focused;
  bool modified = false;
  std::vector<UiScript::Step> steps = {
      [] { PressKey(static_cast<WORD>(GetParam().key), false, false, true); },
      [&, this] {
        focused = FocusedName();
        modified = form().Modified;
        PressKey(VK_ESCAPE);
      },
  };
  if (GetParam().modifies) steps.push_back([] { AnswerMessageBox(FindTopWindow("確認"), IDNO); });
  RunEditor(steps);
  EXPECT_EQ(focused, GetParam().focused) << "Alt+" << GetParam().key;
  EXPECT_EQ(modified, GetParam().modifies) << "Alt+" << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelAccelerators,
                         testing::Values(AccelCase{'V', "Edit1", false}, AccelCase{'D', "Edit3", false},
                                         AccelCase{'C', "Edit4", false}, AccelCase{'Y', "FileTypeBox", false},
                                         AccelCase{'N', "Edit5", false}, AccelCase{'L', "ComboBox1", false},
                                         AccelCase{'O', "Edit6", false}, AccelCase{'P', "Edit2", false},
                                         AccelCase{'R', "Edit7", false}, AccelCase{'M', "Comment1", true}));

struct HelpCase {
  const char* control;  // focused before F1; nullptr for the help button
  int topic;
};

class HelpTopics : public EditorWindowTest, public testing::WithParamInterface<HelpCase> {};

TEST_P(HelpTopics, F1WalksTheHelpNumbersOutwards) {
  RunEditor({
      [this] {
        if (GetParam().control) {
          SetFocus(Control(GetParam().control));
          PressKey(VK_F1);
        } else {
          ClickWindow(Control("HelpButton"));
        }
      },
      [] { PressKey(VK_ESCAPE); },
  });
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string helpFile = program;
  helpFile = helpFile.substr(0, helpFile.rfind('\\') + 1) + "Quelvar.hlp";
  ASSERT_EQ(help.calls.size(), 1u);
  EXPECT_EQ(help.calls[0].first, helpFile);
  EXPECT_EQ(help.calls[0].second, GetParam().topic);
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpTopics,
                         testing::Values(HelpCase{"Edit4", 15}, HelpCase{"SpinEdit7", 20}, HelpCase{"Include1", 11},
                                         HelpCase{"SpinEdit1", 12}, HelpCase{"Edit1", 13}, HelpCase{"Edit3", 14},
                                         HelpCase{"FileTypeBox", 16}, HelpCase{"Edit5", 17},
                                         HelpCase{"ComboBox1", 18}, HelpCase{"Edit6", 19}, HelpCase{"Edit2", 21},
                                         HelpCase{"Edit7", 22}, HelpCase{"Edit8", 23}, HelpCase{"Edit9", 24},
                                         HelpCase{"Comment1", 24}, HelpCase{nullptr, 1}));

TEST_F(EditorWindowTest, ContentsAndAboutFromTheHelpMenu) {
  std::string about, caption;
  RunEditor({
      [this] { SendMessageA(form().hwnd(), WM_COMMAND, form().menu()->Find("Contents1")->id, 0); },
      [this] { PostMessageA(form().hwnd(), WM_COMMAND, form().menu()->Find("About1")->id, 0); },
      [] { Screenshot(FindTopWindow("Tallowin"), "about"); },
      [&] { about = TakeMessageBox("Tallowin", IDOK); },
      [this] {
        EXPECT_FALSE(form().Modified);
        PressKey(VK_ESCAPE);
      },
  });
  ASSERT_EQ(help.calls.size(), 1u);
  EXPECT_EQ(help.calls[0].second, 1);
  // Two lines of 31 bytes, the beta the double-byte character 83 C0, then the maker's notice.
  const size_t first = about.find("\r\n"), second = about.find("\r\n", first + 2);
  ASSERT_NE(second, std::string::npos) << about;
  EXPECT_EQ(about.substr(0, first), "    \xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1\xD8\xBF\xB0\xBD\xB4\xB7\xBD\xCA\xDF\xB0\xC4     ");
  EXPECT_EQ(about.substr(first + 2, second - first - 2), "         Version0.09\x83\xC0" "9        ");
  EXPECT_EQ(first, 31u);
  EXPECT_EQ(second - first - 2, 31u);
  EXPECT_GT(about.size(), second + 2);
  EXPECT_EQ(about.find("\r\n", second + 2), std::string::npos);
}

// Choosing another entry of a drop-down list is a change; the program's own selection is not.
TEST_F(EditorWindowTest, ChoosingAFileTypeSetsModified) {
  bool before = true, after = false;
  RunEditor({
      [this] { SetFocus(Control("FileTypeBox")); },
      [&, this] {
        before = form().Modified;
        PressKey(VK_DOWN);
      },
      [&, this] {
        after = form().Modified;
        EXPECT_EQ(form().Get<ui::ComboBox>("FileTypeBox").ItemIndex(), 1);
        form().Modified = false;
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_FALSE(before);
  EXPECT_TRUE(after);
}

TEST_F(EditorWindowTest, TheStatusBarShowsTheLongHintUnderTheMouse) {
  std::string overOpen, overEdit, overCompile;
  auto status = [this] { return form().Get<ui::StatusBar>("StatusBar1").PanelText(); };
  RunEditor({
      [this] { MoveMouseTo(Control("OpenButton")); },
      [&] {
        overOpen = status();
        MoveMouseTo(Control("Edit4"));
      },
      [&] {
        overEdit = status();
        MoveMouseTo(Control("CompileButton"));
      },
      [&] {
        overCompile = status();
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(overOpen, "ﾊﾞｰｼﾞｮﾝ情報ﾌｧｲﾙを開きます");
  EXPECT_EQ(overEdit, "著作権表示");
  EXPECT_EQ(overCompile, "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽをｺﾝﾊﾟｲﾙしてresﾌｧｲﾙを生成します");
}

TEST_F(EditorWindowTest, F1OnAHighlightedMenuItemAsksForTheItemsOwnNumber) {
  RunEditor({[this] {
    HELPINFO info{sizeof info, HELPINFO_MENUITEM, static_cast<int>(form().menu()->Find("Save1")->id), nullptr, 0, {0, 0}};
    SendMessageA(form().hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    PressKey(VK_ESCAPE);
  }});
  ASSERT_EQ(help.calls.size(), 1u);
  EXPECT_EQ(help.calls[0].second, 0);
}

TEST_F(EditorWindowTest, TooltipsShowTheShortHintOfFiveToolButtons) {
  std::vector<std::pair<std::string, std::string>> tips;
  RunEditor({[&, this] {
    HWND tooltip = form().tooltip();
    const int count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[128] = {};
      TOOLINFOA info{};
      info.cbSize = TTTOOLINFOA_V1_SIZE;
      info.lpszText = text;
      SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&info));
      ui::Control* control = ui::Control::FromHandle(reinterpret_cast<HWND>(info.uId));
      tips.emplace_back(control ? control->name() : "?", text);
    }
    PressKey(VK_ESCAPE);
  }});
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"OpenButton", "開く"}, {"SaveButton", "保存"}, {"CompileButton", "ｺﾝﾊﾟｲﾙ"},
      {"HelpButton", "ﾍﾙﾌﾟ"}, {"ExitButton", "終了"}};
  EXPECT_EQ(tips, expected);
}

TEST_F(EditorWindowTest, EscInAnOpenDropDownListClosesTheListNotTheWindow) {
  bool dropped = false, windowStayed = false;
  RunEditor({
      [this] { SetFocus(Control("FileTypeBox")); },
      [] { PressKey(VK_F4); },
      [&, this] {
        dropped = SendMessageA(Control("FileTypeBox"), CB_GETDROPPEDSTATE, 0, 0) != 0;
        PressKey(VK_ESCAPE);
      },
      [&, this] {
        windowStayed = VerMainForm && IsWindowVisible(form().hwnd());
        EXPECT_EQ(SendMessageA(Control("FileTypeBox"), CB_GETDROPPEDSTATE, 0, 0), 0);
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_TRUE(dropped);
  EXPECT_TRUE(windowStayed);
}

TEST_F(EditorWindowTest, AHighlightedMenuItemShowsItsHint) {
  std::string shown;
  RunEditor({
      [&, this] {
        HMENU file = GetSubMenu(GetMenu(form().hwnd()), 0);
        SendMessageA(form().hwnd(), WM_MENUSELECT, MAKEWPARAM(form().menu()->Find("Save1")->id, MF_HILITE),
                     reinterpret_cast<LPARAM>(file));
        shown = form().Get<ui::StatusBar>("StatusBar1").PanelText();
        SendMessageA(form().hwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        PressKey(VK_ESCAPE);
      },
  });
  EXPECT_EQ(shown, "編集中のﾘｿｰｽを上書き保存します");
}

}  // namespace
}  // namespace testsupport
