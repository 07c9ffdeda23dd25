// The linked check box and the glyph button on a small form of their own.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/bitbtnex.h"
#include "controls/mlchkbox.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/pixel_art.h"
#include "ui/standard_controls.h"

namespace {

using ui::CheckState;

const ui::FormSpec kTestForm{"controls", 300, 200, ui::BorderStyle::Dialog, false, false, 0};
const ui::ControlSpec kTestControls[] = {
    {"Box", &ui::Make<TMultiLineCheckBox>, nullptr, 8, 8, 0, 0, "A long caption that wraps", "", 0, 0, nullptr, false},
    {"Field", &ui::Make<ui::Edit>, nullptr, 8, 50, 100, 20, "", "", 0, 1, nullptr, false},
    {"Other", &ui::Make<ui::Edit>, nullptr, 8, 80, 100, 20, "", "", 0, 2, nullptr, false},
    {"Ok", &ui::Make<TBitBtnEx>, nullptr, 8, 120, 73, 25, "OK", "", 0, 3, nullptr, false},
};

class ControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::Application::Get().SetInstance(GetModuleHandleA(nullptr));
    form = std::make_unique<ui::Form>(kTestForm, nullptr);
    form->CreateControls(kTestControls, 4);
    box = &form->Get<TMultiLineCheckBox>("Box");
    box->onClick = [this] {
      clicks.push_back(IsWindowEnabled(form->Find("Field")->hwnd()) ? "click, field enabled" : "click, field disabled");
    };
  }
  bool FieldEnabled() const { return IsWindowEnabled(form->Find("Field")->hwnd()) != FALSE; }
  LONG Style() const { return GetWindowLongA(box->hwnd(), GWL_STYLE); }

  std::unique_ptr<ui::Form> form;
  TMultiLineCheckBox* box = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(ControlsTest, ANewLinkedCheckBoxIs33HighWrapsAndCentres) {
  const RECT r = box->Bounds();
  EXPECT_EQ(r.bottom - r.top, 33);
  EXPECT_EQ(r.right - r.left, 97);
  EXPECT_TRUE(Style() & BS_MULTILINE);
  EXPECT_EQ(Style() & BS_VCENTER, BS_VCENTER);
  EXPECT_EQ(Style() & 0x0F, BS_3STATE);
  EXPECT_EQ(box->EnabledControl(), nullptr);
}

TEST_F(ControlsTest, TheLinkedControlFollowsTheCheckedStateAfterOnClick) {
  box->SetEnabledControl(form->Find("Field"));
  EXPECT_FALSE(FieldEnabled());  // linked while unchecked: disabled at once
  box->SetChecked(true);
  EXPECT_TRUE(FieldEnabled());
  box->SetState(CheckState::Grayed);
  EXPECT_FALSE(FieldEnabled());
  box->SetState(CheckState::Grayed);  // the same state again: nothing happens
  box->Click();                       // the user's click: grayed becomes checked
  EXPECT_TRUE(FieldEnabled());
  // OnClick runs before the linked control changes.
  EXPECT_EQ(clicks, (std::vector<std::string>{"click, field disabled", "click, field enabled",
                                              "click, field disabled"}));
}

TEST_F(ControlsTest, UnlinkingOrRelinkingLeavesTheFormerControlAsItWas) {
  box->SetEnabledControl(form->Find("Field"));
  EXPECT_FALSE(FieldEnabled());
  box->SetEnabledControl(nullptr);
  EXPECT_FALSE(FieldEnabled());
  box->SetChecked(true);
  EXPECT_FALSE(FieldEnabled());
  box->SetEnabledControl(form->Find("Other"));
  EXPECT_TRUE(IsWindowEnabled(form->Find("Other")->hwnd()));
  EXPECT_FALSE(FieldEnabled());
}

TEST_F(ControlsTest, RemovingTheLinkedControlClearsTheLink) {
  box->SetEnabledControl(form->Find("Field"));
  box->onClick = nullptr;
  form->RemoveControl("Field");
  EXPECT_EQ(box->EnabledControl(), nullptr);
  box->SetChecked(true);  // no other control changes, nothing freed is touched
  EXPECT_TRUE(IsWindowEnabled(form->Find("Other")->hwnd()));
}

TEST_F(ControlsTest, AStyleChangeRecreatesTheWindowKeepingStateAndCaption) {
  box->SetChecked(true);
  const HWND before = box->hwnd();
  box->SetVertAlignment(vaTop);
  const HWND recreated = box->hwnd();
  EXPECT_NE(recreated, before);
  EXPECT_EQ(Style() & BS_VCENTER, BS_TOP);
  EXPECT_EQ(SendMessageA(recreated, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(box->Text(), "A long caption that wraps");
  box->SetVertAlignment(vaTop);
  EXPECT_EQ(box->hwnd(), recreated);
  box->SetVertAlignment(vaBottom);
  EXPECT_EQ(Style() & BS_VCENTER, BS_BOTTOM);
  box->SetWordwrap(false);
  EXPECT_FALSE(Style() & BS_MULTILINE);
}

COLORREF CachedPixel(TBitBtnEx& button, bool enabled) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, button.CachedImage(enabled));
  const COLORREF c = GetPixel(dc, 0, 0);  // a corner: the transparent background
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

TEST_F(ControlsTest, TheGlyphIsRebuiltWithNewSystemColours) {
  auto& ok = form->Get<TBitBtnEx>("Ok");
  ok.SetGlyph(OkGlyph(), 2);
  BITMAP bm;
  GetObject(ok.Glyph(), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 36);
  EXPECT_EQ(bm.bmHeight, 18);
  EXPECT_EQ(CachedPixel(ok, true), GetSysColor(COLOR_BTNFACE));

  const int element = COLOR_BTNFACE;
  const COLORREF original = GetSysColor(COLOR_BTNFACE);
  const COLORREF changed = RGB(10, 200, 30);
  SetSysColors(1, &element, &changed);
  SendMessageA(form->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(CachedPixel(ok, true), changed);
  EXPECT_EQ(CachedPixel(ok, false), changed);
  SetSysColors(1, &element, &original);
  SendMessageA(form->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
}

TEST_F(ControlsTest, AOneImageGlyphKeepsItsWidthWhenColoursChange) {
  auto& ok = form->Get<TBitBtnEx>("Ok");
  HDC screen = GetDC(nullptr);
  ok.SetGlyph(ui::OwnedBitmap(CreateCompatibleBitmap(screen, 18, 18)), 1);
  ReleaseDC(nullptr, screen);
  SendMessageA(form->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
  BITMAP bm;
  GetObject(ok.CachedImage(true), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 18);
}

TEST(DialogGlyphs, HoldACheckMarkAndACrossOnOlive) {
  for (const ui::OwnedBitmap& owned : {OkGlyph(), CancelGlyph()}) {
    HBITMAP glyph = owned.get();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, glyph);
    EXPECT_EQ(GetPixel(dc, 0, 17), kGlyphBackground);
    int green = 0, red = 0, grey = 0;
    for (int x = 0; x < 36; ++x) {
      for (int y = 0; y < 18; ++y) {
        const COLORREF c = GetPixel(dc, x, y);
        if (x < 18 && GetGValue(c) > 90 && GetRValue(c) == 0) ++green;
        if (x < 18 && GetRValue(c) > 150 && GetGValue(c) == 0) ++red;
        if (x >= 18 && c == RGB(128, 128, 128)) ++grey;
      }
    }
    EXPECT_TRUE(green > 10 || red > 10);
    EXPECT_GT(grey, 10);  // the disabled image
    SelectObject(dc, old);
    DeleteDC(dc);
  }
}

// A failure path: the image that came with the call goes, and nothing half-made comes back.
TEST(PixelArt, JoiningWithAnImageMissingGivesNoneAndFreesTheOther) {
  const char* const rows[] = {"x.", ".x"};
  ui::OwnedBitmap image = ui::PixelArtBitmap(rows, 2, 2, RGB(0, 0, 0), {{'x', RGB(255, 255, 255)}});
  const HBITMAP given = image.get();
  ASSERT_EQ(GetObjectType(given), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_FALSE(ui::JoinSideBySide(std::move(image), ui::OwnedBitmap()));
  EXPECT_EQ(GetObjectType(given), 0u);
}

}  // namespace
