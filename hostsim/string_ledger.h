// The stand-in host's long strings: its own allocator, which records every string it hands
// out and every reference and free, so that a leak, a double free, a string that is not the
// host's or a write to a constant is found. A string is a pointer to its characters; the
// length sits at -4, the reference count at -8 (-1: a constant), a zero byte follows.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

class StringLedger {
 public:
  StringLedger() = default;
  StringLedger(const StringLedger&) = delete;
  StringLedger& operator=(const StringLedger&) = delete;
  ~StringLedger();  // frees whatever is still allocated

  // NewPascalString: a new string with count 1; null for an empty text.
  char* New(std::string_view text);
  // A constant (count -1) the host hands out; kept and checked unchanged until the end.
  char* Constant(std::string_view text);
  // FreePascalString: one reference dropped, the string freed at 0; a constant is left
  // alone. A pointer that is no live string of ours is recorded, never touched.
  void Free(char*& str);
  // ReferencePascalString: one reference more (none for a constant).
  void Reference(char* str);
  // AssignPascalString: Dest := Src, a constant source copied.
  void Assign(char*& dest, char* src);
  // A value parameter on entry (one reference more) and on return (one less).
  void EnterValue(char* str);
  void LeaveValue(char* str);

  // The text of a string the add-in passed: a live string of ours or a constant (count -1,
  // length and terminator right); anything else is recorded and read as "".
  std::string Read(const char* str, std::string_view where);

  // Whether `str` is a live string of ours (an answer must be one, or nil).
  bool Owns(const char* str) const { return live_.count(str) != 0; }

  int live() const;  // strings of ours still allocated
  // Empty when every string was freed exactly once and nothing was wrong.
  std::string Problems() const;

 private:
  struct Allocation {
    int32_t refs;  // the count as the host keeps it; the header must agree
    std::string text;
    bool reported = false;  // a changed header or text is recorded once
  };
  char* Allocate(std::string_view text, int32_t refs);
  // Records a header or text of ours that the add-in changed; false when it did.
  bool Verify(const char* str, Allocation& allocation);
  void Count(const char* str, int32_t delta);  // a reference more or less, the header kept in step
  // Whether a pointer that is not ours is a well-formed constant; its text in `text`.
  static bool ReadConstant(const char* str, std::string& text);
  void Refuse(const char* str, std::string_view what);  // records a string that is not ours

  std::map<const char*, Allocation> live_;
  std::map<const char*, std::string> freed_;  // kept allocated, so no address is handed out twice
  std::vector<std::pair<const char*, std::string>> constants_;  // handed out, with their text
  std::vector<std::unique_ptr<char[]>> blocks_;                 // every block, live or freed
  std::vector<std::string> problems_;
};

}  // namespace hostsim
