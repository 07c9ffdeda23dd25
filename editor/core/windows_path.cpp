#include "editor/core/windows_path.h"

#include <vector>

namespace editor {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool HasDrive(std::string_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }

bool IsUnc(std::string_view path) { return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]); }

// The pieces between separators; a separator that is the second byte of a double-byte
// character is part of its piece.
std::vector<std::string> Pieces(std::string_view text, base::LeadByteTest lead) {
  std::vector<std::string> pieces(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      pieces.back() += text.substr(i, 2);
      ++i;
    } else if (IsSeparator(text[i])) {
      pieces.emplace_back();
    } else {
      pieces.back() += text[i];
    }
  }
  return pieces;
}

// Where the last character of `text` ends that is not one of the single bytes `dropped`.
size_t EndWithout(std::string_view text, std::string_view dropped, base::LeadByteTest lead) {
  size_t end = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      end = ++i + 1;
    } else if (dropped.find(text[i]) == std::string_view::npos) {
      end = i + 1;
    }
  }
  return end;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && EqualIgnoringCase(text.substr(0, head.size()), head);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && EqualIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

// The root of an absolute path ("X:" or "\\server\share") and the length it takes.
std::pair<std::string, size_t> Root(std::string_view path, base::LeadByteTest lead) {
  if (HasDrive(path)) return {std::string(path.substr(0, 2)), 2};
  if (!IsUnc(path)) return {std::string(), 0};
  const std::vector<std::string> pieces = Pieces(path.substr(2), lead);
  std::string root = "\\\\" + pieces[0];
  size_t length = 2 + pieces[0].size();
  if (pieces.size() > 1) {
    root += "\\" + pieces[1];
    length += 1 + pieces[1].size();
  }
  return {root, length};
}

// `path` made absolute against `currentDirectory`, not yet normalised.
std::string Absolute(std::string_view path, std::string_view currentDirectory, base::LeadByteTest lead) {
  const std::string cwd(currentDirectory);
  if (IsUnc(path)) return std::string(path);
  if (HasDrive(path)) {
    if (path.size() > 2 && IsSeparator(path[2])) return std::string(path);
    // "X:name" is relative to drive X's current folder: ours when it is on that drive,
    // else (the process keeps no other) the drive's root.
    const bool sameDrive = HasDrive(cwd) && FoldAscii(cwd[0]) == FoldAscii(path[0]);
    return (sameDrive ? cwd : std::string(path.substr(0, 2))) + "\\" + std::string(path.substr(2));
  }
  if (cwd.empty()) return std::string(path);
  if (!path.empty() && IsSeparator(path[0])) return Root(cwd, lead).first + std::string(path);
  return cwd + "\\" + std::string(path);
}

}  // namespace

std::string FullWindowsPath(std::string_view path, std::string_view currentDirectory, base::LeadByteTest lead) {
  if (path.substr(0, 4) == "\\\\?\\") {
    const std::string_view literal = path.substr(4);
    return StartsWithIgnoringCase(literal, "UNC\\") ? "\\\\" + std::string(literal.substr(4))
                                                    : std::string(literal);
  }
  const std::string absolute = Absolute(path, currentDirectory, lead);
  const auto [root, rootLength] = Root(absolute, lead);
  std::vector<std::string> pieces = Pieces(std::string_view(absolute).substr(rootLength), lead);
  const bool endsWithSeparator = pieces.size() > 1 && pieces.back().empty();
  std::vector<std::string> kept;
  for (std::string& piece : pieces) {
    if (piece.empty() || piece == ".") continue;
    if (piece == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    // One trailing period goes ("name." is "name"); two or more stay.
    const size_t end = EndWithout(piece, ".", lead);
    if (end + 1 == piece.size()) piece.pop_back();
    kept.push_back(std::move(piece));
  }
  if (!endsWithSeparator && !kept.empty()) {
    std::string& last = kept.back();
    last.resize(EndWithout(last, ". ", lead));
    // The file's unnamed data stream is the file itself.
    if (EndsWithIgnoringCase(last, "::$DATA")) last.resize(last.size() - 7);
    if (last.empty()) kept.pop_back();
  }
  std::string result = root;
  for (const std::string& piece : kept) result += (result.empty() && root.empty() ? "" : "\\") + piece;
  if (kept.empty() || endsWithSeparator) result += "\\";
  return result;
}

bool SameWindowsPath(std::string_view a, std::string_view b, base::LeadByteTest lead) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

bool NamesSameFile(std::string_view path, std::string_view existingFile, std::string_view currentDirectory,
                   base::LeadByteTest lead) {
  return SameWindowsPath(FullWindowsPath(path, currentDirectory, lead),
                         FullWindowsPath(existingFile, currentDirectory, lead), lead);
}

}  // namespace editor
