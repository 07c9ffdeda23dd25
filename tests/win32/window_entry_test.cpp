// The toolkit's one window entry: a form bound from its creation on, a control's binding
// ending without writing an old procedure over a later subclass, the spin box's buttons
// gone with the box, and a control asked for by a name the form lacks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/error.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/spin_edit.h"
#include "ui/standard_controls.h"
#include "tests/win32/ui_script.h"

namespace {

const ui::FormSpec kSmallForm{"entry", 200, 100, ui::BorderStyle::Dialog, false, false, 0};
// A panel (a window of our own class) that notes the messages of its creation.
class RecordingPanel : public ui::Panel {
 public:
  std::vector<UINT> saw;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    saw.push_back(message);
    return ui::Panel::WndProc(message, wParam, lParam);
  }
};

const ui::ControlSpec kSmallControls[] = {
    {"Field", &ui::Make<ui::Edit>, nullptr, 8, 8, 100, 20, "", "", 0, 0, nullptr, false},
    {"Spin", &ui::Make<ui::SpinEdit>, nullptr, 8, 40, 50, 20, "0", "", 0, 1, nullptr, false},
    {"Panel", &ui::Make<RecordingPanel>, nullptr, 100, 40, 50, 20, "", "", 0, -1, nullptr, false},
};

class RecordingForm : public ui::Form {
 public:
  RecordingForm() : ui::Form(kSmallForm, nullptr) { CreateControls(kSmallControls, 3); }
};

// A subclass put on after ours, as comctl32's tooltip puts its own on a tool.
WNDPROC laterPrevious = nullptr;
std::vector<UINT> laterSaw;
LRESULT CALLBACK LaterSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  laterSaw.push_back(message);
  return CallWindowProcA(laterPrevious, window, message, wParam, lParam);
}

class WindowEntry : public testing::Test {
 protected:
  void SetUp() override { ui::Application::Get().SetInstance(GetModuleHandleA(nullptr)); }
};

// A window of our own classes is bound at WM_NCCREATE: the messages of its creation,
// which come before CreateWindowEx returns, reach its object.
TEST_F(WindowEntry, AWindowOfOurOwnIsBoundFromItsCreationOn) {
  RecordingForm form;
  EXPECT_EQ(ui::Form::FromHandle(form.hwnd()), &form);
  const auto& saw = form.Get<RecordingPanel>("Panel").saw;
  ASSERT_FALSE(saw.empty());
  EXPECT_EQ(saw.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_NE(std::find(saw.begin(), saw.end(), WM_CREATE), saw.end());
}

TEST_F(WindowEntry, ASubclassPutOnLaterKeepsItsPlaceUntilTheWindowIsGone) {
  RecordingForm form;
  ui::Control& field = form.Get<ui::Edit>("Field");
  HWND window = field.hwnd();
  laterSaw.clear();
  laterPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
  EXPECT_EQ(field.Text(), "typed");  // through the later subclass, ours and the edit's own
  form.RemoveControl("Field");
  EXPECT_FALSE(IsWindow(window));
  // The later subclass saw the window's end: nothing wrote our old procedure over it.
  EXPECT_NE(std::find(laterSaw.begin(), laterSaw.end(), WM_NCDESTROY), laterSaw.end());
  EXPECT_EQ(ui::Control::FromHandle(window), nullptr);
}

TEST_F(WindowEntry, TheSpinBoxsButtonsGoWithTheBox) {
  RecordingForm form;
  auto& spin = form.Get<ui::SpinEdit>("Spin");
  HWND buttons = spin.buttons();
  ASSERT_TRUE(IsWindow(buttons));
  EXPECT_EQ(GetParent(buttons), spin.hwnd());
  spin.Destroy();
  EXPECT_FALSE(IsWindow(buttons));
  EXPECT_EQ(spin.buttons(), nullptr);  // the handle is not kept after the window went
}

TEST_F(WindowEntry, AControlThatIsNotThereRaisesOurErrorNamingIt) {
  RecordingForm form;
  const std::pair<const char*, const char*> cases[] = {
      {"NoSuchControl", "ｺﾝﾄﾛｰﾙ 'NoSuchControl' がありません"},
      {"Field", "ｺﾝﾄﾛｰﾙ 'Field' の種類が違います"},  // there, but no spin box
  };
  for (const auto& [name, message] : cases) {
    try {
      form.Get<ui::SpinEdit>(name);
      ADD_FAILURE() << name << ": nothing raised";
    } catch (const base::Error& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
}

}  // namespace

namespace {

// A modal run left by a fault in our own code, its frame and perhaps its form gone: what
// it changed is put back from its record alone, and its window is destroyed without a
// message reaching the objects behind it.
// A window destroyed from outside ends its modal run: nothing is left disabled and the
// loop does not wait for a result that can no longer come.
TEST(ModalRecords, ARunEndsWhenItsWindowIsDestroyedFromOutside) {
  ui::Application::Get().SetInstance(GetModuleHandleA(nullptr));
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  RecordingForm form;
  int result = -1;
  bool otherDisabled = false;
  testsupport::UiScript script({[&] {
    otherDisabled = !IsWindowEnabled(other);
    DestroyWindow(form.hwnd());
  }});
  EXPECT_TRUE(script.Run([&] { result = form.ShowModal(); }));
  EXPECT_TRUE(otherDisabled);
  EXPECT_EQ(result, ui::mrCancel);
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(ui::ModalDepth(), 0u);
  DestroyWindow(other);
}

TEST(ModalRecords, AnAbandonedRunPutsBackWhatItChanged) {
  ui::Application::Get().SetInstance(GetModuleHandleA(nullptr));
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  auto form = std::make_unique<RecordingForm>();
  const HWND window = form->hwnd();
  const size_t depth = ui::ModalDepth();
  int hints = 0;
  ui::Application::Get().SetHintHandler(form.get(), [&hints] { ++hints; });
  EnableWindow(other, FALSE);
  ui::BeginModalRecord({window, {other}, nullptr, form.get()});
  ui::AbandonModalRuns(depth);
  EXPECT_EQ(ui::ModalDepth(), depth);
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form->hwnd(), window);  // the object heard nothing of its window's end
  ui::Application::Get().SetHint("after");
  EXPECT_EQ(hints, 0);  // nothing calls into the abandoned form
  ui::Application::Get().SetHint("");
  form.reset();
  DestroyWindow(other);
}

}  // namespace
