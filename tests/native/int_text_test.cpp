#include <gtest/gtest.h>

#include <optional>

#include "base/int_text.h"

namespace {

struct IntCase {
  const char* text;
  std::optional<int32_t> expected;
};

class IntTextRule : public testing::TestWithParam<IntCase> {};

TEST_P(IntTextRule, ReadsTextAsInteger) {
  EXPECT_EQ(base::ParseIntText(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntTextRule,
    testing::Values(IntCase{"0", 0}, IntCase{"255", 255}, IntCase{"  7", 7}, IntCase{"+12", 12},
                    IntCase{"-12", -12}, IntCase{"007", 7}, IntCase{"2147483647", 2147483647},
                    IntCase{"-2147483648", INT32_MIN}, IntCase{"2147483648", std::nullopt},
                    IntCase{"-2147483649", std::nullopt}, IntCase{"99999999999999999999", std::nullopt},
                    IntCase{"$FF", 255}, IntCase{"$ff", 255}, IntCase{"$FFFFFFFF", -1},
                    IntCase{"$80000000", INT32_MIN}, IntCase{"$00000000FF", 255},
                    IntCase{"$100000000", std::nullopt}, IntCase{"$", std::nullopt},
                    IntCase{"$G", std::nullopt}, IntCase{"-$1", std::nullopt}, IntCase{"", std::nullopt},
                    IntCase{"   ", std::nullopt}, IntCase{"+", std::nullopt}, IntCase{"-", std::nullopt},
                    IntCase{"7 ", std::nullopt}, IntCase{"1 , 2", std::nullopt}, IntCase{"\t7", std::nullopt},
                    IntCase{"1.5", std::nullopt}, IntCase{"0x10", std::nullopt}, IntCase{"- 1", std::nullopt},
                    IntCase{"12a", std::nullopt}));

class IniIntRule : public testing::TestWithParam<IntCase> {};

TEST_P(IniIntRule, ReplacesHexPrefixOnlyWhenLongerThanTwo) {
  EXPECT_EQ(base::ParseIniInt(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, IniIntRule,
                         testing::Values(IntCase{"0x10", 16}, IntCase{"0X1f", 31}, IntCase{"0x", std::nullopt},
                                         IntCase{"0xG", std::nullopt}, IntCase{"0xFFFFFFFF", -1},
                                         IntCase{" 0x10", std::nullopt}, IntCase{"$10", 16},
                                         IntCase{"12", 12}, IntCase{"yes", std::nullopt}));

}  // namespace
