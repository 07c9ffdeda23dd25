// Holds one reference to a host object and releases it exactly once.
#pragma once
#include <utility>

#include "host/host_intf.h"

template <typename T>
class HostRef {
 public:
  HostRef() = default;
  explicit HostRef(T* object) : object_(object) {}
  HostRef(const HostRef&) = delete;
  HostRef& operator=(const HostRef&) = delete;
  HostRef(HostRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ~HostRef() { reset(); }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Gives the reference back now, a failure of the host raised: for a release that does
  // something the caller must know of (a writer's edits go into the text then). The
  // reference is ours no longer either way.
  void ReleaseNow() {
    if (!object_) return;
    std::exchange(object_, nullptr)->Release();
  }

  // The release goes through the guard; should the host fail in it, the object is given
  // back all the same and the failure is dropped: a release runs while unwinding, where a
  // second error would end the process, and the host that failed cannot be told.
  void reset() noexcept {
    if (!object_) return;
    T* object = std::exchange(object_, nullptr);
    try {
      object->Release();
    } catch (...) {
    }
  }

 private:
  T* object_ = nullptr;
};
