#include "ui/dialogs.h"

#include <commdlg.h>

#include "base/ansi_path.h"
#include "platform/lead_byte.h"
#include "ui/application.h"
#include "ui/system_libraries.h"

namespace ui {

const char kErrorCaption[] = "ｴﾗｰ";
const char kConfirmationCaption[] = "確認";

namespace {

HWND DialogOwner() {
  HWND active = GetActiveWindow();
  return active ? active : Application::Get().owner();
}

}  // namespace

int MessageDlg(const std::string& text, DialogType type, UINT buttons, int /*helpContext*/) {
  UINT icon = 0;
  const char* caption = Application::Get().title().c_str();
  switch (type) {
    case DialogType::Error:
      icon = MB_ICONERROR;
      caption = kErrorCaption;
      break;
    case DialogType::Confirmation:
      icon = MB_ICONQUESTION;
      caption = kConfirmationCaption;
      break;
    case DialogType::Plain:
      break;
  }
  return MessageBoxA(DialogOwner(), text.c_str(), caption, buttons | icon);
}

void ShowMessage(const std::string& text) { MessageDlg(text, DialogType::Plain, MB_OK); }

bool OpenDialog::Execute(HWND owner) {
  // "a|b|c|d" becomes "a\0b\0c\0d\0\0"; the bars are found with double-byte characters whole.
  std::string filters;
  std::string rest = filter;
  for (size_t bar; (bar = base::FindChar(rest, '|', platform::IsSystemLeadByte)) != std::string::npos; rest.erase(0, bar + 1)) {
    filters.append(rest, 0, bar).push_back('\0');
  }
  filters.append(rest).push_back('\0');
  filters.push_back('\0');

  char file[MAX_PATH] = {};
  fileName.copy(file, sizeof file - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!RunOpenFileDialog(ofn)) return false;
  fileName = file;
  return true;
}

}  // namespace ui
