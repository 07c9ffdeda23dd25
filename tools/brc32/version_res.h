// The resource compiler stand-in's compiler proper: a version script (one VERSIONINFO
// resource, code page 932 text) in, the bytes of its .RES file out. No Windows here: the
// code page conversion is handed in, so the same code runs natively and in brc32.exe.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brc32 {

// Code page 932 bytes to UTF-16; nothing when they are no text of that code page.
using Cp932Decoder = std::function<std::optional<std::u16string>(std::string_view bytes)>;

struct ScriptError {
  int line;  // 1-based
  std::string message;
};

// The .RES file of the script (its first resource, then the VERSIONINFO), or the
// first error. It reads what our version scripts hold and refuses everything else:
// `id VERSIONINFO`, the FILEVERSION, PRODUCTVERSION, FILEFLAGSMASK, FILEFLAGS, FILEOS,
// FILETYPE and FILESUBTYPE statements (numbers, VOS_NT_WINDOWS32 and the VFT_
// constants), BLOCK "StringFileInfo" with one string table of VALUEs, and
// BLOCK "VarFileInfo" with one VALUE and its pairs of numbers.
struct Compiled {
  std::string res;
  std::optional<ScriptError> error;
};
Compiled CompileVersionScript(std::string_view script, const Cp932Decoder& decode);

// The script of a command line without the program name: the one argument that is no
// option (an option begins with '-' and is ignored, as "-r" is); nothing when there
// is none or more than one.
std::optional<std::string> ScriptArgument(const std::vector<std::string>& args);

}  // namespace brc32
