#include "tools/hlpc/source_parser.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/hlpc/context_hash.h"
#include "tools/hlpc/inline_markup.h"

namespace hlpc {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kHeaderForm = "a topic header reads '# [NUMBER] CONTEXT TITLE'";
constexpr uint32_t kLargestNumber = 0x7FFFFFFF;  // numbers stay positive whether a reader compares signed or not

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string_view NextToken(std::string_view& rest) {
  rest = Trim(rest);
  const size_t end = rest.find(' ');
  const std::string_view token = rest.substr(0, end);
  rest.remove_prefix(token.size());
  return token;
}

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string Quote(std::string_view s) { return "'" + std::string(s) + "'"; }

class SourceReader {
 public:
  SourceReader(Cp932Encoder& encoder, Diagnostics& diagnostics) : encoder_(encoder), diagnostics_(diagnostics) {}

  HelpSource Read(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    int number = 0;
    while (!text.empty()) {
      const size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ReadLine(++number, line);
    }
    EndTopic();
    if (source_.topics.empty()) Report(1, "the source has no topic");
    return std::move(source_);
  }

 private:
  void ReadLine(int number, std::string_view line) {
    if (!line.empty() && line.front() == ';') return;
    CheckCharacters(number, line);
    if (!line.empty() && line.front() == '#') {
      StartTopic(number, line);
    } else if (!line.empty() && line.front() == '@' && DirectiveName(line) == "keywords") {
      if (!inTopic_) return Report(number, "@keywords outside a topic: it goes below a topic header");
      ReadKeywords(number, line);
    } else if (!line.empty() && line.front() == '@' && (!inTopic_ || IsDirectiveName(DirectiveName(line)))) {
      if (inTopic_) {
        Report(number, "directive @" + std::string(DirectiveName(line)) + " after the first topic");
      } else {
        ReadDirective(number, line);
      }
    } else if (Trim(line).empty()) {
      EndParagraph();
    } else if (!inTopic_) {
      if (!textBeforeTopicReported_) Report(number, "text before the first topic");
      textBeforeTopicReported_ = true;
    } else {
      AddParagraphLine(number, line);
    }
  }

  // One report per line: the first character that cannot go into the file.
  void CheckCharacters(int number, std::string_view line) {
    for (std::string_view rest = line; !rest.empty();) {
      const auto c = DecodeUtf8(rest);
      if (!c) return Report(number, "malformed UTF-8");
      if (c->value == '\t') return Report(number, "tab character (write blanks)");
      if (c->value < 0x20 || c->value == 0x7F) return Report(number, "control character " + CodePointName(c->value));
      const Cp932Encoder::Form& form = encoder_.Lookup(c->value);
      if (form.readBack != c->value) {
        std::string message = "character " + CodePointName(c->value) + " (" + std::string(rest.substr(0, c->size)) +
                              ") has no code page 932 form";
        if (form.readBack != 0) message += "; " + CodePointName(form.readBack) + " is the nearest";
        return Report(number, message);
      }
      rest.remove_prefix(c->size);
    }
  }

  static std::string_view DirectiveName(std::string_view line) {
    line.remove_prefix(1);
    return line.substr(0, line.find(' '));
  }

  static bool IsDirectiveName(std::string_view name) {
    return name == "title" || name == "copyright" || name == "caption" || name == "contents" || name == "book" ||
           name == "browse";
  }

  // "@keywords a; b; c": the topic's index entries, separated by ';' (as WinHelp's own
  // K footnotes are), blanks around each dropped. Any line of the topic may hold some.
  void ReadKeywords(int number, std::string_view line) {
    if (!topic_) return;  // a malformed header: its topic is dropped, and reported
    std::string_view rest = line.substr(1 + std::string_view("keywords").size());
    for (;;) {
      const size_t end = rest.find(';');
      const std::string keyword(Trim(rest.substr(0, end)));
      if (keyword.empty()) {
        Report(number, "a keyword with no text (in '@keywords a; b', ';' stands between two keywords)");
      } else {
        const auto given = std::find_if(topic_->keywords.begin(), topic_->keywords.end(),
                                        [&](const Keyword& k) { return k.text == keyword; });
        if (given != topic_->keywords.end()) {
          Report(number, "keyword " + Quote(keyword) + " given twice in topic " + Quote(topic_->context) +
                             " (first at line " + std::to_string(given->line) + ")");
        } else {
          topic_->keywords.push_back({number, keyword});
        }
      }
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }

  // "@browse CONTEXT ...": the browse sequence; further lines go on with it.
  void ReadBrowse(int number, std::string_view value) {
    if (value.empty()) return Report(number, "directive @browse needs context strings");
    for (std::string_view rest = value; !Trim(rest).empty();) {
      const std::string_view context = NextToken(rest);
      if (!IsContextString(context)) {
        Report(number, "@browse needs context strings (A-Z, a-z, 0-9, '.', '_'), not " + Quote(context));
        continue;
      }
      source_.browse.push_back(Directive{number, std::string(context)});
    }
  }

  void ReadDirective(int number, std::string_view line) {
    const std::string name(DirectiveName(line));
    const std::string_view value = Trim(line.substr(1 + name.size()));
    if (name == "browse") return ReadBrowse(number, value);
    std::optional<Directive>* slot = name == "title"       ? &source_.title
                                     : name == "copyright" ? &source_.copyright
                                     : name == "caption"   ? &source_.caption
                                     : name == "contents"  ? &source_.contents
                                     : name == "book"      ? &source_.book
                                                           : nullptr;
    if (!slot) return Report(number, "unknown directive @" + name);
    if (*slot) {
      return Report(number, "directive @" + name + " given twice (first at line " + std::to_string((*slot)->line) + ")");
    }
    if (value.empty()) return Report(number, "directive @" + name + " needs a value");
    if (name == "contents" && !IsContextString(value)) {
      return Report(number, "@contents needs a context string (A-Z, a-z, 0-9, '.', '_'), not " + Quote(value));
    }
    *slot = Directive{number, std::string(value)};
  }

  void StartTopic(int number, std::string_view line) {
    EndTopic();
    inTopic_ = true;
    if (line.size() < 2 || line[1] != ' ') return Report(number, kHeaderForm);
    std::string_view rest = line.substr(1);
    std::string_view first = NextToken(rest);
    Topic topic;
    topic.line = number;
    if (IsDigits(first)) {
      uint64_t value = 0;
      for (char c : first) value = value > kLargestNumber ? value : value * 10 + static_cast<uint64_t>(c - '0');
      if (value > kLargestNumber) {
        return Report(number, "context number " + std::string(first) + " is out of range (0 to 2147483647)");
      }
      topic.number = static_cast<uint32_t>(value);
      first = NextToken(rest);
    }
    if (first.empty()) return Report(number, kHeaderForm);
    if (!IsContextString(first)) {
      return Report(number, "context string " + Quote(first) + " may hold only A-Z, a-z, 0-9, '.' and '_'");
    }
    topic.context = std::string(first);
    topic.title = std::string(Trim(rest));
    if (topic.title.empty()) return Report(number, "topic " + Quote(first) + " has no title");
    topic_ = std::move(topic);
  }

  void AddParagraphLine(int number, std::string_view line) {
    line = Trim(line);
    size_t backslashes = 0;
    while (backslashes < line.size() && line[line.size() - 1 - backslashes] == '\\') ++backslashes;
    const bool lineBreak = backslashes % 2 == 1;
    if (lineBreak) line = Trim(line.substr(0, line.size() - 1));
    paragraph_.push_back({number, std::string(line), lineBreak});
  }

  void EndParagraph() {
    if (paragraph_.empty()) return;
    bodySeen_ = true;
    auto parsed = ParseParagraph(paragraph_, diagnostics_);
    if (parsed && topic_) topic_->body.push_back(std::move(*parsed));
    paragraph_.clear();
  }

  // A malformed header leaves no topic: its body lines are dropped with it.
  void EndTopic() {
    EndParagraph();
    const bool bodySeen = bodySeen_;
    bodySeen_ = false;
    if (!topic_) return;
    // (A body whose paragraphs were all refused has had its reports already.)
    if (!bodySeen) Report(topic_->line, "topic " + Quote(topic_->context) + " has no body text");
    source_.topics.push_back(std::move(*topic_));
    topic_.reset();
  }

  void Report(int line, std::string message) { diagnostics_.push_back({line, std::move(message)}); }

  Cp932Encoder& encoder_;
  Diagnostics& diagnostics_;
  HelpSource source_;
  std::optional<Topic> topic_;
  std::vector<ParagraphLine> paragraph_;
  bool inTopic_ = false;
  bool textBeforeTopicReported_ = false;
  bool bodySeen_ = false;
};

}  // namespace

HelpSource ParseSource(std::string_view text, Cp932Encoder& encoder, Diagnostics& diagnostics) {
  return SourceReader(encoder, diagnostics).Read(text);
}

}  // namespace hlpc
