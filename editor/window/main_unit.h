// TVerMainForm: the version information editor window. It holds the settings in its
// controls (and is itself the settings view of the core), the paths the commands work
// on, and the modified flag.
#pragma once
#include <optional>
#include <string>

#include "host/host_intf.h"
#include "editor/core/settings_view.h"
#include "ui/dialogs.h"
#include "ui/form.h"

class TVerMainForm : public ui::Form, public editor::SettingsView {
 public:
  // The window works on the host's project through `services`; whoever shows it frees it.
  TVerMainForm(HWND owner, TIHostServices* services);
  ~TVerMainForm() override;

  bool Modified = false;
  std::string CompilerPath;
  std::string ScriptPath;
  TIHostServices* Services = nullptr;
  ui::OpenDialog OpenDialog1;

  // Event handlers.
  void FormCreate();
  bool FormCloseQuery();
  void Edit1Change();
  void Open1Click();
  void SaveButtonClick();
  void Exit1Click();
  void CompileButtonClick();
  void Option1Click();
  void HelpButtonClick();
  void About1Click();
  void ShowStatusHint();

  void LoadSettings(const std::string& fileName);
  void SaveSettings();
  void UpdateProjectSource(bool include);
  // "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - " followed by the script path.
  void ShowScriptPathInCaption();
  // The host's project file name; none without services or when the host gives none.
  std::optional<std::string> ProjectFileName() const;

  // The settings view over the controls.
  bool Checked(editor::CheckField field) const override;
  void SetChecked(editor::CheckField field, bool checked) override;
  std::string SpinText(int box) const override;
  void SetSpinValue(int box, int32_t value) override;
  std::string Text(editor::TextField field) const override;
  void SetText(editor::TextField field, const std::string& text) override;
  int32_t ItemIndex(editor::ListField field) const override;
  void SetItemIndex(editor::ListField field, int32_t index) override;
  std::string GetScriptPath() const override { return ScriptPath; }
  void SetScriptPath(const std::string& path) override { ScriptPath = path; }
  void SetModified(bool modified) override { Modified = modified; }

 protected:
  bool CloseQuery() override { return FormCloseQuery(); }
  ui::CloseAction OnClose() override;

 private:
  void BindEvents();
};

// The window's caption before a script path is known.
extern const char kMainCaption[];
// The About box text: three lines, CR LF between them.
extern const char kAboutText[];
