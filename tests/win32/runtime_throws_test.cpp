// The runtime's throw helpers as every Windows program of ours links them: a misuse inside
// the standard library reaches a boundary as our own std::exception (never the runtime's
// std::out_of_range and its kin), carrying the library's message with its numbers filled in.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <typeinfo>
#include <vector>

#include "base/library_fault.h"

namespace {

struct Misuse {
  const char* name;
  void (*action)();
  const char* message;
};

TEST(RuntimeThrows, LibraryMisuseArrivesAsOurFaultWithTheLibrarysMessage) {
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
    } catch (const base::LibraryFault& e) {
      EXPECT_STREQ(e.what(), misuse.message) << misuse.name;
    } catch (const std::exception& e) {
      ADD_FAILURE() << misuse.name << ": the runtime's own " << typeid(e).name() << " (" << e.what() << ")";
    }
  }
}

}  // namespace
