// The application object of the add-in: instance handle, owner window, title, the
// current hint with its handler, the help file, and the default error handler.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "base/os_exception.h"

namespace ui {

// Shows help topics; tests put a recorder in its place.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowContext(const std::string& helpFile, int context) = 0;
};

class Application {
 public:
  static Application& Get();

  // The module whose window classes and resources are used (the DLL's own handle).
  HINSTANCE instance() const { return instance_; }
  void SetInstance(HINSTANCE instance) { instance_ = instance; }

  // The window that owns the add-in's windows (the host's main window).
  HWND owner() const { return owner_; }
  void SetOwner(HWND owner) { owner_ = owner; }

  const std::string& title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // The long part of the hint under the mouse or of the highlighted menu item.
  const std::string& hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // The handler belongs to `owner`; ClearHintHandler leaves another owner's in place.
  void SetHintHandler(const void* owner, std::function<void()> handler) {
    hintOwner_ = owner;
    onHint_ = std::move(handler);
  }
  void ClearHintHandler(const void* owner) {
    if (hintOwner_ != owner) return;
    hintOwner_ = nullptr;
    onHint_ = nullptr;
  }

  const std::string& helpFile() const { return helpFile_; }
  void SetHelpFile(std::string path) { helpFile_ = std::move(path); }
  void HelpContext(int context);
  void SetHelpViewer(HelpViewer* viewer) { helpViewer_ = viewer; }

  // Shows the message of the exception being handled in a box owned by `window`.
  void ShowException(HWND window, const std::exception* error);

 private:
  HINSTANCE instance_ = nullptr;
  HWND owner_ = nullptr;
  std::string title_;
  std::string hint_;
  const void* hintOwner_ = nullptr;
  std::function<void()> onHint_;
  std::string helpFile_;
  HelpViewer* helpViewer_ = nullptr;
};

// What a modal run changed, kept apart from the run's frame for as long as the run lasts:
// the run's own destructor puts it back, but when a fault in our own code leaves that
// frame without its destructor (and the form perhaps with it), AbandonModalRuns puts it
// back from here alone.
struct ModalRecord {
  HWND window;                 // the form's window
  std::vector<HWND> disabled;  // the windows the run disabled
  HWND previous;               // the window that was active before
  const void* owner;           // the form, as the owner of a hint handler; never read
};
void BeginModalRecord(ModalRecord record);
void EndModalRecord();  // the innermost run ended normally

// How many modal runs are in progress on the thread.
size_t ModalDepth();
// Abandons every modal run but the `keep` outermost, innermost first: the windows each
// disabled enabled again, its window destroyed, the window before it activated.
void AbandonModalRuns(size_t keep);

// Destroys a window of ours whose C++ objects may be gone: from now on its messages, and
// its children's, go to their own window procedures alone.
void DestroyDetached(HWND window);

// Runs `action`; an exception, or an OS exception of our own code (an access violation),
// is shown by the application's error handler instead of unwinding into user32. Returns
// whether the action ended normally. Allocates nothing before its guard.
template <typename F>
bool Guarded(HWND window, F&& action) noexcept {
  const size_t depth = ModalDepth();
  try {
    base::ContainOsExceptions(action, base::FaultSite::Ours);
    return true;
  } catch (const base::OsFault& fault) {
    AbandonModalRuns(depth);  // the runs its frames held, left without their destructors
    Application::Get().ShowException(window, &fault);
  } catch (const std::exception& e) {
    Application::Get().ShowException(window, &e);
  } catch (...) {
    Application::Get().ShowException(window, nullptr);
  }
  return false;
}

// The top-level window that `window` belongs to: its parents walked up while it is a
// child window (GetAncestor's GA_ROOT, which Windows 95 and NT 4.0 lack).
HWND RootWindow(HWND window);

// "short|long": the part before the bar, and the part after it; no bar gives the whole
// text for both.
std::string ShortHint(const std::string& hint);
std::string LongHint(const std::string& hint);

// Processes the messages waiting in the queue.
void ProcessMessages();

}  // namespace ui
