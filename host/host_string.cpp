#include "host/host_string.h"

#include <algorithm>
#include <cstring>

#include "host/host_intf.h"

namespace hostapi {
namespace {

constexpr size_t kHeader = 8;  // reference count, length

const char* Chars(HostStr str) { return reinterpret_cast<const char*>(str); }

}  // namespace

HostString::~HostString() {
  try {
    services_->FreeString(str_);
  } catch (...) {
    // The host that failed cannot be told; the error that unwinds here is reported.
  }
}

std::string HostString::Take() {
  std::string text = CopyHostString(str_);
  services_->FreeString(str_);
  return text;
}

HostText::HostText(std::string_view text) {
  if (text.empty()) return;  // the host's empty string is null
  const size_t size = kHeader + text.size() + 1;
  block_.reset(new int32_t[(size + 3) / 4]);
  LayOutConstant(block_.get(), size, text);
}

HostStr HostText::get() const {
  return block_ ? reinterpret_cast<HostStr>(reinterpret_cast<char*>(block_.get()) + kHeader) : nullptr;
}

std::string CopyHostString(HostStr str) {
  if (!str) return {};
  int32_t length = 0;
  std::memcpy(&length, Chars(str) - 4, sizeof length);
  if (length <= 0) return {};
  return std::string(Chars(str), static_cast<size_t>(length));
}

HostStr LayOutConstant(int32_t* block, size_t size, std::string_view text) {
  if (text.empty()) return nullptr;
  const size_t length = std::min(text.size(), size - kHeader - 1);
  char* chars = reinterpret_cast<char*>(block) + kHeader;
  block[0] = -1;
  block[1] = static_cast<int32_t>(length);
  std::memcpy(chars, text.data(), length);
  chars[length] = '\0';
  return reinterpret_cast<HostStr>(chars);
}

void StoreHostString(TIHostServices& services, HostStr* variable, std::string_view text) {
  services.FreeString(*variable);
  *variable = services.NewString(text);
}

}  // namespace hostapi
