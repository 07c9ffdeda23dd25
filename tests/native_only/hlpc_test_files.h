// Scratch folders and runs of the hlpc program for the help compiler's tests.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace hlpctest {

namespace fs = std::filesystem;

// A folder of its own per use, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("tallowin-hlpc-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  fs::path Write(const std::string& name, const std::string& bytes) const {
    const fs::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  // The names in the folder, sorted, each followed by a blank.
  std::string Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names) listing += name + " ";
    return listing;
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct Run {
  int status;  // exit status
  std::string errors;
};

// Runs hlpc SOURCE OUTPUT in `dir`, `environment` put before the command.
inline Run RunHlpc(const ScratchDir& dir, const std::string& source, const std::string& output,
                   const std::string& environment = "") {
  const std::string command = "cd '" + dir.path().string() + "' && " + environment + " '" HLPC_PATH "' " + source +
                              " " + output + " 2>hlpc-errors.log";
  const int raw = std::system(command.c_str());
  Run run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, dir.Read("hlpc-errors.log")};
  fs::remove(dir.path() / "hlpc-errors.log");
  return run;
}

}  // namespace hlpctest
