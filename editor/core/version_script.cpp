#include "editor/core/version_script.h"

#include "editor/core/vri_settings.h"

namespace editor {
namespace {

class ScriptLines {
 public:
  void Line(const std::string& text) { text_ += text + "\r\n"; }
  void Value(const char* name, const std::string& value) {
    Line(std::string("   VALUE \"") + name + "\", \"" + value + "\\000\"");
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

std::string FileTypeText(int32_t index) {
  return index >= 0 && index < kFileTypeCount ? kFileTypeNames[index] : "";
}

std::string VersionText(const std::string& view, const VersionQuad& numbers) {
  return view.empty() ? JoinVersion(numbers, ", ") : view;
}

}  // namespace

std::string VersionScriptText(const VersionSettings& s) {
  ScriptLines out;
  out.Line("1 VERSIONINFO");
  out.Line("FILEVERSION " + JoinVersion(s.FileVersion, ","));
  out.Line("PRODUCTVERSION " + JoinVersion(s.ProductVersion, ","));
  out.Line("FILEOS VOS_NT_WINDOWS32");
  out.Line("FILETYPE " + FileTypeText(s.FileType));
  out.Line("{");
  out.Line(" BLOCK \"StringFileInfo\"");
  out.Line(" {");
  out.Line("  BLOCK \"040904E4\"");
  out.Line("  {");
  out.Value("CompanyName", s.CompanyName);
  out.Value("FileDescription", s.Description);
  out.Value("FileVersion", VersionText(s.FileVerView, s.FileVersion));
  out.Value("ProductVersion", VersionText(s.ProductVerView, s.ProductVersion));
  out.Value("OriginalFilename", s.OriginalName);
  out.Value("InternalName", s.InternalName);
  out.Value("LegalCopyright", s.CopyRight);
  out.Value("ProductName", s.ProductName);
  if (s.IncludeComment) out.Value("Comments", s.Comment);
  out.Line("  }");
  out.Line(" }");
  out.Line(" BLOCK \"VarFileInfo\"");
  out.Line(" {");
  out.Line(std::string("  VALUE \"Translation\", 0x") + (s.Translation == 1 ? "409" : "411") +
           ", 1252");
  out.Line(" }");
  out.Line("}");
  return out.Take();
}

void WriteVersionScript(const std::string& path, const VersionSettings& settings, const FileWriter& writeFile) {
  writeFile(path, VersionScriptText(settings));
}

}  // namespace editor
