#include "editor/window/main_unit.h"

#include "base/ansi_path.h"
#include "base/error.h"
#include "controls/mlchkbox.h"
#include "editor/adapters/host_compiler.h"
#include "editor/window/main_layout.h"
#include "editor/window/optiodlg.h"
#include "editor/core/project_source.h"
#include "editor/core/resource_compile.h"
#include "editor/window/toolbar_icons.h"
#include "editor/core/vri_settings.h"
#include "platform/lead_byte.h"
#include "platform/process_start.h"
#include "editor/adapters/profile_ini.h"
#include "platform/script_file.h"
#include "ui/application.h"
#include "ui/spin_edit.h"
#include "ui/standard_controls.h"
#include "ui/tool_button.h"

using editor::CheckField;
using editor::ListField;
using editor::TextField;

const char kAboutText[] =
    "    ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽｴｷｽﾊﾟｰﾄ     \r\n"
    "         Version0.09β9        \r\n"
    "Copyright (c) 1997 Orbelane";

namespace {

const char kCaptionPrefix[] = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - ";
const char kSaveQuestion[] = "ﾊﾞｰｼﾞｮﾝ情報は変更されています。保存しますか?";
const char kHelpFileName[] = "Quelvar.hlp";
constexpr int kContentsTopic = 1;

const auto kLead = platform::IsSystemLeadByte;

const char* SpinName(int box) {
  static const char* const kNames[] = {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4",
                                       "SpinEdit5", "SpinEdit6", "SpinEdit7", "SpinEdit8"};
  return kNames[box];
}

const char* TextName(TextField field) {
  static const char* const kNames[] = {"Edit1", "Edit3", "Edit4", "Edit5", "Edit6", "Edit2", "Edit7", "Edit8", "Edit9"};
  return kNames[static_cast<int>(field)];
}

const char* CheckName(CheckField field) { return field == CheckField::IncludeVerInfo ? "Include1" : "Comment1"; }

const char* ListName(ListField field) { return field == ListField::FileType ? "FileTypeBox" : "ComboBox1"; }

std::string ProgramDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);  // the host's program, not this library
  return base::ExtractFileDir(path, kLead);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TVerMainForm::TVerMainForm(HWND owner, TIHostServices* services) : ui::Form(kMainFormSpec, owner), Services(services) {
  CreateControls(kMainControls, kMainControlCount);
  SetMenu(std::make_unique<ui::MainMenu>(kMainMenu, kMainMenuCount));
  LoadToolbarIcons(*this);
  Get<ui::StatusBar>("StatusBar1").SetPanelWidth(300);
  std::vector<std::string> fileTypes(editor::kFileTypeNames, editor::kFileTypeNames + editor::kFileTypeCount);
  Get<ui::ComboBox>("FileTypeBox").SetItems(fileTypes);
  Get<ui::ComboBox>("ComboBox1").SetItems({editor::kLanguageNames[0], editor::kLanguageNames[1]});
  Get<ui::CheckBox>("Include1").SetChecked(true);
  auto& comment = Get<TMultiLineCheckBox>("Comment1");
  comment.SetChecked(true);
  comment.SetEnabledControl(Find("Edit9"));
  OpenDialog1.filter = "vriﾌｧｲﾙ(*.vri)|*.vri";
  // Loading nothing would reset every field to the missing-key values over the project's own.
  OpenDialog1.fileMustExist = true;
  BindEvents();
  FormCreate();
}

TVerMainForm::~TVerMainForm() {
  // The application must never call into a freed window; a newer window's handler stays.
  ui::Application::Get().ClearHintHandler(this);
}

void TVerMainForm::BindEvents() {
  auto change = [this] { Edit1Change(); };
  for (int box = 0; box < editor::kSpinBoxCount; ++box) Get<ui::SpinEdit>(SpinName(box)).onChange = change;
  for (int field = 0; field <= static_cast<int>(TextField::Comment); ++field) {
    Get<ui::Edit>(TextName(static_cast<TextField>(field))).onChange = change;
  }
  Get<ui::ComboBox>("FileTypeBox").onChange = change;
  Get<ui::ComboBox>("ComboBox1").onChange = change;
  Get<ui::CheckBox>("Include1").onClick = change;
  Get<ui::CheckBox>("Comment1").onClick = change;

  const std::pair<const char*, void (TVerMainForm::*)()> commands[] = {
      {"OpenButton", &TVerMainForm::Open1Click},     {"SaveButton", &TVerMainForm::SaveButtonClick},
      {"CompileButton", &TVerMainForm::CompileButtonClick}, {"OptionButton", &TVerMainForm::Option1Click},
      {"HelpButton", &TVerMainForm::HelpButtonClick}, {"ExitButton", &TVerMainForm::Exit1Click}};
  for (const auto& [name, handler] : commands) {
    Get<ui::ToolButton>(name).onClick = [this, handler = handler] { (this->*handler)(); };
  }
  const std::pair<const char*, void (TVerMainForm::*)()> items[] = {
      {"Open1", &TVerMainForm::Open1Click},     {"Save1", &TVerMainForm::SaveButtonClick},
      {"Exit1", &TVerMainForm::Exit1Click},     {"C1", &TVerMainForm::CompileButtonClick},
      {"Option1", &TVerMainForm::Option1Click}, {"Contents1", &TVerMainForm::HelpButtonClick},
      {"About1", &TVerMainForm::About1Click}};
  for (const auto& [name, handler] : items) {
    menu()->OnClick(name, [this, handler = handler] { (this->*handler)(); });
  }
}

void TVerMainForm::FormCreate() {
  ui::Application& app = ui::Application::Get();
  app.SetHintHandler(this, [this] { ShowStatusHint(); });
  app.SetHelpFile(ProgramDirectory() + kHelpFileName);
  Get<ui::ComboBox>("ComboBox1").SetItemIndex(0);
  Get<ui::ComboBox>("FileTypeBox").SetItemIndex(0);
  try {
    if (const auto project = ProjectFileName()) {
      ScriptPath = base::ExtractFileDir(*project, kLead) + "Version.rc";
      ShowScriptPathInCaption();
    }
  } catch (const std::exception&) {
    // Without a project name the window starts with an empty script path.
  }
  const bool created = ui::Guarded(hwnd(), [this] {
    if (Services) {
      const std::string vri = editor::CurrentVriFileName(*Services, kLead);
      if (FileExists(vri)) LoadSettings(vri);
    }
    CompilerPath = editor::HostCompilerPath(kLead);
  });
  if (created) Modified = false;
}

std::optional<std::string> TVerMainForm::ProjectFileName() const {
  if (!Services) return std::nullopt;
  return Services->GetProjectFileName();
}

void TVerMainForm::ShowScriptPathInCaption() { SetCaption(kCaptionPrefix + ScriptPath); }

void TVerMainForm::ShowStatusHint() {
  Get<ui::StatusBar>("StatusBar1").SetPanelText(ui::Application::Get().hint());
}

void TVerMainForm::Edit1Change() { Modified = true; }

void TVerMainForm::LoadSettings(const std::string& fileName) {
  editor::ProfileIniFile ini(fileName);
  editor::LoadSettings(ini, *this, ProjectFileName().value_or(""), kLead);
}

void TVerMainForm::SaveSettings() {
  if (!Services) throw base::Error("ﾌﾟﾛｼﾞｪｸﾄが開かれていません");
  editor::ProfileIniFile ini(editor::CurrentVriFileName(*Services, kLead));
  editor::SaveSettings(ini, *this);
}

void TVerMainForm::UpdateProjectSource(bool include) {
  if (Services) editor::UpdateProjectSource(*Services, include, ScriptPath, kLead);
}

void TVerMainForm::Open1Click() {
  if (OpenDialog1.Execute(hwnd())) LoadSettings(OpenDialog1.fileName);
}

void TVerMainForm::SaveButtonClick() { SaveSettings(); }

void TVerMainForm::Exit1Click() { Close(); }

void TVerMainForm::CompileButtonClick() {
  editor::CompilePorts ports{
      [](const std::string& path, const std::string& text) { platform::WriteScriptFile(path, text); },
      [](const std::string& commandLine) { platform::StartHidden(commandLine); },
      [] { ui::MessageDlg("ｺﾝﾊﾟｲﾙｴﾗｰ", ui::DialogType::Error, MB_OK); }};
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  const editor::CompileSite site{ProjectFileName().value_or(""), current, kLead};
  editor::CompileVersionResource(editor::ReadSettings(*this), ScriptPath, CompilerPath, site, ports);
}

void TVerMainForm::Option1Click() {
  TOptionDlg dialog(hwnd());
  dialog.Get<ui::Edit>("Edit1").SetText(CompilerPath);
  dialog.Get<ui::Edit>("Edit2").SetText(ScriptPath);
  if (dialog.ShowModal() != ui::mrOk) return;
  const std::string compiler = dialog.Get<ui::Edit>("Edit1").Text();
  if (FileExists(compiler)) CompilerPath = compiler;
  ScriptPath = dialog.Get<ui::Edit>("Edit2").Text();
  ShowScriptPathInCaption();
}

void TVerMainForm::HelpButtonClick() { ui::Application::Get().HelpContext(kContentsTopic); }

void TVerMainForm::About1Click() { ui::ShowMessage(kAboutText); }

bool TVerMainForm::FormCloseQuery() {
  const bool include = Get<ui::CheckBox>("Include1").Checked();
  if (Modified) {
    switch (ui::MessageDlg(kSaveQuestion, ui::DialogType::Confirmation, MB_YESNOCANCEL)) {
      case IDYES:
        SaveButtonClick();
        UpdateProjectSource(include);
        return true;
      case IDNO:
        return true;
      default:
        return false;
    }
  }
  UpdateProjectSource(include);
  return true;
}

ui::CloseAction TVerMainForm::OnClose() {
  return ui::CloseAction::Hide;  // freed by whoever showed it
}

bool TVerMainForm::Checked(CheckField field) const { return Get<ui::CheckBox>(CheckName(field)).Checked(); }

void TVerMainForm::SetChecked(CheckField field, bool checked) { Get<ui::CheckBox>(CheckName(field)).SetChecked(checked); }

std::string TVerMainForm::SpinText(int box) const { return Get<ui::SpinEdit>(SpinName(box)).Text(); }

void TVerMainForm::SetSpinValue(int box, int32_t value) { Get<ui::SpinEdit>(SpinName(box)).SetValue(value); }

std::string TVerMainForm::Text(TextField field) const { return Get<ui::Edit>(TextName(field)).Text(); }

void TVerMainForm::SetText(TextField field, const std::string& text) { Get<ui::Edit>(TextName(field)).SetText(text); }

int32_t TVerMainForm::ItemIndex(ListField field) const { return Get<ui::ComboBox>(ListName(field)).ItemIndex(); }

void TVerMainForm::SetItemIndex(ListField field, int32_t index) {
  Get<ui::ComboBox>(ListName(field)).SetItemIndex(index);
}
