#include "ui/system_libraries.h"

#include <commctrl.h>

namespace ui {
namespace {

HMODULE CommonControls() {
  static HMODULE module = LoadLibraryA("comctl32.dll");
  return module;
}

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

constexpr UINT_PTR kLeaveTimer = 0x7A11;
constexpr UINT kLeavePollMs = 100;

// Without _TrackMouseEvent the mouse is watched as COMCTL32 itself does on Windows 95.
void CALLBACK PollMouseLeave(HWND window, UINT, UINT_PTR timer, DWORD) {
  POINT cursor;
  if (GetCursorPos(&cursor) && WindowFromPoint(cursor) == window) return;
  KillTimer(window, timer);
  PostMessageA(window, WM_MOUSELEAVE, 0, 0);
}

}  // namespace

void EnsureCommonControls() {
  static bool done = false;
  if (done) return;
  done = true;
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  using Init = void(WINAPI*)();
  if (auto initEx = Lookup<InitEx>(CommonControls(), "InitCommonControlsEx")) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    initEx(&icc);
  } else if (auto init = Lookup<Init>(CommonControls(), "InitCommonControls")) {
    init();
  }
}

void TrackMouseLeave(HWND window) {
  using Track = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
  static const Track track = Lookup<Track>(CommonControls(), "_TrackMouseEvent");
  if (track) {
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
    if (track(&request)) return;
  }
  SetTimer(window, kLeaveTimer, kLeavePollMs, PollMouseLeave);
}

bool RunOpenFileDialog(OPENFILENAMEA& dialog) {
  using Open = BOOL(WINAPI*)(OPENFILENAMEA*);
  static const Open open = Lookup<Open>(LoadLibraryA("comdlg32.dll"), "GetOpenFileNameA");
  return open && open(&dialog);
}

}  // namespace ui
