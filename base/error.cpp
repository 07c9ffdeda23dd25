#include "base/error.h"

namespace base {

std::string IoErrorText(int code) {
  switch (code) {
    case 3:  // path not found: the folder does not exist
      return "不正なﾌｧｲﾙ名です";
    case 5:
      return "ﾌｧｲﾙへのｱｸｾｽが拒否されました";
    default:
      return "I/O ｴﾗｰ (" + std::to_string(code) + ")";
  }
}

IoError::IoError(int code) : Error(IoErrorText(code)), code_(code) {}

std::string FormatText(std::string_view format, std::string_view argument) {
  std::string result(format);
  const size_t at = result.find("%s");
  if (at != std::string::npos) result.replace(at, 2, argument);
  return result;
}

}  // namespace base
