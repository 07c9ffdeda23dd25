#include "tools/hlpc/byte_writer.h"

#include <stdexcept>

namespace hlpc {

void ByteWriter::U16(uint16_t value) {
  U8(static_cast<uint8_t>(value));
  U8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::U32(uint32_t value) {
  U16(static_cast<uint16_t>(value));
  U16(static_cast<uint16_t>(value >> 16));
}

void ByteWriter::Text(std::string_view text) {
  bytes_.append(text);
  bytes_.push_back('\0');
}

void ByteWriter::FixedText(std::string_view text, size_t size) {
  if (text.size() > size) throw std::length_error("fixed text field overflow");
  bytes_.append(text);
  Zeros(size - text.size());
}

void ByteWriter::PatchU16(size_t at, uint16_t value) {
  bytes_.at(at) = static_cast<char>(value);
  bytes_.at(at + 1) = static_cast<char>(value >> 8);
}

void ByteWriter::PatchU32(size_t at, uint32_t value) {
  PatchU16(at, static_cast<uint16_t>(value));
  PatchU16(at + 2, static_cast<uint16_t>(value >> 16));
}

std::string CompressedUShort(uint16_t value) {
  if (value > 0x7FFF) throw std::out_of_range("compressed unsigned short");
  ByteWriter out;
  if (value < 0x80) {
    out.U8(static_cast<uint8_t>(value * 2));
  } else {
    out.U8(static_cast<uint8_t>(value % 0x80 * 2 + 1));
    out.U8(static_cast<uint8_t>(value / 0x80));
  }
  return out.Take();
}

std::string CompressedShort(int16_t value) {
  if (value < -0x4000 || value > 0x3FFF) throw std::out_of_range("compressed short");
  if (value >= -0x40 && value < 0x40) return CompressedUShort(static_cast<uint16_t>(value + 0x40));
  // The two-byte form always: a reader takes the low bit, not the size of the number, as
  // the form (from -0x4000 to -0x3F81 the biased value would fit one byte and mislead it).
  ByteWriter out;
  out.U16(static_cast<uint16_t>((static_cast<uint16_t>(value + 0x4000) << 1) | 1U));
  return out.Take();
}

std::string CompressedULong(uint32_t value) {
  if (value > 0x7FFFFFFF) throw std::out_of_range("compressed unsigned long");
  ByteWriter out;
  if (value < 0x8000) {
    out.U16(static_cast<uint16_t>(value * 2));
  } else {
    out.U16(static_cast<uint16_t>(value % 0x8000 * 2 + 1));
    out.U16(static_cast<uint16_t>(value / 0x8000));
  }
  return out.Take();
}

std::string CompressedLong(int32_t value) {
  if (value < -0x40000000 || value > 0x3FFFFFFF) throw std::out_of_range("compressed long");
  ByteWriter out;
  if (value >= -0x4000 && value < 0x4000) {
    out.U16(static_cast<uint16_t>((value + 0x4000) * 2));
  } else {
    // The readers take the four bytes whole: value = (u32 >> 1) - 0x40000000.
    out.U32((static_cast<uint32_t>(value + 0x40000000) << 1) | 1U);
  }
  return out.Take();
}

}  // namespace hlpc
