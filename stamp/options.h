// The batch program's command line: what to do, on which project.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "editor/core/settings_view.h"

namespace stamp {

extern const char kProgramName[];  // "TalloVer", in messages

// A command line that cannot be run; the message says why.
class UsageError : public base::Error {
 public:
  using base::Error::Error;
};

// The names of the version fields --bump takes, in box order.
constexpr int kVersionFieldCount = 4;
extern const char* const kVersionFieldNames[kVersionFieldCount];  // major, minor, release, build

struct TextSetting {
  editor::TextField field;
  std::string key;  // the VRI key as stored
  std::string value;
};

struct Options {
  enum class Mode { Run, Help, Version };
  Mode mode = Mode::Run;
  std::string project;  // the project's main source file, as given
  std::optional<std::string> script;
  std::optional<std::string> compiler;
  bool compile = false;
  bool updateSource = false;
  bool allowNew = false;
  bool dryRun = false;
  std::optional<int> bump;  // index into kVersionFieldNames
  bool bumpProduct = false;
  std::vector<TextSetting> sets;
};

// The arguments after the program's name. Raises UsageError.
Options ParseOptions(const std::vector<std::string>& args);

// What --help prints, one text a line.
std::vector<std::string> HelpLines();

}  // namespace stamp
