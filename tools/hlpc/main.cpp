// Build tool: compiles a help source (UTF-8 text) into a WinHelp 4.0 file in code page
// 932, for the add-in's Japanese help, on the build machine.
// Usage: hlpc SOURCE.txt OUTPUT.hlp [CONTENTS.cnt] (the contents file for the Contents tab)
// Exit status: 0 written, 1 refused source or file error, 2 usage.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tools/hlpc/compiler.h"

namespace {

std::optional<std::string> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (!in || !(text << in.rdbuf()) || in.bad()) return std::nullopt;
  return text.str();
}

// Reproducible builds give the date through SOURCE_DATE_EPOCH; without it the date is 0,
// which the format reads as "no date".
std::optional<uint32_t> BuildDate() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  if (!value || !*value) return 0;
  uint64_t date = 0;
  for (const char* p = value; *p; ++p) {
    if (*p < '0' || *p > '9' || date > 0xFFFFFFFFULL / 10) return std::nullopt;
    date = date * 10 + static_cast<uint64_t>(*p - '0');
  }
  if (date > 0xFFFFFFFFULL) return std::nullopt;
  return static_cast<uint32_t>(date);
}

// Written under a temporary name and renamed, so that a build stopped half-way leaves no
// file that looks finished.
bool WriteFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!(out << bytes) || !out.flush()) {
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) std::remove(temporary.c_str());
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fputs("usage: hlpc SOURCE.txt OUTPUT.hlp [CONTENTS.cnt]\n", stderr);
    return 2;
  }
  try {
    const std::optional<uint32_t> date = BuildDate();
    if (!date) {
      std::fputs("hlpc: SOURCE_DATE_EPOCH must be a number of seconds from 0 to 4294967295\n", stderr);
      return 2;
    }
    const std::optional<std::string> source = ReadFile(argv[1]);
    if (!source) {
      std::fprintf(stderr, "hlpc: cannot read %s: %s\n", argv[1], std::strerror(errno));
      return 1;
    }
    const hlpc::CompileResult result =
        hlpc::CompileHelp(*source, hlpc::CompileOptions{*date, std::filesystem::path(argv[2]).filename().string()});
    for (const hlpc::Diagnostic& d : result.diagnostics) {
      std::fprintf(stderr, "%s:%d: %s\n", argv[1], d.line, d.message.c_str());
    }
    if (!result.diagnostics.empty()) return 1;
    if (!WriteFile(argv[2], result.file)) {
      std::fprintf(stderr, "hlpc: cannot write %s\n", argv[2]);
      return 1;
    }
    if (argc == 4 && !WriteFile(argv[3], result.contents)) {
      std::fprintf(stderr, "hlpc: cannot write %s\n", argv[3]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hlpc: %s\n", e.what());
    return 1;
  }
  return 0;
}
