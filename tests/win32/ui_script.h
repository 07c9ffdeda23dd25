// Drives a window the way a person does while its modal loop runs: the steps run one
// after another from a thread timer (timers come after input, so keys sent by one step
// have been handled when the next one runs), also inside nested message boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class UiScript {
 public:
  using Step = std::function<void()>;

  explicit UiScript(std::vector<Step> steps) : steps_(std::move(steps)) {}
  // Runs `body` (which shows a window modally); returns true when every step ran and the
  // window closed; false when it closed with steps left, or when the steps ran out and
  // it was still open 10 s later (it is then ended by a quit message).
  bool Run(const std::function<void()>& body);
  size_t stepsRun() const { return next_; }
  size_t steps() const { return steps_.size(); }
  bool timedOut() const { return timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  std::vector<Step> steps_;
  size_t next_ = 0;
  int idleTicks_ = 0;
  bool timedOut_ = false;
};

// Input as a person gives it, through the system's input queue.
void PressKey(WORD vk, bool ctrl = false, bool shift = false, bool alt = false);
void TypeText(const std::string& text);
void ClickWindow(HWND window);  // a left click in the middle of the window
void MoveMouseTo(HWND window);

// A top-level window of this process with the given caption (a message box, a dialog).
HWND FindTopWindow(const std::string& caption);
// The text of a message box (its static text control).
std::string MessageBoxText(HWND box);
// Presses a message box button by its id (IDYES, IDNO, IDCANCEL, IDOK).
void AnswerMessageBox(HWND box, int id);
// The text of the shown message box with that caption, which is then answered; a test
// failure and "" when there is none.
std::string TakeMessageBox(const std::string& caption, int answer);

// Polls `done` every 50 ms for up to `seconds` (another process's state, which sends no
// signal); true once it holds.
bool WaitFor(const std::function<bool()>& done, int seconds);

// Saves what the window shows on screen as a 24-bit BMP file.
bool SaveWindowImage(HWND window, const std::string& path);

}  // namespace testsupport
