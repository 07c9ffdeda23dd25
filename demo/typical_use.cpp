// Plays the typical use of the version editor for C:\Work\Sample.dpr under Wine: the
// settings start from their initial values, the file version and description are
// changed and saved to the VRI file, the script is compiled by the resource compiler
// stand-in, and the project source gains the resource directive. Prints what it did.
#include <windows.h>

#include <cstdio>
#include <string>

#include "editor/project_source.h"
#include "editor/resource_compile.h"
#include "editor/vri_settings.h"
#include "hostsim/host.h"
#include "platform/lead_byte.h"
#include "platform/process_start.h"
#include "platform/profile_ini.h"
#include "platform/script_file.h"

namespace {

// The settings as the editor window would hold them.
class DemoView final : public editor::SettingsView {
 public:
  DemoView() { texts_[static_cast<int>(editor::TextField::CopyRight)] = "Copyright (c) 1997 "; }
  bool Checked(editor::CheckField f) const override { return checks_[static_cast<int>(f)]; }
  void SetChecked(editor::CheckField f, bool c) override { checks_[static_cast<int>(f)] = c; }
  std::string SpinText(int box) const override { return spins_[box]; }
  void SetSpinValue(int box, int32_t v) override { spins_[box] = editor::SpinTextFor(v); }
  std::string Text(editor::TextField f) const override { return texts_[static_cast<int>(f)]; }
  void SetText(editor::TextField f, const std::string& t) override { texts_[static_cast<int>(f)] = t; }
  int32_t ItemIndex(editor::ListField f) const override { return lists_[static_cast<int>(f)]; }
  void SetItemIndex(editor::ListField f, int32_t i) override {
    lists_[static_cast<int>(f)] = i >= 0 && i < editor::ListCount(f) ? i : -1;
  }
  std::string GetScriptPath() const override { return scriptPath_; }
  void SetScriptPath(const std::string& p) override { scriptPath_ = p; }
  void SetModified(bool m) override { modified = m; }
  bool modified = false;

 private:
  bool checks_[2] = {true, true};
  std::string spins_[8] = {"1", "0", "0", "0", "1", "0", "0", "0"};
  std::string texts_[9];
  int32_t lists_[2] = {0, 0};
  std::string scriptPath_;
};

const char kProject[] = "C:\\Work\\Sample.dpr";
const char kProjectText[] =
    "program Sample;\r\n\r\nuses\r\n  Forms,\r\n  Main in 'Main.pas' {MainForm};\r\n\r\n{$R *.RES}\r\n\r\n"
    "begin\r\n  Application.Initialize;\r\n  Application.CreateForm(TMainForm, MainForm);\r\n"
    "  Application.Run;\r\nend.\r\n";

bool WaitForFile(const char* path, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
      Sleep(300);
      return true;
    }
    Sleep(100);
  }
  return false;
}

int Run() {
  const auto lead = platform::IsSystemLeadByte;
  CreateDirectoryA("C:\\Work", nullptr);
  CreateDirectoryA("C:\\Borland", nullptr);
  CreateDirectoryA("C:\\Borland\\Delphi 2.0", nullptr);
  CreateDirectoryA("C:\\Borland\\Delphi 2.0\\Bin", nullptr);
  const std::string compiler = "C:\\Borland\\Delphi 2.0\\Bin\\brc32.exe";
  CopyFileA(TALLOWIN_TOOLS_DIR "/brc32", compiler.c_str(), FALSE);
  DeleteFileA("C:\\Work\\Sample.vri");
  DeleteFileA("C:\\Work\\Version.RES");

  hostsim::Host host;
  host.projectFileName = kProject;
  host.OpenModule(kProject, kProjectText);

  // 3. No VRI file yet: the initial values; the script beside the project.
  DemoView view;
  view.SetScriptPath(base::ExtractFileDir(kProject, lead) + "Version.rc");
  std::printf("script path: %s\n", view.GetScriptPath().c_str());
  // 4. The user sets the file version and types a description.
  const int32_t version[4] = {1, 2, 0, 5};
  for (int i = 0; i < 4; ++i) view.SetSpinValue(i, version[i]);
  view.SetText(editor::TextField::Description, "サンプル表示プログラム");
  view.SetModified(true);
  // 5. Save.
  platform::ProfileIniFile ini(editor::CurrentVriFileName(*host.services(), lead));
  editor::SaveSettings(ini, view);
  std::printf("saved %s (modified: %d)\n", ini.fileName().c_str(), view.modified ? 1 : 0);
  // 6. Compile.
  editor::CompilePorts ports{
      [](const std::string& path, const std::string& text) { platform::WriteScriptFile(path, text); },
      [](const std::string& commandLine) {
        std::printf("starting %s\n", commandLine.c_str());
        platform::StartHidden(commandLine);
      },
      [] { std::printf("ｺﾝﾊﾟｲﾙｴﾗｰ\n"); }};
  editor::CompileVersionResource(editor::ReadSettings(view), view.GetScriptPath(), compiler, ports);
  const bool compiled = WaitForFile("C:\\Work\\Version.RES", 60);
  std::printf("Version.RES %s\n", compiled ? "written by the compiler" : "missing after 60 s");
  // 7. Close: the project source gains the directive below {$R *.RES}.
  const auto update = editor::UpdateProjectSource(*host.services(), view.Checked(editor::CheckField::IncludeVerInfo),
                                                  view.GetScriptPath(), lead);
  const std::string& source = host.FindModule(kProject)->text;
  HANDLE out = CreateFileA(kProject, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, source.data(), static_cast<DWORD>(source.size()), &written, nullptr);
  CloseHandle(out);
  std::printf("project source %s at %d\n",
              update.outcome == editor::SourceUpdate::Outcome::Inserted ? "gained the directive" : "unchanged",
              update.position);
  return compiled && update.outcome == editor::SourceUpdate::Outcome::Inserted ? 0 : 1;
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
}
