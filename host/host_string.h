// The host's long strings at the seam, and nowhere else: a string we receive is copied out
// and freed through the host at once; a text we pass is a constant (count -1) that the
// host reads and copies when it keeps it, and never writes or frees; a string we return is
// made by the host. Nothing of ours allocates or frees host memory any other way. Above
// the binding every text is a std::string.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "host/host_abi.h"

class TIHostServices;

namespace hostapi {

// A string of the host's memory manager, held for one use and freed through the host
// once. Not copyable: there is one reference.
class HostString {
 public:
  explicit HostString(TIHostServices& services) : services_(&services) {}
  HostString(const HostString&) = delete;
  HostString& operator=(const HostString&) = delete;
  // Frees what is still held; a failure of the host then is dropped, since this may run
  // while an error unwinds.
  ~HostString();

  // The variable itself, for a result the host stores into. Empty until then.
  HostStr* out() { return &str_; }
  // Copies the text out and frees the string through the host (raising when that fails).
  std::string Take();

 private:
  TIHostServices* services_;
  HostStr str_ = nullptr;
};

// Our text as a host string constant, valid for as long as this object lives: the host
// copies a constant whenever it assigns it, so it never holds on to this memory.
class HostText {
 public:
  explicit HostText(std::string_view text);
  HostStr get() const;

 private:
  std::unique_ptr<int32_t[]> block_;  // count, length, characters, zero: 4-byte aligned
};

// The text of a host string, by the length in its header.
std::string CopyHostString(HostStr str);

// Lays out `text` as a constant in `block` of `size` bytes (count -1, length, characters,
// zero), cut at a character boundary when it does not fit; returns the string.
HostStr LayOutConstant(int32_t* block, size_t size, std::string_view text);

// Stores `text` into a string variable of the host, as a function result of ours: its old
// value is released through the host and the new one made by the host.
void StoreHostString(TIHostServices& services, HostStr* variable, std::string_view text);

}  // namespace hostapi
