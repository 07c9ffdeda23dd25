// The inline markup of one paragraph: **bold**, [text](CONTEXT) jumps, backslash escapes
// and the joining of its source lines. A bracket that opens no "[text](" is text, and so is
// a single '*', a parenthesis outside a link target, and a backslash before any character
// but \ * [ ] ( ).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tools/hlpc/help_source.h"

namespace hlpc {

struct ParagraphLine {
  int number = 0;
  std::string text;         // without leading and trailing blanks and without the break mark
  bool breakAfter = false;  // the line ended in a single '\'
};

// Lines are joined with one blank when the characters meeting at the join are both
// ASCII (and neither is a blank), with nothing otherwise: Japanese puts no space between
// words. Adds a diagnostic and gives nullopt for bad markup.
std::optional<Paragraph> ParseParagraph(const std::vector<ParagraphLine>& lines, Diagnostics& diagnostics);

}  // namespace hlpc
