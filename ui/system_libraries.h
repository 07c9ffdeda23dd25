// COMCTL32 and COMDLG32 are loaded when first needed, not when the host loads the
// add-in: a host pays the add-in's load at every start, and most sessions never open the
// window. Everything looked up here is in COMCTL32 4.70 and the COMDLG32 of Windows 95.
#pragma once
#include <windows.h>
#include <commdlg.h>

namespace ui {

// Loads COMCTL32 and registers its window classes (tool tips, status bar), once.
void EnsureCommonControls();

// WM_MOUSELEAVE is posted to `window` once the mouse has left it.
void TrackMouseLeave(HWND window);

// The system's file-open dialog; false when cancelled or when COMDLG32 cannot be had.
bool RunOpenFileDialog(OPENFILENAMEA& dialog);

}  // namespace ui
