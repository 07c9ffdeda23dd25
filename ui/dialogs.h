// The standard message dialogs ("ｴﾗｰ", "確認") and the file-open dialog.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

enum class DialogType { Error, Confirmation, Plain };

extern const char kErrorCaption[];         // "ｴﾗｰ"
extern const char kConfirmationCaption[];  // "確認"

// `buttons` is one of the MB_OK, MB_YESNOCANCEL... sets; returns IDOK, IDYES...
int MessageDlg(const std::string& text, DialogType type, UINT buttons, int helpContext = 0);

// A message with no icon and one OK button, titled with the application's title.
void ShowMessage(const std::string& text);

// One file dialog object: keeps the last chosen name between uses.
class OpenDialog {
 public:
  // "display|pattern" pairs separated by "|".
  std::string filter;
  std::string fileName;
  // Only an existing file can be confirmed; a mistyped name gets the dialog's own answer.
  bool fileMustExist = false;

  // True when the user confirmed a file; fileName is then its full path.
  bool Execute(HWND owner);
};

}  // namespace ui
