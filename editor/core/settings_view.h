// The setting controls of the editor window as the settings logic sees them, so that the
// same logic runs against real controls and against a view held in memory.
#pragma once
#include <cstdint>
#include <string>

#include "editor/core/version_settings.h"

namespace editor {

enum class CheckField { IncludeVerInfo, IncludeComment };
enum class TextField {
  FileVerView,
  Description,
  CopyRight,
  CompanyName,
  OriginalName,
  ProductVerView,
  ProductName,
  InternalName,
  Comment
};
enum class ListField { FileType, Translation };

// Spin boxes 0 to 3 hold the file version, 4 to 7 the product version.
constexpr int kFileVersionBox = 0;
constexpr int kProductVersionBox = 4;
constexpr int kSpinBoxCount = 8;
constexpr int32_t kSpinMin = 0;
constexpr int32_t kSpinMax = 255;

class SettingsView {
 public:
  virtual bool Checked(CheckField field) const = 0;
  virtual void SetChecked(CheckField field, bool checked) = 0;
  virtual std::string SpinText(int box) const = 0;
  // Shows the value clamped to 0 to 255.
  virtual void SetSpinValue(int box, int32_t value) = 0;
  virtual std::string Text(TextField field) const = 0;
  virtual void SetText(TextField field, const std::string& text) = 0;
  // -1 when no entry is selected.
  virtual int32_t ItemIndex(ListField field) const = 0;
  // An index outside the list leaves no entry selected.
  virtual void SetItemIndex(ListField field, int32_t index) = 0;
  virtual std::string GetScriptPath() const = 0;
  virtual void SetScriptPath(const std::string& path) = 0;
  virtual void SetModified(bool modified) = 0;

 protected:
  ~SettingsView() = default;
};

// A spin box's value read: its text by the integer text rule, or 0 when not a number.
int32_t SpinValue(const std::string& text);
int32_t ClampSpin(int32_t value);
// The text a spin box shows after its value is set.
std::string SpinTextFor(int32_t value);
int32_t ListCount(ListField field);

// The values the view shows now, as the version script and the save read them.
VersionSettings ReadSettings(const SettingsView& view);

// Shows `settings` in the view: check boxes, spin boxes, edits, selections, script path.
void ShowSettings(const VersionSettings& settings, SettingsView& view);

}  // namespace editor
