// A resource compiler stand-in for the tests, a Windows program so that its end can be
// waited for under Wine: takes "-r SCRIPT", exits with the code in
// TALLOWIN_TEST_COMPILER_EXIT (saying so on standard error unless it is 0), and on 0
// writes SCRIPT's .RES beside it (empty). With TALLOWIN_TEST_COMPILER_MARK naming a file,
// it makes that file last, whatever its arguments, and says nothing: a test that starts
// it unawaited sees from the file that it has run.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Run(int argc, char** argv) {
  const char* exitText = std::getenv("TALLOWIN_TEST_COMPILER_EXIT");
  const int code = exitText ? std::atoi(exitText) : 0;
  if (code != 0 && !std::getenv("TALLOWIN_TEST_COMPILER_MARK")) {
    std::fprintf(stderr, "stand-in compiler: exit %d\n", code);
  }
  if (code != 0 || argc != 3) return code != 0 ? code : 99;
  const std::string script = argv[2];
  const size_t dot = script.rfind('.');
  const std::string resource = (dot == std::string::npos ? script : script.substr(0, dot)) + ".RES";
  HANDLE file = CreateFileA(resource.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 98;
  CloseHandle(file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int code = Run(argc, argv);
  if (const char* mark = std::getenv("TALLOWIN_TEST_COMPILER_MARK")) {
    HANDLE file = CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return code;
}
