#include "hostsim/string_ledger.h"

#include <cstring>

#include "hostsim/foreign_memory.h"

namespace hostsim {
namespace {

constexpr size_t kHeader = 8;  // the count, then the length, before the characters
constexpr int32_t kLongest = 1 << 20;  // longer than any text the add-in passes

const char* Before(const char* str, size_t bytes) {
  return reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(str) - bytes);
}

int32_t Word(const char* at) {
  int32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Up to 64 characters of a C string the add-in passed, for the record.
std::string Peek(const char* str) {
  std::string text;
  char c;
  while (text.size() < 64 && CopyForeign(str + text.size(), &c, 1) && c) text += c;
  return text;
}

}  // namespace

StringLedger::~StringLedger() = default;

char* StringLedger::Allocate(std::string_view text, int32_t refs) {
  auto block = std::make_unique<char[]>(kHeader + text.size() + 1);  // zeroed: the terminator
  const int32_t length = static_cast<int32_t>(text.size());
  std::memcpy(block.get(), &refs, 4);
  std::memcpy(block.get() + 4, &length, 4);
  std::memcpy(block.get() + kHeader, text.data(), text.size());
  char* str = block.get() + kHeader;
  blocks_.push_back(std::move(block));
  return str;
}

char* StringLedger::New(std::string_view text) {
  if (text.empty()) return nullptr;
  char* str = Allocate(text, 1);
  live_.emplace(str, Allocation{1, std::string(text)});
  return str;
}

char* StringLedger::Constant(std::string_view text) {
  if (text.empty()) return nullptr;
  char* str = Allocate(text, -1);
  constants_.emplace_back(str, std::string(text));
  return str;
}

bool StringLedger::Verify(const char* str, Allocation& allocation) {
  const std::string& text = allocation.text;
  const bool intact = Word(Before(str, 8)) == allocation.refs &&
                      Word(Before(str, 4)) == static_cast<int32_t>(text.size()) &&
                      std::memcmp(str, text.data(), text.size() + 1) == 0;
  if (!intact && !allocation.reported) {
    allocation.reported = true;
    problems_.push_back("string " + Quoted(text) + " changed behind the host's back");
  }
  return intact;
}

void StringLedger::Count(const char* str, int32_t delta) {
  auto it = live_.find(str);
  Verify(str, it->second);
  const int32_t refs = it->second.refs += delta;
  std::memcpy(const_cast<char*>(Before(str, 8)), &refs, 4);
  if (refs > 0) return;
  freed_.emplace(str, std::move(it->second.text));
  live_.erase(it);
}

bool StringLedger::ReadConstant(const char* str, std::string& text) {
  int32_t header[2];
  if (!CopyForeign(Before(str, kHeader), header, sizeof header)) return false;
  if (header[0] != -1 || header[1] < 0 || header[1] > kLongest) return false;
  std::string bytes(static_cast<size_t>(header[1]) + 1, '\0');
  if (!CopyForeign(str, bytes.data(), bytes.size()) || bytes.find('\0') != bytes.size() - 1) return false;
  bytes.pop_back();
  text = std::move(bytes);
  return true;
}

void StringLedger::Refuse(const char* str, std::string_view what) {
  auto freed = freed_.find(str);
  if (freed != freed_.end()) {
    problems_.push_back(std::string(what) + ": string " + Quoted(freed->second) + " used after its free");
  } else {
    problems_.push_back(std::string(what) + ": " + Quoted(Peek(str)) + " is not a host string");
  }
}

void StringLedger::Free(char*& str) {
  std::string text;
  if (!str) return;
  if (live_.count(str)) {
    Count(str, -1);
  } else if (freed_.count(str)) {
    problems_.push_back("string " + Quoted(freed_[str]) + " freed twice");
    return;
  } else if (!ReadConstant(str, text)) {
    Refuse(str, "FreePascalString");
    return;
  }
  str = nullptr;  // a constant is never freed, only let go
}

void StringLedger::Reference(char* str) {
  std::string text;
  if (!str) return;
  if (live_.count(str)) {
    Count(str, +1);
  } else if (!ReadConstant(str, text)) {
    Refuse(str, "ReferencePascalString");
  }
}

void StringLedger::Assign(char*& dest, char* src) {
  std::string text;
  char* value = src;
  if (!src) {
  } else if (live_.count(src)) {
    Count(src, +1);
  } else if (ReadConstant(src, text)) {
    value = New(text);  // a constant is copied
  } else {
    Refuse(src, "AssignPascalString");
    return;
  }
  Free(dest);
  dest = value;
}

void StringLedger::EnterValue(char* str) {
  if (live_.count(str)) Count(str, +1);
}

void StringLedger::LeaveValue(char* str) {
  if (live_.count(str)) Count(str, -1);
}

std::string StringLedger::Read(const char* str, std::string_view where) {
  std::string text;
  if (!str) return text;
  auto it = live_.find(str);
  if (it != live_.end()) {
    Verify(str, it->second);
    return it->second.text;
  }
  if (!ReadConstant(str, text)) Refuse(str, where);
  return text;
}

int StringLedger::live() const { return static_cast<int>(live_.size()); }

std::string StringLedger::Problems() const {
  std::string problems;
  for (const std::string& problem : problems_) problems += problem + "; ";
  for (const auto& [str, allocation] : live_) problems += "string " + Quoted(allocation.text) + " leaked; ";
  for (const auto& [str, text] : constants_) {
    const bool intact = Word(Before(str, 8)) == -1 && Word(Before(str, 4)) == static_cast<int32_t>(text.size()) &&
                        std::memcmp(str, text.data(), text.size() + 1) == 0;
    if (!intact) problems += "constant " + Quoted(text) + " written; ";
  }
  return problems;
}

}  // namespace hostsim
