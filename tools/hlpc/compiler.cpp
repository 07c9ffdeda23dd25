#include "tools/hlpc/compiler.h"

#include <algorithm>
#include <map>

#include "tools/hlpc/contents_file.h"
#include "tools/hlpc/context_files.h"
#include "tools/hlpc/context_hash.h"
#include "tools/hlpc/cp932.h"
#include "tools/hlpc/help_file.h"
#include "tools/hlpc/keyword_index.h"
#include "tools/hlpc/source_checks.h"
#include "tools/hlpc/source_parser.h"
#include "tools/hlpc/system_files.h"
#include "tools/hlpc/topic_section.h"

namespace hlpc {
namespace {

TopicLinkData TitleRecord(const std::string& title) {
  ParagraphBuilder builder(kTitleFont);
  builder.Text(title);
  return builder.Finish();
}

TopicLinkData BodyRecord(const Paragraph& paragraph, Cp932Encoder& encoder) {
  ParagraphBuilder builder(kBodyFont);
  for (const Piece& piece : paragraph.pieces) {
    switch (piece.kind) {
      case Piece::Kind::kText:
        builder.Font(piece.bold ? kBoldFont : kBodyFont);
        builder.Text(encoder.Encode(piece.text));
        break;
      case Piece::Kind::kLineBreak:
        builder.LineBreak();
        break;
      case Piece::Kind::kJumpStart:
        builder.JumpStart(ContextHash(piece.target));
        break;
      case Piece::Kind::kJumpEnd:
        builder.JumpEnd();
        break;
    }
  }
  return builder.Finish();
}

// The topic's title leads its text: viewers show the title of the topic header nowhere in
// the topic itself.
std::vector<TopicRecords> TopicTexts(const HelpSource& source, Cp932Encoder& encoder, Diagnostics& diagnostics) {
  std::vector<TopicRecords> topics;
  std::map<uint32_t, size_t> indexOfHash;
  for (size_t i = 0; i < source.topics.size(); ++i) indexOfHash[ContextHash(source.topics[i].context)] = i;
  for (const Topic& topic : source.topics) {
    TopicRecords records;
    records.title = encoder.Encode(topic.title);
    records.text.push_back(TitleRecord(records.title));
    for (const Paragraph& paragraph : topic.body) {
      records.text.push_back(BodyRecord(paragraph, encoder));
      const size_t size = records.text.back().Size();
      if (size > kTopicBlockDataSize) {
        diagnostics.push_back({paragraph.line, "paragraph too long: " + std::to_string(size) +
                                                   " bytes with its formatting; a topic block holds " +
                                                   std::to_string(kTopicBlockDataSize)});
      }
    }
    topics.push_back(std::move(records));
  }
  // << and >> step along the browse sequence; its ends and the topics outside it have none.
  for (size_t i = 0; i < source.browse.size(); ++i) {
    TopicRecords& topic = topics[indexOfHash.at(ContextHash(source.browse[i].value))];
    if (i > 0) topic.browseBack = indexOfHash.at(ContextHash(source.browse[i - 1].value));
    if (i + 1 < source.browse.size()) topic.browseForward = indexOfHash.at(ContextHash(source.browse[i + 1].value));
  }
  return topics;
}

std::vector<IndexedKeyword> Keywords(const HelpSource& source, const TopicSection& section, Cp932Encoder& encoder) {
  std::map<std::string, IndexedKeyword> byText;
  for (size_t i = 0; i < source.topics.size(); ++i) {
    for (const Keyword& keyword : source.topics[i].keywords) {
      IndexedKeyword& entry = byText[keyword.text];
      entry.text = encoder.Encode(keyword.text);
      entry.offsets.push_back(section.topics[i].offset);
    }
  }
  std::vector<IndexedKeyword> keywords;
  for (auto& [text, entry] : byText) keywords.push_back(std::move(entry));
  return keywords;
}

std::optional<std::string> Encoded(const std::optional<Directive>& directive, Cp932Encoder& encoder) {
  if (!directive) return std::nullopt;
  return encoder.Encode(directive->value);
}

std::string Build(const HelpSource& source, const std::vector<TopicRecords>& texts, const CompileOptions& options,
                  Cp932Encoder& encoder) {
  const TopicSection section = WriteTopicSection(texts);
  std::vector<std::pair<uint32_t, uint32_t>> hashes, numbers;
  std::vector<std::pair<uint32_t, std::string>> titles;
  std::map<uint32_t, uint32_t> offsetOfHash;
  for (size_t i = 0; i < source.topics.size(); ++i) {
    const Topic& topic = source.topics[i];
    const uint32_t offset = section.topics[i].offset;
    hashes.emplace_back(ContextHash(topic.context), offset);
    offsetOfHash[ContextHash(topic.context)] = offset;
    if (topic.number) numbers.emplace_back(*topic.number, offset);
    titles.emplace_back(offset, texts[i].title);
  }

  SystemInfo system;
  system.title = Encoded(source.title, encoder);
  system.copyright = Encoded(source.copyright, encoder);
  system.caption = Encoded(source.caption, encoder);
  system.contentsOffset =
      source.contents ? offsetOfHash.at(ContextHash(source.contents->value)) : section.topics.front().offset;
  system.date = options.date;
  if (!source.browse.empty()) system.macros.push_back("BrowseButtons()");

  std::map<std::string, std::string> files;
  files["|SYSTEM"] = WriteSystemFile(system);
  files["|FONT"] = WriteFontFile();
  files["|TOPIC"] = section.bytes;
  files["|CONTEXT"] = WriteContextFile(std::move(hashes));
  files["|CTXOMAP"] = WriteContextMapFile(std::move(numbers));
  files["|TTLBTREE"] = WriteTitleFile(std::move(titles));
  const std::vector<IndexedKeyword> keywords = Keywords(source, section, encoder);
  if (!keywords.empty()) {  // without a tree the viewer says the file has no index
    KeywordFiles index = WriteKeywordFiles(keywords);
    files["|KWBTREE"] = std::move(index.tree);
    files["|KWDATA"] = std::move(index.data);
    files["|KWMAP"] = std::move(index.map);
  }
  return WriteHelpFile(files);
}

std::string Contents(const HelpSource& source, const std::vector<TopicRecords>& texts, const CompileOptions& options,
                     Cp932Encoder& encoder) {
  ContentsInfo info;
  info.base = options.helpFileName;
  info.title = Encoded(source.title, encoder).value_or(texts.front().title);
  info.book = Encoded(source.book, encoder).value_or(info.title);
  for (size_t i = 0; i < source.topics.size(); ++i) info.topics.emplace_back(texts[i].title, source.topics[i].context);
  return WriteContentsFile(info);
}

}  // namespace

CompileResult CompileHelp(std::string_view text, const CompileOptions& options) {
  CompileResult result;
  Cp932Encoder encoder;
  const HelpSource source = ParseSource(text, encoder, result.diagnostics);
  CheckSource(source, encoder, result.diagnostics);
  if (result.diagnostics.empty()) {
    const std::vector<TopicRecords> texts = TopicTexts(source, encoder, result.diagnostics);
    if (result.diagnostics.empty()) {
      result.file = Build(source, texts, options, encoder);
      result.contents = Contents(source, texts, options, encoder);
    }
  }
  std::stable_sort(result.diagnostics.begin(), result.diagnostics.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
  return result;
}

}  // namespace hlpc
