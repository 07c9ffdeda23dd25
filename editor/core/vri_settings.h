// Loading and saving the version settings: the VRI file (section "Version", sixteen keys)
// against the setting controls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/host_intf.h"
#include "base/ansi_path.h"
#include "editor/core/ini_file.h"
#include "editor/core/settings_view.h"

namespace editor {

extern const char kVriSection[];  // "Version"

// The numbers of a version text such as "1, 2, 3, 4", in order, up to the first piece
// that is not a number (at most four).
std::vector<int32_t> SplitVersionText(std::string text);

// Splits "1, 2, 3, 4" into four spin boxes from `firstBox` on; stops silently at the first
// piece that is not a number, leaving the remaining boxes as they were.
void SplitVersion(const std::string& text, SettingsView& view, int firstBox);

// The four numbers joined by `separator`.
std::string JoinVersion(const VersionQuad& quad, const char* separator);

// Reads the keys of the file into the view in their stored order (vri_keys.h); missing
// keys take their defaults. `projectFileName` gives the default internal name.
void LoadSettings(IniFile& ini, SettingsView& view, const std::string& projectFileName,
                  base::LeadByteTest lead);

// Writes every key in order, then clears the view's modified flag. A failed write leaves
// the keys written before it in the file and the flag set.
void SaveSettings(IniFile& ini, SettingsView& view);

// The VRI file of the project open in the host now: saves always go there.
std::string CurrentVriFileName(TIHostServices& services, base::LeadByteTest lead);

}  // namespace editor
