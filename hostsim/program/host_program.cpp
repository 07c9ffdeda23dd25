// The stand-in host program: plays the host IDE for the add-in. It loads the add-ins
// listed in the registry, shows a menu bar holding "EditObjectItem" (with whatever the
// add-ins insert), opens a project whose source it shows in its editor buffer with
// unsaved edits marked, saves it on request, and shows the errors add-ins report.
#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "host/host_constants.h"
#include "hostsim/host.h"
#include "hostsim/program/expert_loader.h"

namespace {

const char kWindowClass[] = "TallowinStandInHost";
const char kHostKey[] = "Software\\Borland\\Delphi\\2.0";
const char kHostValue[] = "Delphi 2.0";
constexpr UINT kFirstCommand = 1000;

hostsim::Host* host = nullptr;
HWND mainWindow = nullptr;
HWND sourceView = nullptr;
std::vector<hostsim::MenuNode*> commands;
HACCEL accelerators = nullptr;
std::string logPath;

void Log(const std::string& line) {
  if (FILE* f = std::fopen(logPath.c_str(), "ab")) {
    std::fprintf(f, "%s\r\n", line.c_str());
    std::fclose(f);
  }
}

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// As the host's own setup would: the Experts key for the current user, and the
// installation key pointing here (the resource compiler lies beside this program as
// brc32.exe).
void RegisterInstallation() {
  HKEY experts = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\2.0\\Experts", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &experts, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(experts);
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kHostKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  if (RegQueryValueExA(key, kHostValue, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    const std::string path = ProgramPath();
    RegSetValueExA(key, kHostValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    Log("registered " + path);
  }
  RegCloseKey(key);
}

std::string ShortCutText(int32_t value) {
  std::string text;
  if (value & hostapi::kShortCutShift) text += "Shift+";
  if (value & 0x4000) text += "Ctrl+";
  if (value & hostapi::kShortCutAlt) text += "Alt+";
  const int key = value & 0xFF;
  if (key >= VK_F1 && key <= VK_F12) return text + "F" + std::to_string(key - VK_F1 + 1);
  return text + static_cast<char>(key);
}

void AddItems(HMENU menu, hostsim::MenuNode& parent, std::vector<ACCEL>& keys) {
  for (auto& child : parent.children) {
    hostsim::MenuNode& node = *child;
    std::string caption = node.caption;
    if (node.shortCut) caption += "\t" + ShortCutText(node.shortCut);
    if (!node.children.empty()) {
      HMENU popup = CreatePopupMenu();
      AddItems(popup, node, keys);
      AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
      continue;
    }
    const UINT id = kFirstCommand + static_cast<UINT>(commands.size());
    commands.push_back(&node);
    AppendMenuA(menu, MF_STRING, id, caption.c_str());
    if (node.shortCut) {
      BYTE flags = FVIRTKEY;
      if (node.shortCut & hostapi::kShortCutShift) flags |= FSHIFT;
      if (node.shortCut & 0x4000) flags |= FCONTROL;
      if (node.shortCut & hostapi::kShortCutAlt) flags |= FALT;
      keys.push_back(ACCEL{flags, static_cast<WORD>(node.shortCut & 0xFF), static_cast<WORD>(id)});
    }
    char line[512];
    std::snprintf(line, sizeof line, "menu %s > %s | %s | position %d | shortcut %04X | flags %d",
                  parent.name.c_str(), node.name.c_str(), node.caption.c_str(), node.Position(),
                  static_cast<unsigned>(node.shortCut), node.flags);
    Log(line);
  }
}

void BuildMenu() {
  commands.clear();
  std::vector<ACCEL> keys;
  HMENU bar = CreateMenu();
  AddItems(bar, host->menuRoot(), keys);
  HMENU old = GetMenu(mainWindow);
  SetMenu(mainWindow, bar);
  if (old) DestroyMenu(old);
  if (accelerators) DestroyAcceleratorTable(accelerators);
  accelerators = keys.empty() ? nullptr : CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

void ShowSource() {
  const hostsim::SourceModule* module = host->FindModule(host->projectFileName);
  std::string caption = "Delphi 2.0";
  if (module) {
    SetWindowTextA(sourceView, module->text.c_str());
    caption += " - " + host->projectFileName + (module->modified ? " *" : "");
  } else {
    SetWindowTextA(sourceView, "");
  }
  SetWindowTextA(mainWindow, caption.c_str());
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buffer[4096];
  size_t n;
  text.clear();
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return true;
}

void OpenProject(const std::string& path) {
  char full[MAX_PATH] = {};
  GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  std::string text;
  if (!ReadWholeFile(full, text)) {
    MessageBoxA(mainWindow, ("cannot open " + path).c_str(), "Delphi 2.0", MB_OK | MB_ICONERROR);
    return;
  }
  host->projectFileName = full;
  host->OpenModule(full, text);
  Log(std::string("opened ") + full);
  ShowSource();
}

void SaveProject() {
  hostsim::SourceModule* module = host->FindModule(host->projectFileName);
  if (!module) return;
  if (FILE* f = std::fopen(host->projectFileName.c_str(), "wb")) {
    std::fwrite(module->text.data(), 1, module->text.size(), f);
    std::fclose(f);
    module->modified = false;
    Log("saved " + host->projectFileName);
  }
  ShowSource();
}

void ChooseProject() {
  char file[MAX_PATH] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = mainWindow;
  ofn.lpstrFilter = "Delphi project (*.dpr)\0*.dpr\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameA(&ofn)) OpenProject(file);
}

void RunCommand(UINT id) {
  if (id < kFirstCommand || id - kFirstCommand >= commands.size()) return;
  hostsim::MenuNode* node = commands[id - kFirstCommand];
  if (node->name == "FileOpenItem") return ChooseProject();
  if (node->name == "FileSaveItem") return SaveProject();
  if (node->name == "FileExitItem") return static_cast<void>(DestroyWindow(mainWindow));
  Log("command " + node->name);
  host->Click(node->name);
  ShowSource();
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0) RunCommand(LOWORD(wParam));
      return 0;
    case WM_SIZE:
      MoveWindow(sourceView, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) ShowSource();  // edits made while a window of an add-in was open
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void BuildHostMenu() {
  host->AddMenuItem("", "FileMenu", "ファイル(&F)");
  host->AddMenuItem("FileMenu", "FileOpenItem", "プロジェクトを開く(&O)...");
  host->AddMenuItem("FileMenu", "FileSaveItem", "保存(&S)").shortCut = 0x4000 | 'S';
  host->AddMenuItem("FileMenu", "FileExitItem", "終了(&X)");
  host->AddMenuItem("", "EditMenu", "編集(&E)");
  host->AddMenuItem("EditMenu", "EditUndoItem", "元に戻す(&U)");
  host->AddMenuItem("EditMenu", hostapi::kObjectItemName, "オブジェクト(&O)");
  host->AddMenuItem("EditMenu", "EditSelectAllItem", "すべて選択(&L)");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  const std::string program = ProgramPath();
  char fromEnvironment[MAX_PATH] = {};
  logPath = GetEnvironmentVariableA("TALLOWIN_HOST_LOG", fromEnvironment, MAX_PATH)
                ? fromEnvironment
                : program.substr(0, program.rfind('\\') + 1) + "standin_host.log";
  RegisterInstallation();
  if (__argc > 1 && std::string(__argv[1]) == "/register") return 0;  // installation only

  hostsim::Host standIn;
  host = &standIn;
  standIn.onReportError = [](const std::string& message) {
    Log("ReportError " + message);
    MessageBoxA(mainWindow, message.c_str(), "Delphi 2.0", MB_OK | MB_ICONERROR);
  };
  BuildHostMenu();

  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
  mainWindow = CreateWindowExA(0, kWindowClass, "Delphi 2.0", WS_OVERLAPPEDWINDOW, 20, 20, 640, 420, nullptr,
                               nullptr, instance, nullptr);
  sourceView = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY, 0, 0, 0,
                               0, mainWindow, nullptr, instance, nullptr);
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, "ＭＳ ゴシック");
  SendMessageA(sourceView, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  standIn.hostWindow = mainWindow;

  ExpertLoader loader(standIn);
  loader.LoadAll(&Log);
  BuildMenu();
  if (__argc > 1) OpenProject(__argv[1]);
  ShowWindow(mainWindow, show);
  Log("ready");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (accelerators && TranslateAcceleratorA(mainWindow, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  loader.UnloadAll();
  DeleteObject(font);
  Log("ended");
  return 0;
}
