#include "stamp/options.h"

#include <cstring>

#include "editor/core/ini_text.h"
#include "editor/core/vri_keys.h"
#include "editor/core/vri_settings.h"

namespace stamp {

const char kProgramName[] = "TalloVer";
const char* const kVersionFieldNames[kVersionFieldCount] = {"major", "minor", "release", "build"};

namespace {

const struct {
  const char* name;
  bool Options::*field;
} kFlags[] = {{"--compile", &Options::compile},
              {"--update-source", &Options::updateSource},
              {"--new", &Options::allowNew},
              {"--dry-run", &Options::dryRun},
              {"--product", &Options::bumpProduct}};

// Options that take a value, given as "--name value" or "--name=value".
enum class Valued { Bump, Set, Script, Compiler };
const struct {
  const char* name;
  Valued option;
} kValued[] = {
    {"--bump", Valued::Bump}, {"--set", Valued::Set}, {"--script", Valued::Script}, {"--compiler", Valued::Compiler}};

// The keys --set takes, joined by ", "; with `lineWidth`, broken into lines that long at most.
std::vector<std::string> TextKeyNames(size_t lineWidth = std::string::npos) {
  std::vector<std::string> lines(1);
  for (const editor::VriKey& key : editor::kVriKeys) {
    if (key.kind != editor::VriKind::Text) continue;
    std::string& line = lines.back();
    if (!line.empty() && line.size() + 2 + std::strlen(key.name) > lineWidth) {
      line += ",";
      lines.emplace_back();
    } else if (!line.empty()) {
      line += ", ";
    }
    lines.back() += key.name;
  }
  return lines;
}

// The key is matched, and the value read back, as loading reads the VRI file: the value
// must come back unchanged (one line, no blanks at its ends, not in enclosing quotes, no
// longer than loading reads).
TextSetting ParseSet(const std::string& argument) {
  const size_t equals = argument.find('=');
  if (equals == std::string::npos) throw UsageError("--set はｷｰ=値 の形で指定します: " + argument);
  const std::string key = argument.substr(0, equals);
  const std::string value = argument.substr(equals + 1);
  editor::IniText stored("", std::string("[") + editor::kVriSection + "]\r\n" + argument + "\r\n");
  const char notThere[] = "\n";  // no value read from a line holds a line feed
  for (const editor::VriKey& vriKey : editor::kVriKeys) {
    if (vriKey.kind != editor::VriKind::Text) continue;
    const std::string read = stored.ReadString(editor::kVriSection, vriKey.name, notThere);
    if (read == notThere) continue;
    if (read != value || value.find('\r') != std::string::npos) {
      throw UsageError("--set " + key +
                       ": この値は VRI ﾌｧｲﾙに保存すると変わってしまいます (改行、前後の空白、値を囲む引用符、"
                       "1023 ﾊﾞｲﾄを超える長さは保存できません)");
    }
    // The script writes texts as they are, so a quote would end its string there.
    if (value.find('"') != std::string::npos) {
      throw UsageError("--set " + std::string(vriKey.name) +
                       ": 値に \" は使えません (ﾊﾞｰｼﾞｮﾝ情報ｽｸﾘﾌﾟﾄの文字列がそこで終わってしまいます)");
    }
    return {static_cast<editor::TextField>(vriKey.control), vriKey.name, value};
  }
  throw UsageError("--set で変えられるのは " + TextKeyNames()[0] + " です: " + key);
}

int ParseField(const std::string& name) {
  for (int i = 0; i < kVersionFieldCount; ++i) {
    if (name == kVersionFieldNames[i]) return i;
  }
  throw UsageError("--bump には major, minor, release, build のいずれかを指定します: " + name);
}

// A second value would silently replace the first.
void TakeOnce(std::optional<std::string>& field, const char* name, const std::string& value) {
  if (field) throw UsageError(std::string(name) + " は 1 回だけ指定できます");
  field = value;
}

void Take(Options& options, Valued option, const char* name, const std::string& value) {
  switch (option) {
    case Valued::Bump:
      if (options.bump) throw UsageError("--bump は 1 回だけ指定できます");
      options.bump = ParseField(value);
      break;
    case Valued::Set: {
      TextSetting setting = ParseSet(value);
      for (const TextSetting& earlier : options.sets) {
        if (earlier.key == setting.key) throw UsageError("--set " + setting.key + " が 2 回指定されています");
      }
      options.sets.push_back(std::move(setting));
      break;
    }
    case Valued::Script:
      TakeOnce(options.script, name, value);
      break;
    case Valued::Compiler:
      TakeOnce(options.compiler, name, value);
      break;
  }
}

// A forgotten value must not swallow the next option. A path may begin with a single '-',
// so only "--..." and the short help names count; "--name=--value" still takes such a value.
bool LooksLikeAnOption(const std::string& arg) { return arg.compare(0, 2, "--") == 0 || arg == "-h" || arg == "/?"; }

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  std::vector<std::string> projects;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = !optionsEnded && ((arg.size() > 1 && arg[0] == '-') || arg == "/?");
    if (!isOption) {
      projects.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h" || arg == "/?") {
      options.mode = Options::Mode::Help;
    } else if (arg == "--version") {
      if (options.mode == Options::Mode::Run) options.mode = Options::Mode::Version;
    } else {
      const size_t equals = arg.find('=');
      const std::string name = arg.substr(0, equals);
      bool known = false;
      for (const auto& flag : kFlags) {
        if (equals == std::string::npos && name == flag.name) known = options.*flag.field = true;
      }
      for (const auto& valued : kValued) {
        if (known || name != valued.name) continue;
        known = true;
        if (equals != std::string::npos) {
          Take(options, valued.option, valued.name, arg.substr(equals + 1));
        } else if (i + 1 >= args.size()) {
          throw UsageError(arg + " には値が必要です");
        } else if (LooksLikeAnOption(args[i + 1])) {
          throw UsageError(arg + " には値が必要です: " + args[i + 1] + " はｵﾌﾟｼｮﾝとみなします (値にするには " + arg +
                           "=" + args[i + 1] + " と指定します)");
        } else {
          Take(options, valued.option, valued.name, args[++i]);
        }
      }
      if (!known) throw UsageError("不明なｵﾌﾟｼｮﾝです: " + arg);
    }
  }
  if (options.mode != Options::Mode::Run) return options;
  if (projects.size() != 1) {
    throw UsageError(projects.empty() ? "ﾌﾟﾛｼﾞｪｸﾄのﾒｲﾝｿｰｽﾌｧｲﾙ (.dpr) を指定します"
                                      : "ﾌﾟﾛｼﾞｪｸﾄのﾒｲﾝｿｰｽﾌｧｲﾙは 1 つだけ指定します: " + projects[1]);
  }
  options.project = projects[0];
  if (options.bumpProduct && !options.bump) throw UsageError("--product は --bump と一緒に指定します");
  if (options.compiler && !options.compile) throw UsageError("--compiler は --compile と一緒に指定します");
  return options;
}

std::vector<std::string> HelpLines() {
  std::vector<std::string> lines = {
      std::string("使い方: ") + kProgramName + " [ｵﾌﾟｼｮﾝ] ﾌﾟﾛｼﾞｪｸﾄ.dpr",
      "",
      "ﾌﾟﾛｼﾞｪｸﾄのﾊﾞｰｼﾞｮﾝ情報ﾌｧｲﾙ (ﾌﾟﾛｼﾞｪｸﾄ.vri) から、ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽの [ｺﾝﾊﾟｲﾙ] と",
      "同じﾊﾞｰｼﾞｮﾝ情報ｽｸﾘﾌﾟﾄを ResourceName に書き出します。",
      "",
      "  --bump ﾌｨｰﾙﾄﾞ     ﾌｧｲﾙ ﾊﾞｰｼﾞｮﾝの major, minor, release, build のどれかを",
      "                    1 増やし、VRI ﾌｧｲﾙに保存します (255 は増やせません)",
      "  --product         --bump で製品ﾊﾞｰｼﾞｮﾝの同じﾌｨｰﾙﾄﾞも増やします",
      "  --set ｷｰ=値       文字列の項目を変えて VRI ﾌｧｲﾙに保存します。ｷｰ:",
  };
  for (const std::string& keys : TextKeyNames(56)) lines.push_back("                    " + keys);
  for (const char* line : {
           "  --new             VRI ﾌｧｲﾙがなければ、ｴﾗｰにせず初期値 (1.0.0.0) で始めます",
           "  --script ﾊﾟｽ      ｽｸﾘﾌﾟﾄを ResourceName ではなくこのﾊﾟｽに書きます",
           "  --compile         ﾘｿｰｽｺﾝﾊﾟｲﾗ brc32.exe でｺﾝﾊﾟｲﾙし、終わるまで待ちます",
           "  --compiler ﾊﾟｽ    使うﾘｿｰｽｺﾝﾊﾟｲﾗ (既定: ｲﾝｽﾄｰﾙされた Delphi 2.0 の brc32.exe)",
           "  --update-source   ﾌﾟﾛｼﾞｪｸﾄのｿｰｽの {$R ...} を IncludeVerInfo に合わせます",
           "                    (元のﾌｧｲﾙは ﾌﾟﾛｼﾞｪｸﾄ.~dp として残します)",
           "  --dry-run         何も書かずに、書く内容を表示します",
           "  --help            この説明を表示します",
           "  --version         このﾌﾟﾛｸﾞﾗﾑのﾊﾞｰｼﾞｮﾝを表示します",
           "",
           "書いたﾌｧｲﾙは 1 行に 1 つ標準出力に、",
           "ﾒｯｾｰｼﾞとｺﾝﾊﾟｲﾗの出力は標準ｴﾗｰ出力に出します。",
           "相対ﾊﾟｽはｶﾚﾝﾄ ﾌｫﾙﾀﾞから見ます (ﾌﾟﾛｼﾞｪｸﾄのﾌｫﾙﾀﾞで実行してください)。",
           "終了ｺｰﾄﾞ: 0 完了、1 ｺﾏﾝﾄﾞ ﾗｲﾝの誤り、2 入力やﾌｧｲﾙのｴﾗｰ、",
           "          ｺﾝﾊﾟｲﾙに失敗したときはｺﾝﾊﾟｲﾗの終了ｺｰﾄﾞ",
       }) {
    lines.push_back(line);
  }
  return lines;
}

}  // namespace stamp
