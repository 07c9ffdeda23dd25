// The editor window under test: a stand-in host with a project in a fresh folder, an
// owner window playing the host's main window, a recorded help viewer, and the host's
// registry key pointing at a compiler folder.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin/globals.h"
#include "editor/window/main_unit.h"
#include "hostsim/host.h"
#include "tests/win32/registry_snapshot.h"
#include "tests/win32/ui_script.h"
#include "tests/win32/win_temp_dir.h"
#include "ui/application.h"

namespace testsupport {

class RecordedHelp final : public ui::HelpViewer {
 public:
  std::vector<std::pair<std::string, int>> calls;
  void ShowContext(const std::string& file, int context) override { calls.emplace_back(file, context); }
};

class EditorWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the window as the menu command does and runs the steps while it is shown.
  void RunEditor(std::vector<UiScript::Step> steps);
  TVerMainForm& form() { return *VerMainForm; }
  HWND Control(const char* name);
  std::string ProjectText();
  // Where screenshots go when TALLOWIN_SCREENSHOTS names a folder.
  static void Screenshot(HWND window, const char* name);

  std::unique_ptr<RegistrySnapshot> registry;  // the host's key as it was before the test
  std::string project;
  std::string projectText = "program Sample;\r\n\r\n{$R *.RES}\r\n\r\nbegin\r\nend.\r\n";
  std::unique_ptr<WinTempDir> dir;
  hostsim::Host host;
  HWND owner = nullptr;
  RecordedHelp help;
  bool ownerDisabledWhileOpen = false;
};

}  // namespace testsupport
