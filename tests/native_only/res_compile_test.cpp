// The resource compiler stand-in's compiler against windres: for the version scripts the
// window writes, and for what else such a script may hold, the .RES bytes are windres's
// byte for byte (windres compiling the script as UTF-8 with winver.h, as the build's own
// resources are compiled), and the values read back are the settings. A broken script is
// refused with its line.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "editor/core/version_script.h"
#include "tests/support/golden.h"
#include "tests/support/version_resource.h"
#include "tools/brc32/version_res.h"

namespace {

namespace fs = std::filesystem;

std::optional<std::string> Iconv(const char* to, const char* from, std::string_view bytes) {
  iconv_t cd = iconv_open(to, from);
  std::string in(bytes), out(bytes.size() * 4 + 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t srcLeft = in.size(), dstLeft = out.size();
  const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

std::optional<std::u16string> FromCp932(std::string_view bytes) {
  const auto utf16 = Iconv("UTF-16LE", "CP932", bytes);
  if (!utf16) return std::nullopt;
  std::u16string text;
  for (size_t i = 0; i + 1 < utf16->size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>((*utf16)[i]) |
                                  static_cast<unsigned char>((*utf16)[i + 1]) << 8);
  }
  return text;
}

// windres's .RES for a code page 932 script; empty when it refuses the script.
std::string WindresRes(const std::string& script) {
  static int made = 0;
  const fs::path dir = fs::temp_directory_path() /
                       ("tallowin-res-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
  fs::create_directories(dir);
  std::ofstream(dir / "in.rc", std::ios::binary) << "#include <winver.h>\n" << Iconv("UTF-8", "CP932", script).value();
  const std::string command = "i686-w64-mingw32-windres -c 65001 -J rc -O res -i '" + (dir / "in.rc").string() +
                              "' -o '" + (dir / "out.res").string() + "' 2>/dev/null";
  const bool compiled = std::system(command.c_str()) == 0;
  const std::string res = compiled ? testsupport::ReadFileBytes((dir / "out.res").string()) : "";
  fs::remove_all(dir);
  return res;
}

std::string Compile(const std::string& script) {
  const brc32::Compiled compiled = brc32::CompileVersionScript(script, FromCp932);
  EXPECT_FALSE(compiled.error) << compiled.error->line << ": " << compiled.error->message;
  return compiled.res;
}

struct SettingsCase {
  const char* what;
  void (*change)(editor::VersionSettings&);
  // What the compiled resource holds instead, where the script's text is read by the
  // resource compiler's rules (the window writes the texts unescaped).
  void (*read)(editor::VersionSettings&);
};

class ScriptOfSettings : public testing::TestWithParam<SettingsCase> {};

TEST_P(ScriptOfSettings, CompilesAsWindresAndHoldsTheSettings) {
  editor::VersionSettings s;
  s.FileVersion = {1, 2, 0, 5};
  s.ProductVersion = {3, 4, 255, 0};
  s.Description = "ソフト表示の説明 {x}";  // second bytes 0x5C and braces
  s.CompanyName = "Orbelane";
  s.OriginalName = "Sample.exe";
  s.InternalName = "Sample";
  s.ProductName = "製品";
  s.Comment = "コメント";
  GetParam().change(s);
  const std::string script = editor::VersionScriptText(s);

  const std::string res = Compile(script);
  EXPECT_EQ(res, WindresRes(script)) << GetParam().what;
  const auto parsed = testsupport::ParseVersionRes(res);
  ASSERT_TRUE(parsed) << GetParam().what;
  if (GetParam().read) GetParam().read(s);
  EXPECT_EQ(testsupport::CompareWithSettings(*parsed, s), "") << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptOfSettings,
    testing::Values(SettingsCase{"japanese", [](editor::VersionSettings&) {}, nullptr},
                    SettingsCase{"english", [](editor::VersionSettings& s) { s.Translation = 1; }, nullptr},
                    SettingsCase{"version texts", [](editor::VersionSettings& s) {
                      s.FileVerView = "1.2 β";
                      s.ProductVerView = "表";
                    }, nullptr},
                    SettingsCase{"no comment, dll", [](editor::VersionSettings& s) {
                      s.IncludeComment = false;
                      s.FileType = 1;
                    }, nullptr},
                    SettingsCase{"static lib, all empty", [](editor::VersionSettings& s) {
                      s = editor::VersionSettings{};
                      s.CopyRight.clear();
                      s.FileType = 5;
                    }, nullptr},
                    SettingsCase{"a backslash and a doubled quote",
                                 [](editor::VersionSettings& s) {
                                   s.Description = "C:\\Work\\tab \"\"q\"\" ソ\\";
                                   s.ProductName = "\\x41\\101\\\\";
                                 },
                                 [](editor::VersionSettings& s) {
                                   s.Description = "C:\\Work\tab \"q\" ソ\\000";  // \\000 read as \ and 000
                                   s.ProductName = "AA\\";
                                 }}));

// Scripts that differ from the initial one in one place: what else a version script may
// hold, each compiled as windres compiles it.
struct VariantCase {
  const char* what;
  const char* from;
  const char* to;
};

std::string InitialWith(const VariantCase& c) {
  std::string script = testsupport::ReadGolden("Version_initial.rc");
  const size_t at = script.find(c.from);
  EXPECT_NE(at, std::string::npos) << c.what;
  return at == std::string::npos ? script : script.replace(at, std::string(c.from).size(), c.to);
}

class ScriptVariant : public testing::TestWithParam<VariantCase> {};

TEST_P(ScriptVariant, CompilesAsWindres) {
  const std::string script = InitialWith(GetParam());
  const std::string windres = WindresRes(script);
  ASSERT_NE(windres, "") << GetParam().what << ": windres refuses it";
  EXPECT_EQ(Compile(script), windres) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptVariant,
    testing::Values(
        VariantCase{"initial", "", ""},
        VariantCase{"driver", "VFT_APP", "VFT_DRV"},
        VariantCase{"font", "VFT_APP", "VFT_FONT"},
        VariantCase{"virtual device", "VFT_APP", "VFT_VXD"},
        VariantCase{"unknown", "VFT_APP", "VFT_UNKNOWN"},
        VariantCase{"numbers", "FILETYPE VFT_APP",
                    "FILETYPE 0x7L\r\nFILESUBTYPE 010\r\nFILEFLAGSMASK 0x3F\r\nFILEFLAGS 1"},
        VariantCase{"a number for the system", "VOS_NT_WINDOWS32", "0x40004"},
        VariantCase{"parts left out", "FILEVERSION 1,0,0,0", "FILEVERSION 65535,7"},
        VariantCase{"another id, BEGIN and END", "1 VERSIONINFO", "2 VERSIONINFO"},
        VariantCase{"BEGIN and END", "{\r\n BLOCK \"StringFileInfo\"", "BEGIN\r\n BLOCK \"StringFileInfo\""},
        VariantCase{"escapes", "\"Copyright (c) 1997 \\000\"",
                    "\"\\a\\b\\f\\n\\r\\t\\v\\\\\\\"\\q\\x4a\\x4\\101\\7\\\x83\x5C\""},
        VariantCase{"joined strings end at the first NUL", "\"Copyright (c) 1997 \\000\"", "\"ab\\000cd\" \"ef\""},
        VariantCase{"double-byte characters", "\"Copyright (c) 1997 \\000\"",
                    "\"\x83\x5C\x95\x5C \x83\x7B\x83\x7D ｱ \x87\x40\""},  // ソ表 ボマ ｱ ①
        VariantCase{"two translations", "1252", "1252, 0x409, 0"},
        VariantCase{"variables first", " BLOCK \"StringFileInfo\"",
                    " BLOCK \"VarFileInfo\"\r\n {\r\n  VALUE \"Translation\", 0x411, 932\r\n }\r\n"
                    " BLOCK \"StringFileInfo\""},
        VariantCase{"no values", "   VALUE \"CompanyName\", \"\\000\"\r\n   VALUE \"FileDescription\", \"\\000\"\r\n",
                    ""}));

struct ErrorCase {
  VariantCase change;
  int line;
  const char* message;
};

class BrokenScript : public testing::TestWithParam<ErrorCase> {};

const std::string kLongValue = "\"" + std::string(33000, 'a') + "\"";  // 66,000 bytes as UTF-16

TEST_P(BrokenScript, IsRefusedWithItsLine) {
  const brc32::Compiled compiled = brc32::CompileVersionScript(InitialWith(GetParam().change), FromCp932);
  ASSERT_TRUE(compiled.error) << GetParam().change.what;
  EXPECT_EQ(compiled.error->line, GetParam().line) << GetParam().change.what;
  EXPECT_EQ(compiled.error->message, GetParam().message) << GetParam().change.what;
  EXPECT_EQ(compiled.res, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenScript,
    testing::Values(
        ErrorCase{{"no file type", "VFT_APP", ""}, 5, "FILETYPE without a value"},
        ErrorCase{{"unknown constant", "VFT_APP", "VFT_APPLET"}, 5, "unknown constant VFT_APPLET"},
        ErrorCase{{"part over 16 bits", "PRODUCTVERSION 1,0,0,0", "PRODUCTVERSION 1,0,65536,0"}, 3,
                  "PRODUCTVERSION: a part over 65535"},
        ErrorCase{{"bad digit", "FILEVERSION 1,0,0,0", "FILEVERSION 1,09,0,0"}, 2, "bad digit '9' in a number"},
        ErrorCase{{"lower-case keyword", "FILEOS", "fileos"}, 4, "'{' expected"},
        ErrorCase{{"unterminated string", "\"Copyright (c) 1997 \\000\"", "\"C:\\Work\\\""}, 17, "unterminated string"},
        ErrorCase{{"no code page 932 text", "\"Copyright (c) 1997 \\000\"", "\"\x81\x20\""}, 17,
                  "a string that is no code page 932 text"},
        ErrorCase{{"a lone quote", "\"Copyright (c) 1997 \\000\"", "\"a\"b\""}, 17, "'}' expected"},
        ErrorCase{{"no comma", "\"CompanyName\", ", "\"CompanyName\" "}, 11, "',' expected"},
        ErrorCase{{"other block", "\"VarFileInfo\"", "\"Other\""}, 22,
                  "BLOCK \"StringFileInfo\" or \"VarFileInfo\" expected"},
        ErrorCase{{"text after the end", "1252\r\n }\r\n}\r\n", "1252\r\n }\r\n}\r\n}\r\n"}, 27,
                  "text after the end of the resource"},
        ErrorCase{{"cut short", "1252\r\n }\r\n}\r\n", "1252\r\n"}, 24, "'}' expected"},
        ErrorCase{{"not a version script", "1 VERSIONINFO", "1 ICON"}, 1, "VERSIONINFO expected"},
        ErrorCase{{"a stray byte", "FILEOS", "\x83\x5C FILEOS"}, 4, "unexpected byte 131"},
        ErrorCase{{"over 64 KiB", "\"Copyright (c) 1997 \\000\"", kLongValue.c_str()}, 1,
                  "VERSIONINFO over 65535 bytes"}));

TEST(BrokenScript, AnEmptyOneIsRefused) {
  const brc32::Compiled compiled = brc32::CompileVersionScript("", FromCp932);
  ASSERT_TRUE(compiled.error);
  EXPECT_EQ(compiled.error->line, 1);
}

// The layout of the .RES file, field by field: windres's choices (language 0x409, no
// memory flags) are this compiler's too.
TEST(ResLayout, HeaderAndVersionInfo) {
  const std::string res = Compile(testsupport::ReadGolden("Version_initial.rc"));
  auto word = [&res](size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(res[at]) | static_cast<unsigned char>(res[at + 1]) << 8);
  };
  auto dword = [&word](size_t at) { return word(at) | word(at + 2) << 16; };
  ASSERT_GT(res.size(), 64u + 92u);
  EXPECT_EQ(res.substr(0, 32), std::string("\0\0\0\0\x20\0\0\0\xFF\xFF\0\0\xFF\xFF\0\0", 16) + std::string(16, '\0'));
  const unsigned dataSize = dword(32);
  EXPECT_EQ(dword(36), 32u);                      // header size
  EXPECT_EQ(dword(40), 0x0010FFFFu);              // type RT_VERSION as a number
  EXPECT_EQ(dword(44), 0x0001FFFFu);              // name 1 as a number
  EXPECT_EQ(dword(48), 0u);                       // data version
  EXPECT_EQ(word(52), 0u);                        // memory flags
  EXPECT_EQ(word(54), 0x0409u);                   // language
  EXPECT_EQ(dword(56) | dword(60), 0u);           // version, characteristics
  EXPECT_EQ(res.size(), (64 + dataSize + 3) / 4 * 4);
  EXPECT_EQ(word(64), dataSize);                  // VS_VERSIONINFO's wLength
  EXPECT_EQ(word(66), 52u);                       // wValueLength: VS_FIXEDFILEINFO
  EXPECT_EQ(word(68), 0u);                        // wType: binary
  EXPECT_EQ(res.substr(70, 32), std::string("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0\0\0", 32));
  EXPECT_EQ(dword(104), 0xFEEF04BDu);             // after padding to 32 bits
}

struct ArgumentCase {
  std::vector<std::string> args;
  const char* script;  // nullptr: a usage error
};

class CommandLine : public testing::TestWithParam<ArgumentCase> {};

TEST_P(CommandLine, NamesOneScript) {
  const auto script = brc32::ScriptArgument(GetParam().args);
  EXPECT_EQ(script.value_or("(none)"), GetParam().script ? GetParam().script : "(none)");
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine,
                         testing::Values(ArgumentCase{{"-r", "C:\\W\\Version.rc"}, "C:\\W\\Version.rc"},
                                         ArgumentCase{{"-v", "V.rc", "-r"}, "V.rc"},
                                         ArgumentCase{{"-r"}, nullptr}, ArgumentCase{{}, nullptr},
                                         ArgumentCase{{"-r", "a.rc", "b.rc"}, nullptr}));

}  // namespace
