#include "tools/hlpc/text_record.h"

#include <algorithm>

#include "tools/hlpc/byte_writer.h"

namespace hlpc {
namespace {

// Paragraph formatting: a space below every paragraph, in half points (the unit of files
// whose |FONT has the short descriptors), so that paragraphs stand apart as in the source.
constexpr uint16_t kSpaceBelowFollows = 0x0004;
constexpr int16_t kSpaceBelow = 12;

}  // namespace

ParagraphBuilder::ParagraphBuilder(uint16_t font) { Font(font); }

void ParagraphBuilder::Font(uint16_t font) {
  if (font_ && font == *font_) return;
  font_ = font;
  ByteWriter command;
  command.U8(0x80);
  command.U16(font);
  Command(command.bytes());
}

void ParagraphBuilder::JumpStart(uint32_t contextHash) {
  ByteWriter command;
  command.U8(0xE3);
  command.U32(contextHash);
  Command(command.bytes());
}

void ParagraphBuilder::Command(std::string_view bytes) {
  strings_ += pending_;
  strings_ += '\0';
  pending_.clear();
  commands_ += bytes;
}

void ParagraphBuilder::Command(std::initializer_list<uint8_t> bytes) {
  std::string command;
  for (uint8_t b : bytes) command += static_cast<char>(b);
  Command(command);
}

TopicLinkData ParagraphBuilder::Finish() {
  Command({0x82});
  Command({0xFF});
  ByteWriter rest;
  rest.U8(0x00);  // two bytes of unknown purpose, always 00 80 in compiled files
  rest.U8(0x80);
  rest.U16(0);  // paragraph id
  rest.U16(kSpaceBelowFollows);
  rest.Bytes(CompressedShort(kSpaceBelow));
  rest.Bytes(commands_);
  TopicLinkData link;
  link.type = kTextLink;
  // The size of the formatting that follows, then the text's length: the characters (NULs
  // included) this record adds to the TOPICOFFSETs of its block. (A text too long for the
  // field is too long for a topic block as well: the caller refuses the record by its size.)
  const auto textLength = static_cast<uint16_t>(std::min<size_t>(strings_.size(), 0x7FFF));
  link.data1 = CompressedLong(static_cast<int32_t>(rest.size())) + CompressedUShort(textLength) + rest.bytes();
  link.data2 = strings_;
  return link;
}

}  // namespace hlpc
