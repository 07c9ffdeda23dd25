#include "tests/win32/editor_fixture.h"

#include "addin/quelvar.h"
#include "platform/registry.h"

namespace testsupport {

void EditorWindowTest::SetUp() {
  registry = std::make_unique<RegistrySnapshot>(HKEY_LOCAL_MACHINE, "Software\\Borland\\Delphi\\2.0");
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info->name();
  for (char& c : name) {
    if (c == '/') c = '-';
  }
  dir = std::make_unique<WinTempDir>(name);
  project = *dir / "Sample.dpr";
  host.projectFileName = project;
  host.OpenModule(project, projectText);
  HostServices = host.services();
  ui::Application& app = ui::Application::Get();
  app.SetInstance(GetModuleHandleA(nullptr));
  app.SetTitle("Tallowin");
  app.SetHelpViewer(&help);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "StandInHostWindow";
  RegisterClassA(&wc);
  owner = CreateWindowExA(0, "StandInHostWindow", "Delphi 2.0", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100,
                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  app.SetOwner(owner);
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Borland\\Delphi\\2.0", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  const std::string hostProgram = *dir / "bin\\delphi32.exe";
  RegSetValueExA(key, "Delphi 2.0", 0, REG_SZ, reinterpret_cast<const BYTE*>(hostProgram.c_str()),
                 static_cast<DWORD>(hostProgram.size() + 1));
  RegCloseKey(key);
}

void EditorWindowTest::TearDown() {
  ui::ProcessMessages();
  EXPECT_EQ(VerMainForm, nullptr);
  EXPECT_EQ(host.Problems(), "");
  ui::Application::Get().SetHelpViewer(nullptr);
  DestroyWindow(owner);
  HostServices = nullptr;
  dir.reset();
  registry.reset();
}

void EditorWindowTest::RunEditor(std::vector<UiScript::Step> steps) {
  steps.insert(steps.begin(), [this] { ownerDisabledWhileOpen = !IsWindowEnabled(owner); });
  UiScript script(std::move(steps));
  if (!script.Run([this] { ShowEditorWindow(ui::Application::Get().owner(), host.services()); })) {
    if (script.timedOut()) {
      ADD_FAILURE() << "the window was still open after the last step";
    } else {
      ADD_FAILURE() << "the window closed after " << script.stepsRun() << " of " << script.steps() << " steps";
    }
  }
  ui::ProcessMessages();
  EXPECT_TRUE(IsWindowEnabled(owner));
}

HWND EditorWindowTest::Control(const char* name) { return form().Find(name)->hwnd(); }

std::string EditorWindowTest::ProjectText() { return host.FindModule(project)->text; }

void EditorWindowTest::Screenshot(HWND window, const char* name) {
  char folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("TALLOWIN_SCREENSHOTS", folder, sizeof folder)) return;
  SaveWindowImage(window, std::string(folder) + "\\" + name + ".bmp");
}

}  // namespace testsupport
