// Little-endian byte output and the packed integers of help files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hlpc {

// Appends little-endian values to a byte string; later fields can be patched in place.
class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void U16(uint16_t value);
  void U32(uint32_t value);
  void Bytes(std::string_view bytes) { bytes_.append(bytes); }
  // `text` and its NUL.
  void Text(std::string_view text);
  // `text` NUL-padded to `size` bytes; the caller ensures it fits.
  void FixedText(std::string_view text, size_t size);
  void Zeros(size_t count) { bytes_.append(count, '\0'); }
  void PatchU16(size_t at, uint16_t value);
  void PatchU32(size_t at, uint32_t value);

  size_t size() const { return bytes_.size(); }
  const std::string& bytes() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

// The packed integers of topic records. The unsigned forms hold 0..0x7FFF (short) and
// 0..0x7FFFFFFF (long); the signed forms are biased by half their range.
std::string CompressedUShort(uint16_t value);
std::string CompressedShort(int16_t value);
std::string CompressedULong(uint32_t value);
std::string CompressedLong(int32_t value);

}  // namespace hlpc
