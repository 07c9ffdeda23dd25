#include "tests/support/winhelp_reader.h"

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

namespace testsupport {
namespace {

constexpr size_t kBlockSize = 4096;
constexpr size_t kBlockDataSize = kBlockSize - 12;
constexpr uint32_t kNone = 0xFFFFFFFF;

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("help file: " + what); }

void Need(const std::string& data, size_t at, size_t size, const char* what) {
  if (at > data.size() || size > data.size() - at) Fail(std::string(what) + " runs past its end");
}

uint8_t U8(const std::string& data, size_t at) {
  Need(data, at, 1, "byte");
  return static_cast<uint8_t>(data[at]);
}

uint16_t U16(const std::string& data, size_t at) {
  Need(data, at, 2, "word");
  return static_cast<uint16_t>(U8(data, at) | U8(data, at + 1) << 8);
}

uint32_t U32(const std::string& data, size_t at) {
  Need(data, at, 4, "long");
  return U16(data, at) | static_cast<uint32_t>(U16(data, at + 2)) << 16;
}

// A NUL-terminated string that must end inside `limit` bytes.
std::string CString(const std::string& data, size_t at, size_t limit, const char* what) {
  Need(data, at, 0, what);
  const size_t end = data.find('\0', at);
  if (end == std::string::npos || end - at >= limit) Fail(std::string(what) + " has no NUL");
  return data.substr(at, end - at);
}

// The packed integers of text records, decoded as Wine's fetch_* functions do.
int32_t FetchLong(const std::string& data, size_t& at) {
  if (U8(data, at) & 1) {
    const uint32_t v = U32(data, at);
    at += 4;
    return static_cast<int32_t>(v / 2) - 0x40000000;
  }
  const uint16_t v = U16(data, at);
  at += 2;
  return static_cast<int32_t>(v / 2) - 0x4000;
}

uint16_t FetchUShort(const std::string& data, size_t& at) {
  if (U8(data, at) & 1) {
    const uint16_t v = U16(data, at);
    at += 2;
    return static_cast<uint16_t>(v / 2);
  }
  return static_cast<uint16_t>(U8(data, at++) / 2);
}

void SkipShort(const std::string& data, size_t& at) { at += (U8(data, at) & 1) ? 2 : 1; }

// A B+ tree inside an internal file's data, searched and walked as the viewer does.
class Tree {
 public:
  // compare(entry, isLeaf, next): the entry's key against the one sought; sets the next entry.
  using Compare = std::function<int(size_t entry, bool leaf, size_t& next)>;
  using LeafSize = std::function<size_t(size_t entry)>;

  explicit Tree(const std::string& data) : data_(data) {
    if (U16(data, 0) != 0x293B) Fail("B+ tree magic");
    pageSize_ = U16(data, 4);
    root_ = U16(data, 26);
    pages_ = U16(data, 30);
    levels_ = U16(data, 32);
    entries_ = U32(data, 34);
    if (levels_ == 0 || pages_ == 0 || root_ >= pages_) Fail("B+ tree header");
    Need(data, 38, static_cast<size_t>(pages_) * pageSize_, "B+ tree pages");
  }

  std::optional<size_t> Find(const Compare& compare) const {
    uint16_t page = root_;
    for (uint16_t level = levels_; level > 1; --level) {
      size_t at = Page(page) + 6;
      const int16_t count = static_cast<int16_t>(U16(data_, Page(page) + 2));
      for (int i = 0; i < count; ++i) {
        size_t next = 0;
        if (compare(at, false, next) > 0) break;
        at = next;
      }
      page = U16(data_, at - 2);  // the header's first child when no key was passed
    }
    size_t at = Page(page) + 8;
    const int16_t count = static_cast<int16_t>(U16(data_, Page(page) + 2));
    for (int i = 0; i < count; ++i) {
      size_t next = 0;
      const int result = compare(at, true, next);
      if (result == 0) return at;
      if (result > 0) return std::nullopt;
      at = next;
    }
    return std::nullopt;
  }

  std::vector<size_t> Leaves(const LeafSize& leafSize) const {
    uint16_t page = root_;
    for (uint16_t level = levels_; level > 1; --level) page = U16(data_, Page(page) + 4);
    std::vector<size_t> entries;
    for (uint16_t visited = 0; page != 0xFFFF; page = U16(data_, Page(page) + 6)) {
      if (++visited > pages_) Fail("B+ tree leaf chain loops");
      size_t at = Page(page) + 8;
      const int16_t count = static_cast<int16_t>(U16(data_, Page(page) + 2));
      for (int i = 0; i < count; ++i) {
        entries.push_back(at);
        at += leafSize(at);
      }
    }
    if (entries.size() != entries_) Fail("B+ tree entry count");
    return entries;
  }

  uint16_t levels() const { return levels_; }
  uint16_t pages() const { return pages_; }
  uint32_t entries() const { return entries_; }

 private:
  size_t Page(uint16_t n) const {
    if (n >= pages_) Fail("B+ tree page number");
    return 38 + static_cast<size_t>(n) * pageSize_;
  }

  const std::string& data_;
  uint16_t pageSize_, root_, pages_, levels_;
  uint32_t entries_;
};

}  // namespace

std::string HelpParagraph::Text() const {
  std::string text;
  for (const HelpRun& run : runs) text += run.text;
  return text;
}

std::string HelpTopic::Text() const {
  std::string text;
  for (const HelpParagraph& paragraph : paragraphs) text += paragraph.Text() + '\n';
  return text;
}

WinHelpFile::WinHelpFile(std::string bytes) : bytes_(std::move(bytes)) {
  if (U32(bytes_, 0) != 0x00035F3F) Fail("file magic");
  if (U32(bytes_, 12) != bytes_.size()) Fail("the header's file size differs from the file's");
  ReadSystem();
  ReadTopics();
  ReadFonts();
  if (!File("|CONTEXT")) Fail("no |CONTEXT, which a 4.0 file needs");
}

WinHelpFile WinHelpFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (!in || !(bytes << in.rdbuf())) Fail("cannot read " + path);
  return WinHelpFile(bytes.str());
}

std::string WinHelpFile::Internal(uint32_t at) const {
  const uint32_t reserved = U32(bytes_, at);
  const uint32_t used = U32(bytes_, at + 4);
  if (reserved < static_cast<uint64_t>(used) + 9) Fail("internal file's reserved size below its used size");
  Need(bytes_, at, reserved, "internal file");
  return bytes_.substr(at + 9, used);
}

std::vector<std::string> WinHelpFile::FileNames() const {
  const std::string directory = Internal(U32(bytes_, 4));
  std::vector<std::string> names;
  for (size_t at : Tree(directory).Leaves([&](size_t entry) {
         return CString(directory, entry, 256, "file name").size() + 5;
       })) {
    names.push_back(CString(directory, at, 256, "file name"));
  }
  return names;
}

std::optional<std::string> WinHelpFile::File(const std::string& name) const {
  const std::string directory = Internal(U32(bytes_, 4));
  const auto found = Tree(directory).Find([&](size_t entry, bool leaf, size_t& next) {
    const std::string key = CString(directory, entry, 256, "file name");
    next = entry + key.size() + (leaf ? 5 : 3);
    return std::strcmp(key.c_str(), name.c_str());
  });
  if (!found) return std::nullopt;
  return Internal(U32(directory, *found + name.size() + 1));
}

void WinHelpFile::ReadSystem() {
  const auto data = File("|SYSTEM");
  if (!data) Fail("no |SYSTEM");
  const std::string& s = *data;
  system_.magic = U16(s, 0);
  system_.minor = U16(s, 2);
  system_.major = U16(s, 4);
  system_.date = U32(s, 6);
  system_.flags = U16(s, 10);
  if (system_.magic != 0x036C || system_.major != 1) Fail("|SYSTEM header");
  if (system_.minor <= 16 || system_.flags != 0) Fail("not an uncompressed 4 KB-block file (minor > 16, flags 0)");
  for (size_t at = 12; at + 4 <= s.size(); at += 4 + U16(s, at + 2)) {
    const uint16_t type = U16(s, at);
    const uint16_t size = U16(s, at + 2);
    const size_t data_at = at + 4;
    Need(s, data_at, size, "|SYSTEM record");
    system_.recordTypes.push_back(type);
    switch (type) {
      case 1:
        system_.title = CString(s, data_at, size, "title record");
        break;
      case 2:
        system_.copyright = CString(s, data_at, size, "copyright record");
        break;
      case 3:
        if (size != 4) Fail("contents record size");
        system_.contents = U32(s, data_at);
        break;
      case 6: {
        if (size != 90) Fail("window record size");  // the viewer skips other sizes
        HelpWindow window;
        window.flags = U16(s, data_at);
        window.type = CString(s, data_at + 2, 10, "window type");
        window.name = CString(s, data_at + 12, 9, "window name");
        window.caption = CString(s, data_at + 21, 51, "window caption");
        system_.windows.push_back(window);
        break;
      }
      case 4:
        system_.macros.push_back(CString(s, data_at, size, "macro record"));
        break;
      case 9:
        if (size >= 10) system_.lcid = U16(s, data_at + 8);
        break;
      case 11:
        system_.charset = U8(s, data_at);
        break;
      case 12:
        system_.defaultFontPoints = U8(s, data_at);
        system_.defaultFontCharset = U8(s, data_at + 1);
        system_.defaultFont = CString(s, data_at + 2, size - 2, "default font record");
        break;
      default:
        break;
    }
  }
}

void WinHelpFile::ReadFonts() {
  const auto data = File("|FONT");
  if (!data) Fail("no |FONT");
  const std::string& f = *data;
  const uint16_t faces = U16(f, 0), descriptors = U16(f, 2), faceAt = U16(f, 4), descriptorAt = U16(f, 6);
  if (faces == 0 || descriptorAt < faceAt) Fail("|FONT header");
  const size_t faceSize = (descriptorAt - faceAt) / faces;
  for (uint16_t i = 0; i < descriptors; ++i) {
    const size_t at = descriptorAt + i * 11u;
    Need(f, at, 11, "font descriptor");
    HelpFont font;
    font.attributes = U8(f, at);
    font.halfPoints = U8(f, at + 1);
    font.family = U8(f, at + 2);
    const uint16_t face = U16(f, at + 3);
    if (face >= faces) Fail("font descriptor's face index");
    const size_t faceOffset = faceAt + face * faceSize;
    Need(f, faceOffset, faceSize, "face name");
    font.face = f.substr(faceOffset, faceSize);
    font.face.resize(std::strlen(font.face.c_str()));
    fonts_.push_back(font);
  }
}

void WinHelpFile::ReadTopics() {
  const auto data = File("|TOPIC");
  if (!data) Fail("no |TOPIC");
  if (data->empty() || data->size() % kBlockSize != 0) Fail("|TOPIC is not whole 4 KB blocks");
  for (size_t block = 0; block < data->size() / kBlockSize; ++block) {
    const size_t at = block * kBlockSize;
    blocks_.push_back({U32(*data, at), U32(*data, at + 4), U32(*data, at + 8)});
    topicData_ += data->substr(at + 12, kBlockDataSize);
  }
  // The viewer's walk: TOPICPOS = block * 0x4000 + 12 + place in the block; the TOPICOFFSET
  // of a topic header counts the text lengths of the records before it in its block.
  uint32_t position = 12;
  uint32_t oldBlock = kNone;
  uint32_t characters = 0;
  do {
    const size_t at = LinkAt(position);
    const uint32_t block = (position - 12) >> 14;
    if (block != oldBlock) {
      characters = 0;
      oldBlock = block;
    }
    const uint8_t type = U8(topicData_, at + 0x14);
    if (type == 0x02) {
      HelpPage page;
      page.offset = block * 0x8000 + characters;
      page.position = position;
      const uint32_t data1 = U32(topicData_, at + 0x10);
      const uint32_t size2 = U32(topicData_, at + 4);
      Need(topicData_, at + data1, size2, "topic title");
      page.title = topicData_.substr(at + data1, size2);
      page.title.resize(std::strlen(page.title.c_str()));
      page.blockSize = U32(topicData_, at + 0x15);
      page.browseBack = U32(topicData_, at + 0x19);
      page.browseForward = U32(topicData_, at + 0x1D);
      page.number = U32(topicData_, at + 0x21);
      page.nonScroll = U32(topicData_, at + 0x25);
      page.scroll = U32(topicData_, at + 0x29);
      page.nextTopic = U32(topicData_, at + 0x2D);
      pages_.push_back(page);
    } else if (type == 0x20) {
      size_t format = at + 0x15;
      FetchLong(topicData_, format);
      characters += FetchUShort(topicData_, format);
    } else {
      Fail("topic link of type " + std::to_string(type));
    }
    const uint32_t next = U32(topicData_, at + 0xC);
    if (next != kNone && next <= position) Fail("topic links do not advance");
    position = next;
  } while (position != kNone);
  if (pages_.empty()) Fail("no topic header");
}

size_t WinHelpFile::LinkAt(uint32_t position) const {
  if (position < 12) Fail("TOPICPOS below 12");
  const size_t block = (position - 12) >> 14;
  const size_t offset = (position - 12) & 0x3FFF;
  if (offset + 0x15 > kBlockDataSize) Fail("TOPICPOS outside its block's data");
  const size_t at = block * kBlockDataSize + offset;
  Need(topicData_, at, 0x15, "topic link");
  // (The viewer would read a link across blocks too; the compiler never splits one.)
  if (at + U32(topicData_, at) > (block + 1) * kBlockDataSize) Fail("topic link crosses its block");
  return at;
}

HelpTopic WinHelpFile::Render(const HelpPage& page) const {
  HelpTopic topic;
  topic.page = page;
  HelpParagraph paragraph;
  std::optional<HelpHotspot> hotspot;
  bool headerSeen = false;
  for (uint32_t position = page.position; position != kNone;) {
    const size_t at = LinkAt(position);
    position = U32(topicData_, at + 0xC);
    const uint8_t type = U8(topicData_, at + 0x14);
    if (type == 0x02) {
      if (headerSeen) break;  // the next topic
      headerSeen = true;
      continue;
    }
    const uint32_t linkSize = U32(topicData_, at), size2 = U32(topicData_, at + 4), data1 = U32(topicData_, at + 0x10);
    if (linkSize < data1 || linkSize - data1 != size2) Fail("text record with compressed text");
    const std::string text = topicData_.substr(at + data1, size2);
    size_t format = at + 0x15;
    const size_t formatEnd = at + data1;
    FetchLong(topicData_, format);
    if (FetchUShort(topicData_, format) != size2) Fail("text record's length differs from its text");
    format += 4;
    const uint16_t bits = U16(topicData_, format);
    format += 2;
    if (bits & 0x0001) FetchLong(topicData_, format);
    for (uint16_t bit = 0x0002; bit <= 0x0040; bit <<= 1) {
      if (bits & bit) SkipShort(topicData_, format);
    }
    if (bits & 0x0100) format += 3;
    if (bits & 0x0200) Fail("tab stops");  // (none written)
    uint16_t font = 0;
    size_t textAt = 0;
    bool ended = false;
    while (textAt < text.size() && format < formatEnd) {
      const std::string piece = CString(text, textAt, text.size() - textAt, "text string");
      textAt += piece.size() + 1;
      if (!piece.empty()) {
        paragraph.runs.push_back({piece, font, hotspot ? std::optional<uint32_t>(hotspot->hash) : std::nullopt});
        if (hotspot) hotspot->text += piece;
      }
      const uint8_t command = U8(topicData_, format);
      if (command == 0xFF) {
        ++format;
        ended = true;
        break;
      }
      switch (command) {
        case 0x80:
          font = U16(topicData_, format + 1);
          if (font >= fonts_.size()) Fail("font number beyond |FONT");
          format += 3;
          break;
        case 0x81:
          paragraph.runs.push_back({"\n", font, hotspot ? std::optional<uint32_t>(hotspot->hash) : std::nullopt});
          ++format;
          break;
        case 0x82:
          topic.paragraphs.push_back(std::move(paragraph));
          paragraph = HelpParagraph();
          ++format;
          break;
        case 0x89:
          if (!hotspot) Fail("hotspot end without its start");
          topic.hotspots.push_back(*hotspot);
          hotspot.reset();
          ++format;
          break;
        case 0xE2:
        case 0xE3:
        case 0xE6:
        case 0xE7:
          if (hotspot) Fail("hotspot inside a hotspot");
          hotspot = HelpHotspot{U32(topicData_, format + 1), ""};
          format += 5;
          break;
        default:
          Fail("formatting command " + std::to_string(command));
      }
    }
    if (!ended || format != formatEnd || textAt != text.size()) Fail("strings and commands do not pair up");
  }
  if (hotspot) Fail("hotspot without its end");
  if (!paragraph.runs.empty()) topic.paragraphs.push_back(std::move(paragraph));
  return topic;
}

std::vector<std::pair<uint32_t, uint32_t>> WinHelpFile::ContextMap() const {
  std::vector<std::pair<uint32_t, uint32_t>> map;
  const auto data = File("|CTXOMAP");
  if (!data) return map;
  const uint16_t count = U16(*data, 0);
  for (uint16_t i = 0; i < count; ++i) map.emplace_back(U32(*data, 2 + i * 8u), U32(*data, 6 + i * 8u));
  return map;
}

std::vector<std::pair<uint32_t, uint32_t>> WinHelpFile::ContextEntries() const {
  const std::string data = *File("|CONTEXT");
  std::vector<std::pair<uint32_t, uint32_t>> entries;
  for (size_t at : Tree(data).Leaves([](size_t) { return size_t{8}; })) {
    entries.emplace_back(U32(data, at), U32(data, at + 4));
  }
  return entries;
}

std::vector<std::pair<uint32_t, std::string>> WinHelpFile::TitleEntries() const {
  const auto data = File("|TTLBTREE");
  if (!data) Fail("no |TTLBTREE");
  std::vector<std::pair<uint32_t, std::string>> entries;
  for (size_t at : Tree(*data).Leaves([&](size_t entry) {
         return 4 + CString(*data, entry + 4, 4096, "title").size() + 1;
       })) {
    entries.emplace_back(U32(*data, at), CString(*data, at + 4, 4096, "title"));
  }
  return entries;
}

// As Wine's viewer fills its index: the leaves of |KWBTREE in file order, each keyword's
// topics read from |KWDATA at the leaf's offset.
std::vector<HelpKeyword> WinHelpFile::Keywords() const {
  const auto tree = File("|KWBTREE");
  if (!tree) return {};
  const auto data = File("|KWDATA");
  if (!data) Fail("|KWBTREE without |KWDATA");
  std::vector<HelpKeyword> keywords;
  for (size_t at : Tree(*tree).Leaves([&](size_t entry) {
         return CString(*tree, entry, 256, "keyword").size() + 1 + 2 + 4;
       })) {
    HelpKeyword keyword;
    keyword.text = CString(*tree, at, 256, "keyword");
    const size_t after = at + keyword.text.size() + 1;
    const auto count = static_cast<int16_t>(U16(*tree, after));
    const uint32_t offset = U32(*tree, after + 2);
    if (count <= 0) Fail("keyword without topics");
    for (int16_t i = 0; i < count; ++i) keyword.offsets.push_back(U32(*data, offset + 4u * static_cast<uint32_t>(i)));
    keywords.push_back(std::move(keyword));
  }
  return keywords;
}

std::vector<std::pair<uint32_t, uint16_t>> WinHelpFile::KeywordMap() const {
  const auto data = File("|KWMAP");
  if (!data) Fail("no |KWMAP");
  std::vector<std::pair<uint32_t, uint16_t>> map;
  const uint16_t count = U16(*data, 0);
  for (uint16_t i = 0; i < count; ++i) map.emplace_back(U32(*data, 2 + i * 6u), U16(*data, 6 + i * 6u));
  return map;
}

WinHelpFile::TreeShape WinHelpFile::Shape(const std::string& name) const {
  const auto data = File(name);
  if (!data) Fail("no " + name);
  const Tree tree(*data);
  return {tree.levels(), tree.pages(), tree.entries()};
}

std::optional<HelpTopic> WinHelpFile::TopicByNumber(uint32_t number) const {
  for (const auto& [mapped, offset] : ContextMap()) {
    if (mapped == number) return TopicAtOffset(offset);
  }
  return std::nullopt;
}

std::optional<HelpTopic> WinHelpFile::TopicByHash(uint32_t hash) const {
  if (hash == 0) return system_.contents ? TopicAtOffset(*system_.contents) : std::nullopt;
  const std::string data = *File("|CONTEXT");
  const auto found = Tree(data).Find([&](size_t entry, bool leaf, size_t& next) {
    next = entry + (leaf ? 8 : 6);
    const auto test = static_cast<int32_t>(U32(data, entry));
    const auto key = static_cast<int32_t>(hash);
    return test < key ? -1 : test > key ? 1 : 0;
  });
  if (!found) return std::nullopt;
  return TopicAtOffset(U32(data, *found + 4));
}

std::optional<HelpTopic> WinHelpFile::TopicAtOffset(uint32_t offset) const {
  const HelpPage* found = nullptr;
  for (const HelpPage& page : pages_) {
    if (page.offset <= offset && (!found || found->offset < page.offset)) found = &page;
  }
  if (!found) return std::nullopt;
  return Render(*found);
}

}  // namespace testsupport
