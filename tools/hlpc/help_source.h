// The help source as parsed: directives, topics and their paragraphs, in UTF-8, each
// with the source line it came from.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hlpc {

struct Diagnostic {
  int line;
  std::string message;
};
using Diagnostics = std::vector<Diagnostic>;

// One piece of a paragraph's inline content.
struct Piece {
  enum class Kind { kText, kLineBreak, kJumpStart, kJumpEnd };
  Kind kind = Kind::kText;
  std::string text;    // kText
  bool bold = false;   // kText
  std::string target;  // kJumpStart: the context string jumped to
  int line = 0;
};

struct Paragraph {
  int line = 0;  // its first line
  std::vector<Piece> pieces;
};

// One index entry of a topic, as "@keywords a; b" lists them.
struct Keyword {
  int line = 0;
  std::string text;
};

struct Topic {
  int line = 0;
  std::optional<uint32_t> number;  // its context number, when HELP_CONTEXT may ask for it
  std::string context;
  std::string title;
  std::vector<Paragraph> body;
  std::vector<Keyword> keywords;
};

struct Directive {
  int line = 0;
  std::string value;
};

struct HelpSource {
  std::optional<Directive> title, copyright, caption, contents;
  // The Contents tab's one book (the contents file); the title when not given.
  std::optional<Directive> book;
  // The browse sequence, one context string each, in the order << and >> step through.
  std::vector<Directive> browse;
  std::vector<Topic> topics;
};

}  // namespace hlpc
