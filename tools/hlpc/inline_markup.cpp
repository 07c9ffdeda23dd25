#include "tools/hlpc/inline_markup.h"

#include <cstring>
#include <string_view>

#include "tools/hlpc/context_hash.h"

namespace hlpc {
namespace {

bool IsEscapable(char c) { return std::strchr("\\*[]()", c) != nullptr && c != '\0'; }
bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// A paragraph's pieces while it is read; a join stands between two source lines until
// the characters on both sides are known.
struct Item {
  Piece piece;
  bool join = false;
};

Item TextItem(std::string text, bool bold, int line) {
  Item item;
  item.piece.text = std::move(text);
  item.piece.bold = bold;
  item.piece.line = line;
  return item;
}

Item MarkItem(Piece::Kind kind, int line) {
  Item item;
  item.piece.kind = kind;
  item.piece.line = line;
  return item;
}

bool IsText(const Item& item) { return !item.join && item.piece.kind == Piece::Kind::kText; }

// The visible character next to a join, looking past jump marks: 0 when a line break or
// the paragraph's end comes first.
char Neighbour(const std::vector<Item>& items, size_t join, bool before) {
  size_t i = join;
  while (before ? i-- > 0 : ++i < items.size()) {
    const Item& item = items[i];
    if (item.join || item.piece.kind == Piece::Kind::kLineBreak) return 0;
    if (IsText(item)) return before ? item.piece.text.back() : item.piece.text.front();
  }
  return 0;
}

std::vector<Piece> ResolveJoins(const std::vector<Item>& items) {
  std::vector<Piece> pieces;
  for (size_t i = 0; i < items.size(); ++i) {
    Piece piece = items[i].piece;
    if (items[i].join) {
      const char left = Neighbour(items, i, true);
      const char right = Neighbour(items, i, false);
      if (left == 0 || right == 0 || !IsAscii(left) || !IsAscii(right) || left == ' ' || right == ' ') continue;
      piece.text = " ";
    }
    if (piece.kind == Piece::Kind::kText && !pieces.empty() && pieces.back().kind == Piece::Kind::kText &&
        pieces.back().bold == piece.bold) {
      pieces.back().text += piece.text;
    } else {
      pieces.push_back(std::move(piece));
    }
  }
  return pieces;
}

class ParagraphReader {
 public:
  explicit ParagraphReader(Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

  bool Read(const std::vector<ParagraphLine>& lines) {
    for (size_t n = 0; n < lines.size(); ++n) {
      const ParagraphLine& line = lines[n];
      if (!ReadLine(lines, n)) return false;
      if (n + 1 < lines.size()) {
        if (line.breakAfter) {
          items_.push_back(MarkItem(Piece::Kind::kLineBreak, line.number));
        } else {
          Item join = TextItem("", bold_, line.number);  // becomes " " or nothing
          join.join = true;
          items_.push_back(std::move(join));
        }
      } else if (line.breakAfter) {
        return Fail(line.number, "line break '\\' at the end of a paragraph");
      }
    }
    if (jumpStart_) return Fail(items_[*jumpStart_].piece.line, "link text without its closing ']'");
    if (bold_) return Fail(boldLine_, "'**' (bold) not closed within its paragraph");
    for (const Item& item : items_) {
      if (IsText(item)) return true;
    }
    return Fail(lines.front().number, "paragraph without text");
  }

  std::vector<Item>& items() { return items_; }

 private:
  bool ReadLine(const std::vector<ParagraphLine>& lines, size_t n) {
    const ParagraphLine& line = lines[n];
    const std::string_view s = line.text;
    std::string text;
    const auto flush = [&] {
      if (!text.empty()) items_.push_back(TextItem(std::move(text), bold_, line.number));
      text.clear();
    };
    for (size_t i = 0; i < s.size();) {
      const char c = s[i];
      const char next = i + 1 < s.size() ? s[i + 1] : '\0';
      if (c == '\\' && IsEscapable(next)) {
        text += next;
        i += 2;
      } else if (c == '*' && next == '*') {
        flush();
        bold_ = !bold_;
        boldLine_ = line.number;
        i += 2;
      } else if (c == '[' && OpensLink(lines, n, i + 1)) {
        flush();
        jumpStart_ = items_.size();
        items_.push_back(MarkItem(Piece::Kind::kJumpStart, line.number));
        ++i;
      } else if (c == ']' && jumpStart_) {  // OpensLink saw the '(' after it
        flush();
        if (!HasTextAfter(*jumpStart_)) return Fail(line.number, "link without text");
        const size_t close = s.find(')', i + 2);
        if (close == std::string_view::npos) return Fail(line.number, "link target without its closing ')'");
        const std::string target(s.substr(i + 2, close - i - 2));
        if (!IsContextString(target)) {
          return Fail(line.number, "link target '" + target + "' is no context string (A-Z, a-z, 0-9, '.', '_')");
        }
        items_[*jumpStart_].piece.target = target;
        items_.push_back(MarkItem(Piece::Kind::kJumpEnd, line.number));
        jumpStart_.reset();
        i = close + 1;
      } else {
        text += c;  // markup characters are ASCII: the bytes of other characters pass whole
        ++i;
      }
    }
    flush();
    return true;
  }

  // Whether the '[' before (line n, place i) opens a link: the first bracket after it is a
  // ']' followed by '('. Any other bracket is text, as in [OK] naming a button.
  static bool OpensLink(const std::vector<ParagraphLine>& lines, size_t n, size_t i) {
    for (; n < lines.size(); ++n, i = 0) {
      const std::string& s = lines[n].text;
      for (; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && IsEscapable(s[i + 1])) {
          ++i;
        } else if (s[i] == '[') {
          return false;
        } else if (s[i] == ']') {
          return i + 1 < s.size() && s[i + 1] == '(';
        }
      }
    }
    return false;
  }

  bool HasTextAfter(size_t index) const {
    for (size_t i = index + 1; i < items_.size(); ++i) {
      if (IsText(items_[i])) return true;
    }
    return false;
  }

  bool Fail(int line, std::string message) {
    diagnostics_.push_back({line, std::move(message)});
    return false;
  }

  Diagnostics& diagnostics_;
  std::vector<Item> items_;
  bool bold_ = false;
  int boldLine_ = 0;
  std::optional<size_t> jumpStart_;
};

}  // namespace

std::optional<Paragraph> ParseParagraph(const std::vector<ParagraphLine>& lines, Diagnostics& diagnostics) {
  ParagraphReader reader(diagnostics);
  if (lines.empty() || !reader.Read(lines)) return std::nullopt;
  Paragraph paragraph;
  paragraph.line = lines.front().number;
  paragraph.pieces = ResolveJoins(reader.items());
  return paragraph;
}

}  // namespace hlpc
