// TOptionDlg: the options dialog for the compiler path and the script (output) path.
#pragma once
#include "ui/dialogs.h"
#include "ui/form.h"

class TOptionDlg : public ui::Form {
 public:
  explicit TOptionDlg(HWND owner);

  // One file dialog for both browse buttons: it keeps the last chosen name.
  ui::OpenDialog OpenDialog1;

  void Button1Click();
  void Button2Click();

 private:
  void Browse(const char* filter, const char* field);
};

extern const ui::FormSpec kOptionFormSpec;
extern const ui::ControlSpec kOptionControls[];
extern const size_t kOptionControlCount;
