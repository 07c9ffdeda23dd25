#include "stamp/stamp.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "base/error.h"
#include "editor/core/memory_settings_view.h"
#include "editor/core/resource_compile.h"
#include "editor/core/resource_directive.h"
#include "editor/core/vri_keys.h"
#include "editor/core/vri_settings.h"

namespace stamp {
namespace {

using base::Error;
using base::FormatText;

constexpr int32_t kCopyBlock = 64 * 1024;
const char kShown[] = "    ";  // in front of the text --dry-run shows

// Records the keys a save writes, for --dry-run.
class RecordedIni final : public editor::IniFile {
 public:
  std::string ReadString(const std::string&, const std::string&, const std::string& def) override { return def; }
  void WriteString(const std::string&, const std::string& key, const std::string& value) override {
    lines.push_back(key + "=" + value);
  }
  std::vector<std::string> lines{std::string("[") + editor::kVriSection + "]"};
};

void CopyRange(SourceFile& file, int32_t from, int32_t to) {
  std::vector<char> block(kCopyBlock);
  for (int32_t at = from; at < to;) {
    const int32_t read = file.Read(at, block.data(), std::min(kCopyBlock, to - at));
    if (read <= 0) break;
    file.Write(block.data(), static_cast<size_t>(read));
    at += read;
  }
}

// Increments the field of the file version, and of the product version with `product`;
// a box at 255 refuses before any is changed.
void Bump(editor::MemorySettingsView& view, int field, bool product) {
  struct Box {
    int index;
    const char* version;
  };
  std::vector<Box> boxes{{editor::kFileVersionBox + field, "ﾌｧｲﾙ ﾊﾞｰｼﾞｮﾝ"}};
  if (product) boxes.push_back({editor::kProductVersionBox + field, "製品ﾊﾞｰｼﾞｮﾝ"});
  for (const Box& box : boxes) {
    if (editor::SpinValue(view.SpinText(box.index)) >= editor::kSpinMax) {
      throw Error(std::string(box.version) + "の " + kVersionFieldNames[field] +
                  " は 255 です。これ以上増やせないため、何も書きませんでした");
    }
  }
  for (const Box& box : boxes) view.SetSpinValue(box.index, editor::SpinValue(view.SpinText(box.index)) + 1);
}

void ShowLines(const Ports& ports, const std::string& text) {
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    ports.out(kShown + text.substr(start, end - start));
  }
}

// The compiler's command line, built before anything is written.
std::string CompileCommand(const Options& options, const Ports& ports, const std::string& script) {
  const std::string compiler = options.compiler ? *options.compiler : ports.hostCompiler();
  if (compiler.empty()) {
    throw Error("ﾘｿｰｽｺﾝﾊﾟｲﾗが見つかりません (Delphi 2.0 がｲﾝｽﾄｰﾙされていません)。--compiler で指定します");
  }
  try {
    return editor::CompilerCommandLine(compiler, script);
  } catch (const Error&) {
    throw Error("ﾊﾟｽに \" を含むﾘｿｰｽｺﾝﾊﾟｲﾗやｽｸﾘﾌﾟﾄは使えません");
  }
}

// Starts the compiler and waits for it; 0 once the compiled resource exists.
int Compile(const Ports& ports, const std::string& commandLine, const std::string& resource) {
  const CompilerEnd end = ports.runCompiler(commandLine);
  switch (end.kind) {
    case CompilerEnd::Kind::NotStarted:
      throw Error("ﾘｿｰｽｺﾝﾊﾟｲﾗを起動できません (ｴﾗｰ " + std::to_string(end.code) + "): " + commandLine);
    case CompilerEnd::Kind::NotAwaitable:
      throw Error("ﾘｿｰｽｺﾝﾊﾟｲﾗの終了を待てません: " + commandLine);
    case CompilerEnd::Kind::Exited:
      break;
  }
  if (end.code != 0) {
    ports.err(std::string(kProgramName) + ": ﾘｿｰｽｺﾝﾊﾟｲﾗが終了ｺｰﾄﾞ " + std::to_string(end.code) + " で終わりました");
    return static_cast<int>(end.code);
  }
  if (!ports.fileExists(resource)) throw Error(FormatText("ﾘｿｰｽｺﾝﾊﾟｲﾗは %s を作りませんでした", resource));
  ports.out(resource);
  return kExitDone;
}

int Stamp(const Options& options, const Ports& ports) {
  const std::string project = ports.fullPath(options.project);
  if (!ports.fileExists(project)) throw Error(FormatText("%s が見つかりません", project));
  const std::string vri = base::VriFileName(project, ports.lead);

  // The window's creation: initial values, its script path, then the VRI file if any.
  editor::MemorySettingsView view;
  view.SetScriptPath(editor::InitialScriptPath(project, ports.lead));
  if (ports.fileExists(vri)) {
    editor::LoadSettings(*ports.openIni(vri), view, project, ports.lead);
  } else if (!options.allowNew) {
    // A build must not silently ship version 1.0.0.0.
    throw Error(FormatText("ﾊﾞｰｼﾞｮﾝ情報ﾌｧｲﾙ %s がありません。初期値で始めるには --new を指定します", vri));
  }
  for (const TextSetting& setting : options.sets) view.SetText(setting.field, setting.value);
  if (options.bump) Bump(view, *options.bump, options.bumpProduct);

  const std::string script = options.script.value_or(view.GetScriptPath());
  if (script.empty()) throw Error("ｽｸﾘﾌﾟﾄのﾊﾟｽが空です。VRI ﾌｧｲﾙの ResourceName か --script で指定します");
  if (editor::ScriptPathNamesProjectSource(script, {project, ports.currentDirectory, ports.lead})) {
    throw Error(FormatText("ｽｸﾘﾌﾟﾄのﾊﾟｽ %s はﾌﾟﾛｼﾞｪｸﾄのｿｰｽを指しています", script));
  }
  const std::string commandLine = options.compile ? CompileCommand(options, ports, script) : "";
  std::unique_ptr<SourceFile> source;
  editor::SourceEdit edit;
  if (options.updateSource) {
    source = ports.openSource(project);
    edit = editor::PlanSourceEdit(
        view.Checked(editor::CheckField::IncludeVerInfo), script, ports.lead,
        [&source](int32_t position, char* buffer, int32_t count) { return source->Read(position, buffer, count); });
  }
  // Nothing is written before this point, so every refusal above leaves the files alone.

  if (options.bump || !options.sets.empty()) {
    if (options.dryRun) {
      RecordedIni recorded;
      editor::SaveSettings(recorded, view);
      ports.out(vri);
      for (const std::string& line : recorded.lines) ports.out(kShown + line);
    } else {
      editor::SaveSettings(*ports.openIni(vri), view);
      ports.out(vri);
    }
  }

  const editor::VersionSettings settings = editor::ReadSettings(view);
  if (options.dryRun) {
    ports.out(script);
    ShowLines(ports, editor::VersionScriptText(settings));
  } else {
    try {
      editor::WriteVersionScript(script, settings, ports.writeScript);
    } catch (const base::IoError& e) {
      throw Error(FormatText("%s に書き込めません: ", script) + e.what());
    }
    ports.out(script);
  }

  if (options.compile) {
    const std::string resource = base::ChangeFileExt(script, ".RES", ports.lead);
    if (options.dryRun) {
      ports.out(resource);
      ports.out(kShown + commandLine);
    } else if (const int code = Compile(ports, commandLine, resource); code != kExitDone) {
      return code;  // the project source is left as it was
    }
  }

  if (edit.kind != editor::SourceEdit::Kind::None) {
    const std::string backup = BackupFileName(project, ports.lead);
    if (!options.dryRun) {
      WriteEditedText(*source, edit);
      source->Commit(backup);
    }
    ports.out(backup);
    ports.out(project);
    if (options.dryRun) {
      const bool insert = edit.kind == editor::SourceEdit::Kind::Insert;
      ports.out(kShown + std::to_string(edit.position) + (insert ? ": + " : ": - ") +
                editor::ResourceDirective(script, ports.lead));
    }
  }
  return kExitDone;
}

}  // namespace

std::string BackupFileName(const std::string& path, base::LeadByteTest lead) {
  const std::string stem = base::ChangeFileExt(path, "", lead);
  const std::string extension = path.substr(stem.size());
  std::string kept;
  // Two characters after the dot; a double-byte character is one.
  for (size_t i = 1, characters = 0; i < extension.size() && characters < 2; ++characters) {
    const size_t size = lead(static_cast<unsigned char>(extension[i])) && i + 1 < extension.size() ? 2 : 1;
    kept += extension.substr(i, size);
    i += size;
  }
  return stem + ".~" + kept;
}

void WriteEditedText(SourceFile& file, const editor::SourceEdit& edit) {
  CopyRange(file, 0, edit.position);
  file.Write(edit.inserted.data(), edit.inserted.size());
  CopyRange(file, edit.position + edit.removed, INT32_MAX);
}

int Run(const Options& options, const Ports& ports) {
  try {
    return Stamp(options, ports);
  } catch (const std::exception& e) {
    ports.err(std::string(kProgramName) + ": " + e.what());
    return kExitFailed;
  }
}

}  // namespace stamp
