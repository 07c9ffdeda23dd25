#include "tests/win32/help_viewer.h"

#include <cwctype>
#include <sstream>
#include <vector>

#include "tests/win32/win_temp_dir.h"

namespace testsupport {
namespace {

constexpr int kTopicTextId = 0x701;  // the viewer's rich edit

BOOL CALLBACK FindTopicText(HWND child, LPARAM found) {
  if (GetDlgCtrlID(child) != kTopicTextId) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

std::wstring Wide(const std::string& utf8) {
  std::wstring text(utf8.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                  static_cast<int>(text.size())));
  return text;
}

// The source's lines from the topic's "# NUMBER ..." header to the next header.
std::vector<std::string> TopicLines(const std::string& sourcePath, int number) {
  std::istringstream source(ReadWholeFile(sourcePath));
  std::vector<std::string> lines;
  bool inTopic = false;
  for (std::string line; std::getline(source, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("# ", 0) == 0) {
      if (inTopic) break;
      std::istringstream header(line.substr(2));
      int n = -1;
      inTopic = (header >> n) && n == number;
    }
    // Comments and the topic's index entries show nowhere in the topic.
    if (inTopic && line.rfind(";", 0) != 0 && line.rfind("@keywords ", 0) != 0) lines.push_back(line);
  }
  return lines;
}

}  // namespace

HWND HelpViewer() { return FindWindowA("MS_WINHELP", nullptr); }

std::wstring HelpViewerCaption() {
  wchar_t caption[256] = {};
  GetWindowTextW(HelpViewer(), caption, 256);
  return caption;
}

std::wstring HelpViewerText() {
  HWND text = nullptr;
  if (HWND viewer = HelpViewer()) EnumChildWindows(viewer, &FindTopicText, reinterpret_cast<LPARAM>(&text));
  if (!text) return {};
  // Wine answers only when the buffer covers the text's length in code page 932 bytes.
  std::wstring buffer(1 << 16, L'\0');
  const LRESULT length = SendMessageW(text, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<size_t>(length));
  return buffer;
}

std::wstring HelpSourceText(const std::string& sourcePath, int number) {
  const std::vector<std::string> lines = TopicLines(sourcePath, number);
  if (lines.empty()) return {};
  std::istringstream header(lines[0].substr(2));
  std::string ignored, title;
  header >> ignored >> ignored;
  std::getline(header >> std::ws, title);
  // The markup: "\\" before one of \\*[]() makes it plain, a "\\" ending a line breaks it,
  // "**" switches bold, and "[text](CONTEXT)" shows its text; other brackets are plain.
  const std::string special = "\\*[]()";
  std::string text = title;
  bool inJump = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    for (size_t at = 0; at < line.size(); ++at) {
      const char c = line[at];
      const char next = at + 1 < line.size() ? line[at + 1] : '\0';
      if (c == '\\' && next && special.find(next) != std::string::npos) {
        text += line[++at];
      } else if (c == '\\' && !next) {
        // a line break
      } else if (c == '*' && next == '*') {
        ++at;
      } else if (c == '[' && line.find_first_of("[]", at + 1) != std::string::npos &&
                 line[line.find_first_of("[]", at + 1)] == ']' && line.find("](", at) == line.find(']', at)) {
        inJump = true;
      } else if (c == ']' && inJump && next == '(') {
        at = line.find(')', at);
        inJump = false;
      } else {
        text += c;
      }
    }
  }
  return Wide(text);
}

std::wstring HelpSourceCaption(const std::string& sourcePath) {
  std::istringstream source(ReadWholeFile(sourcePath));
  for (std::string line; std::getline(source, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("@caption ", 0) == 0) return Wide(line.substr(9));
  }
  return {};
}

std::wstring Squeezed(const std::wstring& text) {
  std::wstring squeezed;
  for (wchar_t c : text) {
    if (!std::iswspace(c)) squeezed += c;
  }
  return squeezed;
}

std::string Narrow(const std::wstring& text) {
  std::string utf8(text.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                                  static_cast<int>(utf8.size()), nullptr, nullptr));
  return utf8;
}

}  // namespace testsupport
