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

  void reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }

 private:
  T* object_ = nullptr;
};
