#include "tools/hlpc/source_checks.h"

#include <cstdio>
#include <map>
#include <string>

#include "tools/hlpc/context_hash.h"
#include "tools/hlpc/keyword_index.h"
#include "tools/hlpc/system_files.h"

namespace hlpc {
namespace {

std::string Quote(const std::string& s) { return "'" + s + "'"; }

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

struct Named {
  std::string context;
  int line;
};

class Checker {
 public:
  Checker(Cp932Encoder& encoder, Diagnostics& diagnostics) : encoder_(encoder), diagnostics_(diagnostics) {}

  void Check(const HelpSource& source) {
    for (const Topic& topic : source.topics) Register(topic);
    for (const Topic& topic : source.topics) {
      for (const Paragraph& paragraph : topic.body) {
        for (const Piece& piece : paragraph.pieces) {
          if (piece.kind == Piece::Kind::kJumpStart && !Knows(piece.target)) {
            Report(piece.line, "jump to unknown context string " + Quote(piece.target));
          }
        }
      }
    }
    CheckKeywords(source);
    CheckBrowse(source);
    if (source.contents && !Knows(source.contents->value)) {
      Report(source.contents->line, "@contents names no topic: " + Quote(source.contents->value));
    }
    if (source.caption) {
      const auto caption = encoder_.TryEncode(source.caption->value);
      if (caption && caption->size() > kCaptionSize) {
        Report(source.caption->line, "@caption is " + std::to_string(caption->size()) +
                                         " bytes in code page 932; a window caption holds at most " +
                                         std::to_string(kCaptionSize));
      }
    }
  }

 private:
  void Register(const Topic& topic) {
    const auto title = encoder_.TryEncode(topic.title);
    // The contents file writes "title=CONTEXT": a title ending in the byte 0x5C (a trail
    // byte such as that of "ソ") would make it "\=", a literal '='.
    if (title && !title->empty() && title->back() == '\\') {
      Report(topic.line, "topic title ends in the byte 0x5C, which the contents file would read as an escape");
    }
    if (title && title->size() > kTitleSize) {
      Report(topic.line, "topic title is " + std::to_string(title->size()) + " bytes in code page 932; at most " +
                             std::to_string(kTitleSize));
    }
    if (topic.number) {
      const auto [known, added] = numbers_.emplace(*topic.number, topic.line);
      if (!added) {
        Report(topic.line, "context number " + std::to_string(*topic.number) + " already used at line " +
                               std::to_string(known->second));
      }
    }
    // WinHelp knows a topic by the hash alone: equal hashes would make two topics one.
    const uint32_t hash = ContextHash(topic.context);
    const auto [known, added] = hashes_.emplace(hash, Named{topic.context, topic.line});
    if (added) return;
    if (known->second.context == topic.context) {
      Report(topic.line, "context string " + Quote(topic.context) + " already used at line " +
                             std::to_string(known->second.line));
    } else {
      Report(topic.line, "context strings " + Quote(known->second.context) + " (line " +
                             std::to_string(known->second.line) + ") and " + Quote(topic.context) +
                             " have the same hash " + Hex(hash));
    }
  }

  // WinHelp's index ignores letter case: keywords that differ in case alone would be one
  // entry there and two here. The same keyword in several topics is one entry with several.
  void CheckKeywords(const HelpSource& source) {
    std::map<std::string, Keyword> byFolded;
    for (const Topic& topic : source.topics) {
      for (const Keyword& keyword : topic.keywords) {
        const auto encoded = encoder_.TryEncode(keyword.text);
        if (!encoded) continue;  // reported with its line
        const auto [known, added] = byFolded.emplace(FoldKeyword(*encoded), keyword);
        if (!added && known->second.text != keyword.text) {
          Report(keyword.line, "keywords " + Quote(known->second.text) + " (line " +
                                   std::to_string(known->second.line) + ") and " + Quote(keyword.text) +
                                   " differ only in letter case, which WinHelp's index ignores");
        }
      }
    }
  }

  void CheckBrowse(const HelpSource& source) {
    std::map<uint32_t, int> seen;
    for (const Directive& entry : source.browse) {
      if (!Knows(entry.value)) {
        Report(entry.line, "@browse names no topic: " + Quote(entry.value));
        continue;
      }
      const auto [known, added] = seen.emplace(ContextHash(entry.value), entry.line);
      if (!added) {
        Report(entry.line, "@browse names " + Quote(entry.value) + " twice (first at line " +
                               std::to_string(known->second) + ")");
      }
    }
  }

  // By hash, as WinHelp resolves them: letters match without regard to case.
  bool Knows(const std::string& context) const { return hashes_.count(ContextHash(context)) != 0; }

  void Report(int line, std::string message) { diagnostics_.push_back({line, std::move(message)}); }

  Cp932Encoder& encoder_;
  Diagnostics& diagnostics_;
  std::map<uint32_t, int> numbers_;
  std::map<uint32_t, Named> hashes_;
};

}  // namespace

void CheckSource(const HelpSource& source, Cp932Encoder& encoder, Diagnostics& diagnostics) {
  Checker(encoder, diagnostics).Check(source);
}

}  // namespace hlpc
