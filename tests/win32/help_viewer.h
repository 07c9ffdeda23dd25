// Wine's own help viewer as a test sees it from outside (its window class "MS_WINHELP",
// the topic's text in its rich-edit child), and what the help source says a topic shows.
#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

// The viewer's main window, or null while none is open.
HWND HelpViewer();
// Its caption and the text of the topic it shows, in UTF-16.
std::wstring HelpViewerCaption();
std::wstring HelpViewerText();

// What the topic with `number` shows, read from the UTF-8 help source on its own: its title,
// then its paragraphs with the markup taken out. Empty when the source has no such topic.
std::wstring HelpSourceText(const std::string& sourcePath, int number);
// The "@caption" of the help source.
std::wstring HelpSourceCaption(const std::string& sourcePath);

// The text without blanks and line ends, so that where lines break does not count.
std::wstring Squeezed(const std::wstring& text);
std::string Narrow(const std::wstring& text);  // to UTF-8, for messages

}  // namespace testsupport
