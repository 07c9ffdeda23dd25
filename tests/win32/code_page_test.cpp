#include <gtest/gtest.h>
#include <windows.h>

#include "base/ansi_path.h"
#include "platform/lead_byte.h"

namespace {

TEST(CodePage, WineRunsWithTheJapaneseAnsiCodePage) { EXPECT_EQ(GetACP(), 932u); }

TEST(CodePage, SystemLeadBytesAgreeWithTheBuiltInTable) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(platform::IsSystemLeadByte(byte), base::IsCp932LeadByte(byte)) << b;
  }
}

TEST(CodePage, LiteralsAreShiftJis) {
  const char text[] = "ソ";
  ASSERT_EQ(sizeof text, 3u);
  wchar_t wide[2] = {};
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, 2, wide, 2), 1);
  EXPECT_EQ(wide[0], 0x30BD);
}

}  // namespace
