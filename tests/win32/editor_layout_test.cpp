// The windows' controls sit where the layout tables put them.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "editor/main_layout.h"
#include "editor/optiodlg.h"
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

// Every control with a size in its row: position and size relative to its parent.
void ExpectLayout(const ui::Form& form, const ui::ControlSpec* specs, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const ui::ControlSpec& s = specs[i];
    const RECT r = form.Find(s.name)->Bounds();
    EXPECT_EQ(r.left, s.left) << s.name;
    EXPECT_EQ(r.top, s.top) << s.name;
    if (s.tabOrder < 0 && s.link) {  // labels size themselves to their caption, at least as laid out
      EXPECT_GE(r.right - r.left, s.width) << s.name;
      EXPECT_GE(r.bottom - r.top, s.height) << s.name;
      continue;
    }
    EXPECT_EQ(r.right - r.left, s.width) << s.name;
    EXPECT_EQ(r.bottom - r.top, s.height) << s.name;
  }
}

TEST_F(EditorWindowTest, ControlsSitWhereTheLayoutSays) {
  RunEditor({
      [this] {
        const RECT client = ClientRectOf(form().hwnd());
        EXPECT_EQ(client.right, 317);
        EXPECT_EQ(client.bottom, 370);
        ExpectLayout(form(), kMainControls, kMainControlCount);
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
        ExpectLayout(dialog, kOptionControls, kOptionControlCount);
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
