// The registry adapter against the real registry: a text value read, any other type
// refused, whatever its length.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "base/error.h"
#include "platform/registry.h"

namespace {

struct ValueCase {
  const char* what;
  std::optional<DWORD> type;  // none: the value is absent
  std::string data;           // stored bytes, as given
  const char* text;           // what is read, or nullptr when reading raises
};

class RegistryValues : public testing::TestWithParam<ValueCase> {
 protected:
  // A key of this test's own under the current user, fresh for every case.
  void SetUp() override {
    static int run = 0;
    path_ = "Software\\Tallowin tests\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++run);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const ValueCase& c = GetParam();
    if (c.type) {
      RegSetValueExA(key, "Delphi 2.0", 0, *c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                     static_cast<DWORD>(c.data.size()));
    }
    RegCloseKey(key);
  }
  void TearDown() override {
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tallowin tests");  // goes once it is empty
  }
  std::string path_;
};

TEST_P(RegistryValues, GiveTheirTextOrTheWrongTypeError) {
  const ValueCase& c = GetParam();
  platform::RegistryKey key(HKEY_CURRENT_USER);
  ASSERT_TRUE(key.Open(path_));
  try {
    const std::string text = key.ReadString("Delphi 2.0");
    EXPECT_NE(c.text, nullptr) << c.what << ": read \"" << text << "\"";
    if (c.text) {
      EXPECT_EQ(text, c.text) << c.what;
    }
  } catch (const base::Error& e) {
    EXPECT_EQ(c.text, nullptr) << c.what << ": raised " << e.what();
    EXPECT_STREQ(e.what(), "'Delphi 2.0' のﾃﾞｰﾀ型が不正です") << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryValues,
    testing::Values(ValueCase{"text", REG_SZ, std::string("C:\\D\\x.exe", 11), "C:\\D\\x.exe"},
                    ValueCase{"text without its NUL", REG_SZ, "C:\\D\\y.exe", "C:\\D\\y.exe"},
                    ValueCase{"expandable text", REG_EXPAND_SZ, std::string("E:\\z", 5), "E:\\z"},
                    ValueCase{"Shift-JIS text", REG_SZ, std::string("C:\\\x95\x5C", 6), "C:\\\x95\x5C"},
                    ValueCase{"no value", std::nullopt, "", ""},
                    ValueCase{"empty text", REG_SZ, "", ""},
                    ValueCase{"empty text with its NUL", REG_SZ, std::string("", 1), ""},
                    ValueCase{"a number", REG_DWORD, std::string("\x01\0\0\0", 4), nullptr},
                    ValueCase{"binary", REG_BINARY, "abc", nullptr},
                    // Empty values of another type are no text either.
                    ValueCase{"an empty number", REG_DWORD, "", nullptr},
                    ValueCase{"empty binary", REG_BINARY, "", nullptr},
                    ValueCase{"empty, no type", REG_NONE, "", nullptr}));

}  // namespace
