// The shipped help file in Wine's own viewer: the 索引 button opens the index, whose list
// holds the source's keywords; a keyword chosen shows its topic; << and >> step from a
// field's topic to its neighbours in the window's order.
#include <gtest/gtest.h>
#include <windows.h>
#include <prsht.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#include "tests/win32/help_viewer.h"
#include "tests/win32/ui_script.h"
#include "tests/win32/win_temp_dir.h"

namespace {

using testsupport::WaitFor;

using testsupport::HelpViewer;

constexpr int kIndexButtonId = 501;
constexpr int kIndexListId = 0x151;

struct Search {
  std::function<bool(HWND)> match;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (!search->match(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND ChildOf(HWND parent, const std::function<bool(HWND)>& match) {
  Search search{match};
  if (parent) EnumChildWindows(parent, &MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// The index list, in a window of the viewer's process other than the viewer itself.
HWND IndexList() {
  DWORD viewerProcess = 0;
  GetWindowThreadProcessId(HelpViewer(), &viewerProcess);
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process != viewerProcess || w == HelpViewer() || !IsWindowVisible(w)) continue;
    if (HWND list = ChildOf(w, [](HWND c) { return GetDlgCtrlID(c) == kIndexListId; })) return list;
  }
  return nullptr;
}

std::vector<std::wstring> ListItems(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

// The keywords of the help source, read on their own from its "@keywords" lines.
std::set<std::wstring> SourceKeywords() {
  std::istringstream source(testsupport::ReadWholeFile(TALLOWIN_HELP_SOURCE));
  std::set<std::wstring> keywords;
  for (std::string line; std::getline(source, line);) {
    if (line.rfind("@keywords ", 0) != 0) continue;
    std::istringstream list(line.substr(10));
    for (std::string keyword; std::getline(list, keyword, ';');) {
      keyword = keyword.substr(keyword.find_first_not_of(' '));
      keyword = keyword.substr(0, keyword.find_last_not_of(" \r") + 1);
      std::wstring wide(keyword.size(), L'\0');
      wide.resize(MultiByteToWideChar(CP_UTF8, 0, keyword.data(), static_cast<int>(keyword.size()), wide.data(),
                                      static_cast<int>(wide.size())));
      keywords.insert(wide);
    }
  }
  return keywords;
}

bool Shows(int topic) {
  return testsupport::Squeezed(testsupport::HelpViewerText()) ==
         testsupport::Squeezed(testsupport::HelpSourceText(TALLOWIN_HELP_SOURCE, topic));
}

// The browse button whose caption holds `arrows` ("<<" or ">>").
HWND BrowseButton(const wchar_t* arrows) {
  return ChildOf(HelpViewer(), [arrows](HWND c) { return TextOf(c).find(arrows) != std::wstring::npos; });
}

TEST(ShippedHelp, TheIndexOpensKeywordsTopicsAndBrowsingStepsThroughTheFields) {
  testsupport::WinTempDir dir("help index");
  const std::string file = dir / "Quelvar.hlp";
  ASSERT_TRUE(CopyFileA(TALLOWIN_SHIPPED "/Quelvar.hlp", file.c_str(), FALSE));
  const struct QuitViewer {
    const std::string& file;
    ~QuitViewer() {
      WaitFor([] { return HelpViewer() != nullptr; }, 10);  // one still starting would stay
      if (HelpViewer()) WinHelpA(nullptr, file.c_str(), HELP_QUIT, 0);
      WaitFor([] { return HelpViewer() == nullptr; }, 30);
    }
  } quitViewer{file};
  // The viewer opened on the file itself, as a user opens a .hlp file: Wine runs a file's
  // config macros (BrowseButtons) in a window made for it, and WinHelpA's own start makes
  // an empty window first, which it then reuses.
  ASSERT_GT(WinExec(("winhlp32.exe \"" + file + "\"").c_str(), SW_SHOWNORMAL), 31u);
  ASSERT_TRUE(WaitFor([] { return HelpViewer() != nullptr; }, 30));
  ASSERT_TRUE(WaitFor([&] { return Shows(1) || (WinHelpA(nullptr, file.c_str(), HELP_CONTEXT, 1), Shows(1)); }, 30))
      << HelpViewer() << ": " << testsupport::Narrow(testsupport::HelpViewerText());

  // << and >> on the file version's numbers (12) step to its text (13) and to the check box
  // (11). Each step starts from the topic asked for afresh: Wine's viewer runs the file's
  // macros (BrowseButtons) inside another macro (Next(), Prev(), the index's Finder()) not
  // at all, so the page a button or the index opened has no browse buttons of its own.
  const struct {
    const wchar_t* button;
    int topic;
  } steps[] = {{L">>", 13}, {L"<<", 11}};
  for (const auto& step : steps) {
    WinHelpA(nullptr, file.c_str(), HELP_CONTEXT, 12);
    HWND button = nullptr;
    ASSERT_TRUE(WaitFor([&] { return Shows(12) && (button = BrowseButton(step.button)) != nullptr; }, 30))
        << testsupport::Narrow(step.button);
    EXPECT_TRUE(IsWindowEnabled(button));
    PostMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return Shows(step.topic); }, 30))
        << "after " << testsupport::Narrow(step.button) << ": " << testsupport::Narrow(testsupport::HelpViewerText());
  }

  HWND indexButton = ChildOf(HelpViewer(), [](HWND c) { return GetDlgCtrlID(c) == kIndexButtonId; });
  ASSERT_NE(indexButton, nullptr);
  PostMessageW(indexButton, BM_CLICK, 0, 0);  // the index is a modal sheet: posted, not sent
  HWND list = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (list = IndexList()) != nullptr; }, 30));
  const std::vector<std::wstring> items = ListItems(list);
  EXPECT_EQ(std::set<std::wstring>(items.begin(), items.end()), SourceKeywords());
  EXPECT_EQ(items.size(), SourceKeywords().size()) << "each keyword once";
  char shots[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TALLOWIN_SCREENSHOTS", shots, sizeof shots)) {
    HWND sheet = GetParent(GetParent(list));
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageTimeoutW(sheet, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);  // painted once it answers
    testsupport::SaveWindowImage(sheet, std::string(shots) + "\\help-index.bmp");
  }

  // A keyword of one topic: "ﾋﾞﾙﾄﾞ番号" is the file version's numbers, topic 12 (the
  // viewer shows topic 11 after the browsing above).
  const auto chosen = std::find(items.begin(), items.end(), std::wstring(L"\uFF8B\uFF9E\uFF99\uFF84\uFF9E\u756A\u53F7"));
  ASSERT_NE(chosen, items.end());
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(chosen - items.begin()), 0);
  PostMessageW(GetParent(GetParent(list)), PSM_PRESSBUTTON, PSBTN_OK, 0);
  EXPECT_TRUE(WaitFor([] { return Shows(12); }, 30)) << testsupport::Narrow(testsupport::HelpViewerText());
  EXPECT_EQ(testsupport::HelpViewerCaption(), testsupport::HelpSourceCaption(TALLOWIN_HELP_SOURCE));
  EXPECT_EQ(IndexList(), nullptr);
}

}  // namespace
