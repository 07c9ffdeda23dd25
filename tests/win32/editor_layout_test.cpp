// The windows' controls sit where the layout tables put them.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "editor/window/optiodlg.h"
#include "tests/win32/editor_fixture.h"
#include "ui/spin_edit.h"
#include "ui/standard_controls.h"

namespace testsupport {
namespace {

RECT ClientRectOf(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return r;
}

// A control's place relative to its parent, as the windows' descriptions give it.
struct Place {
  const char* name;
  int left, top, width, height;
  bool label;  // labels size themselves to their caption: at least as wide and high
};

const Place kEditorPlaces[] = {
    {"Include1", 8, 40, 153, 17, false},    {"SpinEdit1", 102, 59, 45, 21, false},
    {"SpinEdit2", 148, 59, 45, 21, false},  {"SpinEdit3", 194, 59, 45, 21, false},
    {"SpinEdit4", 240, 59, 45, 21, false},  {"Edit1", 139, 81, 146, 20, false},
    {"Edit3", 102, 102, 183, 20, false},    {"Edit4", 102, 123, 183, 20, false},
    {"FileTypeBox", 102, 150, 183, 20, false}, {"Edit5", 102, 177, 183, 20, false},
    {"ComboBox1", 102, 198, 183, 20, false}, {"Edit6", 102, 219, 183, 20, false},
    {"SpinEdit5", 102, 240, 45, 21, false}, {"SpinEdit6", 148, 240, 45, 21, false},
    {"SpinEdit7", 194, 240, 45, 21, false}, {"SpinEdit8", 240, 240, 45, 21, false},
    {"Edit2", 139, 262, 146, 20, false},    {"Edit7", 102, 283, 183, 20, false},
    {"Edit8", 102, 304, 183, 20, false},    {"Comment1", 35, 330, 65, 17, false},
    {"Edit9", 102, 328, 212, 20, false},
};

const Place kOptionPlaces[] = {
    {"Label1", 16, 8, 148, 12, true},      {"Edit1", 16, 24, 257, 20, false},
    {"Button1", 280, 21, 59, 25, false},   {"Label2", 16, 56, 79, 12, true},
    {"Edit2", 16, 72, 257, 20, false},     {"BitBtnEx1", 80, 99, 73, 25, false},
    {"BitBtnEx2", 176, 99, 73, 25, false}, {"Button2", 278, 69, 59, 25, false},
};

template <size_t N>
void ExpectPlaces(const ui::Form& form, const Place (&places)[N]) {
  for (const Place& p : places) {
    const RECT r = form.Find(p.name)->Bounds();
    EXPECT_EQ(r.left, p.left) << p.name;
    EXPECT_EQ(r.top, p.top) << p.name;
    if (p.label) {
      EXPECT_GE(r.right - r.left, p.width) << p.name;
      EXPECT_GE(r.bottom - r.top, p.height) << p.name;
    } else {
      EXPECT_EQ(r.right - r.left, p.width) << p.name;
      EXPECT_EQ(r.bottom - r.top, p.height) << p.name;
    }
  }
}

TEST_F(EditorWindowTest, ControlsSitWhereTheLayoutSays) {
  RunEditor({
      [this] {
        const RECT client = ClientRectOf(form().hwnd());
        EXPECT_EQ(client.right, 317);
        EXPECT_EQ(client.bottom, 370);
        ExpectPlaces(form(), kEditorPlaces);
        const std::pair<const char*, int> toolLefts[] = {{"OpenButton", 5},    {"SaveButton", 30}, {"CompileButton", 79},
                                                         {"OptionButton", 111}, {"HelpButton", 160}, {"ExitButton", 288}};
        for (const auto& [name, left] : toolLefts) EXPECT_EQ(form().Find(name)->Bounds().left, left) << name;
        const LONG style = GetWindowLongA(form().hwnd(), GWL_STYLE);
        const LONG exStyle = GetWindowLongA(form().hwnd(), GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_MINIMIZEBOX);
        EXPECT_FALSE(style & WS_MAXIMIZEBOX);
        EXPECT_FALSE(style & WS_THICKFRAME);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
        EXPECT_EQ(GetWindow(form().hwnd(), GW_OWNER), owner);
        // Centred on the screen.
        RECT window;
        GetWindowRect(form().hwnd(), &window);
        EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        // The spin buttons: 15 by 17 at the right edge of each box.
        for (const char* name : {"SpinEdit1", "SpinEdit8"}) {
          RECT buttons;
          GetWindowRect(form().Get<ui::SpinEdit>(name).buttons(), &buttons);
          EXPECT_EQ(buttons.right - buttons.left, 15) << name;
          EXPECT_EQ(buttons.bottom - buttons.top, 17) << name;
        }
        // The status bar: one panel 300 wide, no size grip.
        HWND status = Control("StatusBar1");
        EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 1);
        int edge = 0;
        SendMessageA(status, SB_GETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
        EXPECT_EQ(edge, 300);
        EXPECT_FALSE(GetWindowLongA(status, GWL_STYLE) & SBARS_SIZEGRIP);
      },
      [] { PressKey(VK_ESCAPE); },
  });
}

TEST_F(EditorWindowTest, CaptionsAndListsAreTheProducts) {
  RunEditor({
      [this] {
        const std::pair<const char*, const char*> captions[] = {
            {"Include1", "ﾊﾞｰｼﾞｮﾝ情報を含める(&I)"}, {"Comment1", "ｺﾒﾝﾄ(&M)"},
            {"Label1", "ﾌｧｲﾙ ﾊﾞｰｼﾞｮﾝ(&V)"},         {"Label8", "製品ﾊﾞｰｼﾞｮﾝ(&P)"},
            {"Edit4", "Copyright (c) 1997 "},       {"SpinEdit1", "1"},
            {"SpinEdit2", "0"},                     {"SpinEdit5", "1"}};
        for (const auto& [name, caption] : captions) EXPECT_EQ(form().Find(name)->Text(), caption) << name;
        auto& types = form().Get<ui::ComboBox>("FileTypeBox");
        ASSERT_EQ(types.ItemCount(), 7);
        EXPECT_EQ(types.ItemIndex(), 0);
        char text[64];
        SendMessageA(types.hwnd(), CB_GETLBTEXT, 5, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, "VFT_STATIC_LIB");
        auto& languages = form().Get<ui::ComboBox>("ComboBox1");
        ASSERT_EQ(languages.ItemCount(), 2);
        SendMessageA(languages.hwnd(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, "英語(U.S)");
        EXPECT_TRUE(form().Get<ui::CheckBox>("Include1").Checked());
        EXPECT_TRUE(IsWindowEnabled(Control("Edit9")));
        // The menu: captions with their shortcuts, "名前をつけて保存" greyed.
        HMENU file = GetSubMenu(GetMenu(form().hwnd()), 0);
        char item[128];
        GetMenuStringA(file, 0, item, sizeof item, MF_BYPOSITION);
        EXPECT_STREQ(item, "開く(&O)...\tCtrl+O");
        GetMenuStringA(file, 4, item, sizeof item, MF_BYPOSITION);
        EXPECT_STREQ(item, "終了(&X)\tEsc");
        EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
        HMENU project = GetSubMenu(GetMenu(form().hwnd()), 1);
        GetMenuStringA(project, 0, item, sizeof item, MF_BYPOSITION);
        EXPECT_STREQ(item, "ｺﾝﾊﾟｲﾙ(&C)\tCtrl+F9");
        GetMenuStringA(GetMenu(form().hwnd()), 2, item, sizeof item, MF_BYPOSITION);
        EXPECT_STREQ(item, "ﾍﾙﾌﾟ(&H)");
      },
      [] { PressKey(VK_ESCAPE); },
  });
}

TEST_F(EditorWindowTest, OptionsDialogLayout) {
  RunEditor({
      [this] {
        TOptionDlg dialog(form().hwnd());
        const RECT client = ClientRectOf(dialog.hwnd());
        EXPECT_EQ(client.right, 345);
        EXPECT_EQ(client.bottom, 128);
        EXPECT_EQ(dialog.Caption(), "ｵﾌﾟｼｮﾝの設定");
        ExpectPlaces(dialog, kOptionPlaces);
        EXPECT_EQ(dialog.Find("Edit2")->Text(), "Version.rc");
        EXPECT_EQ(dialog.Find("BitBtnEx2")->Text(), "ｷｬﾝｾﾙ");
        const LONG style = GetWindowLongA(dialog.hwnd(), GWL_STYLE);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(GetWindowLongA(dialog.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
      },
      [] { PressKey(VK_ESCAPE); },
  });
}

}  // namespace
}  // namespace testsupport
