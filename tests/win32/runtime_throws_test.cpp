// The runtime's throw helpers as the shipped binaries link them: a misuse inside the
// standard library still reaches a boundary as a std::exception carrying the library's
// own message, its numbers filled in.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <vector>

namespace {

struct Misuse {
  const char* name;
  void (*action)();
  const char* message;
};

TEST(RuntimeThrows, LibraryMisuseArrivesAsStdExceptionWithItsMessage) {
  const Misuse cases[] = {
      {"substr past the end", [] { (void)std::string("abc").substr(4); },
       "basic_string::substr: __pos (which is 4) > this->size() (which is 3)"},
      {"vector at past the end", [] { (void)std::vector<int>(2).at(7); },
       "vector::_M_range_check: __n (which is 7) >= this->size() (which is 2)"},
      {"string longer than it can be",
       [] {
         std::string text;
         text.reserve(text.max_size() + 1);
       },
       "basic_string::_M_create"},
  };
  for (const Misuse& misuse : cases) {
    try {
      misuse.action();
      ADD_FAILURE() << misuse.name << ": nothing thrown";
    } catch (const std::exception& e) {
      EXPECT_STREQ(e.what(), misuse.message) << misuse.name;
    }
  }
}

}  // namespace
