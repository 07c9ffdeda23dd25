#include "tests/win32/ui_script.h"

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {
namespace {

UiScript* current = nullptr;
constexpr UINT kTickMs = 40;
constexpr int kIdleTicksAllowed = 10000 / kTickMs;

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

struct FindData {
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK FindByCaption(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<FindData*>(data);
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  if (IsWindowVisible(window) && *find->caption == text) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool UiScript::Run(const std::function<void()>& body) {
  current = this;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, &UiScript::Tick);
  body();
  KillTimer(nullptr, timer);
  current = nullptr;
  if (timedOut_) {
    MSG msg;  // the quit message that ended the window must not end the next one
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  return !timedOut_ && next_ == steps_.size();
}

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  UiScript* self = current;
  if (!self) return;
  if (self->next_ < self->steps_.size()) {
    const size_t index = self->next_++;
    self->steps_[index]();  // may open a message box whose own loop ticks us again
    return;
  }
  if (++self->idleTicks_ == kIdleTicksAllowed) {
    self->timedOut_ = true;
    PostQuitMessage(0);
  }
}

void PressKey(WORD vk, bool ctrl, bool shift, bool alt) {
  if (ctrl) SendKey(VK_CONTROL, false);
  if (shift) SendKey(VK_SHIFT, false);
  if (alt) SendKey(VK_MENU, false);
  SendKey(vk, false);
  SendKey(vk, true);
  if (alt) SendKey(VK_MENU, true);
  if (shift) SendKey(VK_SHIFT, true);
  if (ctrl) SendKey(VK_CONTROL, true);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    PressKey(static_cast<WORD>(LOBYTE(scan)), false, (HIBYTE(scan) & 1) != 0);
  }
}

void MoveMouseTo(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int x = (r.left + r.right) / 2;
  const int y = (r.top + r.bottom) / 2;
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void ClickWindow(HWND window) {
  MoveMouseTo(window);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof input[0]);
}

HWND FindTopWindow(const std::string& caption) {
  FindData data{&caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindByCaption, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

std::string MessageBoxText(HWND box) {
  char text[1024] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  if (!text[0]) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char cls[32] = {};
      GetClassNameA(child, cls, sizeof cls);
      if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextLengthA(child) > 0) {
        GetWindowTextA(child, text, sizeof text);
        break;
      }
    }
  }
  return text;
}

void AnswerMessageBox(HWND box, int id) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::string TakeMessageBox(const std::string& caption, int answer) {
  HWND box = FindTopWindow(caption);
  if (!box) {
    ADD_FAILURE() << "no message box \"" << caption << "\"";
    return {};
  }
  const std::string text = MessageBoxText(box);
  AnswerMessageBox(box, answer);
  return text;
}

bool SaveWindowImage(HWND window, const std::string& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  SelectObject(memory, old);
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageSize;
  bool ok = false;
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
         WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
         WriteFile(out, bits, imageSize, &written, nullptr);
    CloseHandle(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool WaitFor(const std::function<bool()>& done, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

}  // namespace testsupport
