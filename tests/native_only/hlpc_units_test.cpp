// The help compiler's building blocks: packed integers and context hashes, against values
// worked out by hand from the format's rules.
#include <gtest/gtest.h>

#include <string>

#include "tools/hlpc/byte_writer.h"
#include "tools/hlpc/context_hash.h"

namespace {

enum class Packed { kUShort, kShort, kULong, kLong };

struct PackedCase {
  Packed kind;
  int64_t value;
  std::string bytes;
};

std::string Pack(Packed kind, int64_t value) {
  switch (kind) {
    case Packed::kUShort:
      return hlpc::CompressedUShort(static_cast<uint16_t>(value));
    case Packed::kShort:
      return hlpc::CompressedShort(static_cast<int16_t>(value));
    case Packed::kULong:
      return hlpc::CompressedULong(static_cast<uint32_t>(value));
    case Packed::kLong:
      return hlpc::CompressedLong(static_cast<int32_t>(value));
  }
  return {};
}

class PackedIntegers : public testing::TestWithParam<PackedCase> {};

TEST_P(PackedIntegers, HaveTheFormatsBytes) {
  EXPECT_EQ(Pack(GetParam().kind, GetParam().value), GetParam().bytes) << GetParam().value;
}

using P = PackedCase;
INSTANTIATE_TEST_SUITE_P(
    Cases, PackedIntegers,
    testing::Values(P{Packed::kUShort, 0, std::string("\x00", 1)}, P{Packed::kUShort, 1, "\x02"},
                    P{Packed::kUShort, 127, "\xFE"}, P{Packed::kUShort, 128, "\x01\x01"},
                    P{Packed::kUShort, 300, "\x59\x02"}, P{Packed::kUShort, 0x7FFF, "\xFF\xFF"},
                    P{Packed::kShort, 0, "\x80"}, P{Packed::kShort, 12, "\x98"}, P{Packed::kShort, -64, std::string("\x00", 1)},
                    P{Packed::kShort, 63, "\xFE"}, P{Packed::kShort, 64, "\x81\x80"}, P{Packed::kShort, -65, "\x7F\x7F"},
                    // The long form at its low end: never one byte.
                    P{Packed::kShort, -0x4000, std::string("\x01\x00", 2)},
                    P{Packed::kShort, -0x3F81, std::string("\xFF\x00", 2)}, P{Packed::kShort, -0x3F80, "\x01\x01"},
                    P{Packed::kShort, 0x3FFF, "\xFF\xFF"},
                    P{Packed::kULong, 0, std::string("\x00\x00", 2)}, P{Packed::kULong, 127, std::string("\xFE\x00", 2)},
                    P{Packed::kULong, 128, std::string("\x00\x01", 2)}, P{Packed::kULong, 0x7FFF, "\xFE\xFF"},
                    P{Packed::kULong, 0x8000, std::string("\x01\x00\x01\x00", 4)},
                    P{Packed::kULong, 0x12345, std::string("\x8B\x46\x02\x00", 4)},
                    P{Packed::kLong, 0, std::string("\x00\x80", 2)}, P{Packed::kLong, 12, "\x18\x80"},
                    P{Packed::kLong, -1, "\xFE\x7F"}, P{Packed::kLong, 0x3FFF, "\xFE\xFF"},
                    P{Packed::kLong, 0x4000, std::string("\x01\x80\x00\x80", 4)},
                    P{Packed::kLong, -0x4000, std::string("\x00\x00", 2)}, P{Packed::kLong, -0x4001, "\xFF\x7F\xFF\x7F"}));

TEST(PackedIntegers, RefuseWhatTheirFieldsCannotHold) {
  EXPECT_THROW(hlpc::CompressedUShort(0x8000), std::out_of_range);
  EXPECT_THROW(hlpc::CompressedShort(0x4000), std::out_of_range);
  EXPECT_THROW(hlpc::CompressedULong(0x80000000), std::out_of_range);
}

struct HashCase {
  const char* context;
  uint32_t hash;
};

class ContextHashes : public testing::TestWithParam<HashCase> {};

TEST_P(ContextHashes, MatchWinHelp) {
  EXPECT_EQ(hlpc::ContextHash(GetParam().context), GetParam().hash) << GetParam().context;
  EXPECT_TRUE(hlpc::IsContextString(GetParam().context)) << GetParam().context;
}

// IDH_* are WinHelp's published vectors; the rest follow from h = 43h + value by hand
// (A-Z and a-z 17..42, 1-9 1..9, 0 10, '.' 12, '_' 13), the last two modulo 2^32.
INSTANTIATE_TEST_SUITE_P(Cases, ContextHashes,
                         testing::Values(HashCase{"IDH_1", 0x05311E4D}, HashCase{"IDH_11", 0xDF4016F0},
                                         HashCase{"IDH_24", 0xDF40171E}, HashCase{"A", 0x11}, HashCase{"a", 0x11},
                                         HashCase{"9", 0x09}, HashCase{"0", 0x0A}, HashCase{"AB", 0x2ED},
                                         HashCase{"_.", 0x23B}, HashCase{"Z9", 0x717}, HashCase{"main", 0x0023ADC1},
                                         HashCase{"MAIN", 0x0023ADC1}, HashCase{"hidden", 0xD77D1C66}));

TEST(ContextStrings, HoldOnlyTheHashedCharacters) {
  for (const char* bad : {"", "a-b", "a b", "file$", "\xE3\x81\x82"}) EXPECT_FALSE(hlpc::IsContextString(bad)) << bad;
  EXPECT_TRUE(hlpc::IsContextString("Ok_1.2"));
}

}  // namespace
