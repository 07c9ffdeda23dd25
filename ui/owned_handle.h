// One Win32 handle owned by a small type, freed when its owner goes, and the owned
// window built on it.
#pragma once
#include <windows.h>

namespace ui {

// `Free` is a function object that gives the handle back. Hand the handle over with
// Release(); a function that takes ownership takes this type by value or &&.
template <typename Handle, typename Free>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle Release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle) Free{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct DestroyWindowHandle {
  void operator()(HWND window) const { DestroyWindow(window); }
};

// A window that no C++ object receives (a form's tooltip), destroyed with its owner.
using OwnedWindow = OwnedHandle<HWND, DestroyWindowHandle>;

}  // namespace ui
