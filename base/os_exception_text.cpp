#include "base/os_exception.h"

namespace base {
namespace {

struct NamedException {
  uint32_t code;
  const char* name;
};

const NamedException kNames[] = {
    {kAccessViolationCode, "ｱｸｾｽ違反"},
    {kStackOverflowCode, "ｽﾀｯｸｵｰﾊﾞｰﾌﾛｰ"},
    {0xC0000094, "整数の 0 除算"},
    {0xC000008E, "浮動小数点の 0 除算"},
    {0xC000001D, "不正な命令"},
    {0xC0000096, "特権命令"},
    {kLanguageExceptionCode, "例外"},
};

}  // namespace

bool IsCaughtOsException(uint32_t code) {
  if (code == kLanguageExceptionCode) return true;
  if (code == kStackOverflowCode) return false;
  return (code & 0xC0000000) == 0xC0000000;
}

std::string OsExceptionText(uint32_t code, const std::string& languageMessage, FaultSite site) {
  if (code == kLanguageExceptionCode && !languageMessage.empty()) return languageMessage;
  const char* name = "例外";
  for (const NamedException& named : kNames) {
    if (named.code == code) name = named.name;
  }
  // Eight hexadecimal digits, as the system shows exception codes (no printf: its
  // formatter would weigh more than the rest of the guard).
  std::string hex(8, '0');
  for (int i = 7; i >= 0; --i, code >>= 4) hex[static_cast<size_t>(i)] = "0123456789ABCDEF"[code & 0xF];
  return std::string(site == FaultSite::Host ? "ﾎｽﾄの処理中に" : "") + name + "が発生しました (例外ｺｰﾄﾞ " + hex + ")";
}

}  // namespace base
