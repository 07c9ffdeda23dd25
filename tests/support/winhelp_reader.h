// Reads a WinHelp 4.0 file the way Wine 8's viewer does (programs/winhlp32/hlpfile.c):
// the file header, the directory searched as a B+ tree, the |SYSTEM records, the topic
// chain of |TOPIC, and HELP_CONTEXT's path from a context number through |CTXOMAP to the
// page with the largest TOPICOFFSET not above the target. Texts stay code page 932 bytes.
// Structural faults raise std::runtime_error; the reader shares no code with the compiler.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct HelpWindow {
  uint16_t flags = 0;
  std::string type, name, caption;
};

struct HelpSystem {
  uint16_t magic = 0, minor = 0, major = 0, flags = 0;
  uint32_t date = 0;
  std::vector<uint16_t> recordTypes;  // in file order
  std::optional<std::string> title, copyright;
  std::optional<uint32_t> contents;  // TOPICOFFSET
  std::vector<HelpWindow> windows;
  std::optional<uint16_t> lcid;
  std::optional<uint8_t> charset;  // the first data byte, all a viewer reads
  std::optional<std::string> defaultFont;
  std::optional<uint8_t> defaultFontPoints, defaultFontCharset;
  std::vector<std::string> macros;  // record 4: run when the file opens
};

struct HelpKeyword {
  std::string text;               // code page 932
  std::vector<uint32_t> offsets;  // TOPICOFFSETs from |KWDATA
};

struct HelpFont {
  std::string face;
  uint8_t attributes = 0;  // 1 bold, 2 italic, 4 underline
  uint8_t halfPoints = 0;
  uint8_t family = 0;
};

struct TopicBlockHeader {
  uint32_t lastLink, firstLink, lastTopicHeader;
};

// A topic header as the viewer lists it while it walks the chain.
struct HelpPage {
  uint32_t offset = 0;    // TOPICOFFSET, counted as the viewer counts it
  uint32_t position = 0;  // TOPICPOS of the header link
  std::string title;      // the header link's second data field
  uint32_t blockSize = 0, browseBack = 0, browseForward = 0, number = 0, nonScroll = 0, scroll = 0, nextTopic = 0;
};

struct HelpRun {
  std::string text;
  uint16_t font = 0;
  std::optional<uint32_t> jump;  // the context hash of the hotspot the run lies in
};

struct HelpParagraph {
  std::vector<HelpRun> runs;
  std::string Text() const;  // the runs' texts; a line break (0x81) reads as '\n'
};

struct HelpHotspot {
  uint32_t hash;
  std::string text;
};

struct HelpTopic {
  HelpPage page;
  std::vector<HelpParagraph> paragraphs;
  std::vector<HelpHotspot> hotspots;
  std::string Text() const;  // the paragraphs, each ended by '\n'
};

class WinHelpFile {
 public:
  explicit WinHelpFile(std::string bytes);
  static WinHelpFile Load(const std::string& path);

  // The directory's names as its leaves hold them, in order.
  std::vector<std::string> FileNames() const;
  // An internal file's data (after its 9-byte header), found as the viewer finds it.
  std::optional<std::string> File(const std::string& name) const;

  const HelpSystem& System() const { return system_; }
  const std::vector<HelpFont>& Fonts() const { return fonts_; }
  const std::vector<TopicBlockHeader>& TopicBlocks() const { return blocks_; }
  // Every topic header of the chain, the closing empty one included.
  const std::vector<HelpPage>& Pages() const { return pages_; }

  // |CTXOMAP as stored: {context number, TOPICOFFSET}.
  std::vector<std::pair<uint32_t, uint32_t>> ContextMap() const;
  // |CONTEXT's leaves in order: {hash, TOPICOFFSET}.
  std::vector<std::pair<uint32_t, uint32_t>> ContextEntries() const;
  // |TTLBTREE's leaves in order: {TOPICOFFSET, title}.
  std::vector<std::pair<uint32_t, std::string>> TitleEntries() const;
  // The keyword index as the viewer lists it; empty without |KWBTREE.
  std::vector<HelpKeyword> Keywords() const;
  // |KWMAP as stored: {index of the page's first keyword, leaf page}.
  std::vector<std::pair<uint32_t, uint16_t>> KeywordMap() const;
  // The B+ tree header of an internal file: {levels, pages, entries}.
  struct TreeShape {
    uint16_t levels, pages;
    uint32_t entries;
  };
  TreeShape Shape(const std::string& name) const;

  // HELP_CONTEXT: nullopt for a number the file lacks (the viewer then quits).
  std::optional<HelpTopic> TopicByNumber(uint32_t number) const;
  // A jump: |CONTEXT searched as a B+ tree.
  std::optional<HelpTopic> TopicByHash(uint32_t hash) const;
  // The page with the largest TOPICOFFSET not above `offset`, with its text.
  std::optional<HelpTopic> TopicAtOffset(uint32_t offset) const;

 private:
  std::string Internal(uint32_t at) const;
  void ReadSystem();
  void ReadFonts();
  void ReadTopics();
  HelpTopic Render(const HelpPage& page) const;
  size_t LinkAt(uint32_t position) const;  // where the link at a TOPICPOS starts in topicData_

  std::string bytes_;
  HelpSystem system_;
  std::vector<HelpFont> fonts_;
  std::string topicData_;  // the blocks' data without their headers, 4084 bytes each
  std::vector<TopicBlockHeader> blocks_;
  std::vector<HelpPage> pages_;
};

}  // namespace testsupport
