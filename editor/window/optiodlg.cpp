#include "editor/window/optiodlg.h"

#include <vector>

#include "controls/bitbtnex.h"
#include "ui/standard_controls.h"

using ui::Make;

const ui::FormSpec kOptionFormSpec{"ｵﾌﾟｼｮﾝの設定", 345, 128, ui::BorderStyle::Dialog, false, true, 0};

// name, kind, parent, left, top, width, height, caption, hint, help, tab order, link, tooltip
const ui::ControlSpec kOptionControls[] = {
    {"Label1", &Make<ui::Label>, nullptr, 16, 8, 148, 12, "ｺﾝﾊﾟｲﾗ (brc32.exe) のﾊﾟｽ(&P)", "", 0, -1, "Edit1", false},
    {"Edit1", &Make<ui::Edit>, nullptr, 16, 24, 257, 20, "", "", 0, 0, nullptr, false},
    {"Button1", &Make<ui::Button>, nullptr, 280, 21, 59, 25, "参照(&B)...", "", 0, 1, nullptr, false},
    {"Label2", &Make<ui::Label>, nullptr, 16, 56, 79, 12, "出力ﾌｧｲﾙ名(&F)", "", 0, -1, "Edit2", false},
    {"Edit2", &Make<ui::Edit>, nullptr, 16, 72, 257, 20, "Version.rc", "", 0, 2, nullptr, false},
    {"BitBtnEx1", &Make<TBitBtnEx>, nullptr, 80, 99, 73, 25, "OK", "", 0, 3, nullptr, false},
    {"BitBtnEx2", &Make<TBitBtnEx>, nullptr, 176, 99, 73, 25, "ｷｬﾝｾﾙ", "", 0, 4, nullptr, false},
    {"Button2", &Make<ui::Button>, nullptr, 278, 69, 59, 25, "参照(&B)...", "", 0, 5, nullptr, false},
};
const size_t kOptionControlCount = sizeof kOptionControls / sizeof kOptionControls[0];

namespace {

// Windows that stay on top give up that state while the file dialog shows.
class TopMostsNormalized {
 public:
  TopMostsNormalized() {
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&windows_));
    for (HWND window : windows_) {
      SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  ~TopMostsNormalized() {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
      if (IsWindow(*it)) SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  TopMostsNormalized(const TopMostsNormalized&) = delete;
  TopMostsNormalized& operator=(const TopMostsNormalized&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM data) {
    if (IsWindowVisible(window) && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
      reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    }
    return TRUE;
  }
  std::vector<HWND> windows_;
};

}  // namespace

TOptionDlg::TOptionDlg(HWND owner) : ui::Form(kOptionFormSpec, owner) {
  CreateControls(kOptionControls, kOptionControlCount);
  auto& ok = Get<TBitBtnEx>("BitBtnEx1");
  ok.SetGlyph(OkGlyph(), 2);
  ok.modalResult = ui::mrOk;
  ok.isDefault = true;
  SetDefaultButton(&ok);
  auto& cancel = Get<TBitBtnEx>("BitBtnEx2");
  cancel.SetGlyph(CancelGlyph(), 2);
  cancel.modalResult = ui::mrCancel;
  SetCancelButton(&cancel);
  Get<ui::Button>("Button1").onClick = [this] { Button1Click(); };
  Get<ui::Button>("Button2").onClick = [this] { Button2Click(); };
}

void TOptionDlg::Button1Click() { Browse("ｺﾝﾊﾟｲﾗ(brc32.exe)|*.exe", "Edit1"); }

void TOptionDlg::Button2Click() { Browse("ﾘｿｰｽﾌｧｲﾙ(*.rc)|*.rc", "Edit2"); }

void TOptionDlg::Browse(const char* filter, const char* field) {
  TopMostsNormalized normalized;
  OpenDialog1.filter = filter;
  if (OpenDialog1.Execute(hwnd())) Get<ui::Edit>(field).SetText(OpenDialog1.fileName);
}
