// The sixteen keys of the VRI file, once: each key's name, kind, control, field of
// `VersionSettings`, the value shown without a VRI file and the value loading takes when
// the key is missing. Loading, saving, reading the controls and the initial values all
// go through this table in its order, which is the stored order.
#pragma once
#include <cstdint>
#include <string>

#include "base/ansi_path.h"
#include "editor/core/settings_view.h"
#include "editor/core/version_settings.h"

namespace editor {

enum class VriKind {
  Boolean,  // a check box; stored "1" or "0"
  Version,  // four spin boxes; stored as four numbers joined by ", "
  Text,     // an edit; stored verbatim
  Index,    // a drop-down list's selection; stored in decimal, -1 for none
  Path,     // the window's script path; stored verbatim
};

// Where the value loading takes for a missing key comes from.
enum class VriMissing {
  Given,                    // `missing`
  ProjectWithoutExtension,  // the project file name with its extension removed
  CurrentScriptPath,        // the script path shown before loading
};

struct VriKey {
  const char* name;
  VriKind kind;
  // By kind: a CheckField, the first of four spin boxes, a TextField, a ListField; the
  // path has no control of its own.
  int control;
  // The field of `VersionSettings`: the one of the kind's type is set.
  bool VersionSettings::*flag;
  VersionQuad VersionSettings::*quad;
  std::string VersionSettings::*text;
  int32_t VersionSettings::*index;
  // Stored forms. `initial` of the path is the file name put after the project's folder.
  const char* initial;
  const char* missing;
  VriMissing missingFrom;
};

constexpr int kVriKeyCount = 16;
extern const VriKey kVriKeys[kVriKeyCount];

// A key's value in `settings` as it is stored.
std::string StoredValue(const VriKey& key, const VersionSettings& settings);

// The script path of a project without a VRI file: its folder followed by "Version.rc".
std::string InitialScriptPath(const std::string& projectFileName, base::LeadByteTest lead);

}  // namespace editor
