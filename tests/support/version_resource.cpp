#include "tests/support/version_resource.h"

#include <cstring>
#include <functional>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace testsupport {
namespace {

class Bytes {
 public:
  Bytes(const std::string& data, size_t begin, size_t end) : data_(data), pos_(begin), end_(end) {}
  bool Has(size_t n) const { return pos_ + n <= end_; }
  uint16_t Word() {
    if (!Has(2)) return Skip(2);
    const auto w = static_cast<uint16_t>(U8(pos_) | U8(pos_ + 1) << 8);
    pos_ += 2;
    return w;
  }
  uint32_t Dword() { uint32_t lo = Word(); return lo | static_cast<uint32_t>(Word()) << 16; }
  std::u16string Text() {  // zero-terminated UTF-16
    std::u16string s;
    while (Has(2)) {
      const char16_t c = Word();
      if (c == 0) break;
      s += c;
    }
    return s;
  }
  void Align() { pos_ = (pos_ + 3) & ~size_t{3}; }
  size_t pos() const { return pos_; }
  void Seek(size_t pos) { pos_ = pos; }

 private:
  unsigned U8(size_t i) const { return static_cast<unsigned char>(data_[i]); }
  uint16_t Skip(size_t n) { pos_ = end_ + n; return 0; }
  const std::string& data_;
  size_t pos_, end_;
};

std::string Ascii(const std::u16string& s) { return std::string(s.begin(), s.end()); }

// One node: wLength, wValueLength, wType, key, value, children up to wLength.
struct Node {
  std::u16string key;
  size_t valueBegin = 0, valueBytes = 0, childrenBegin = 0, end = 0;
  bool text = false;
};

std::optional<Node> ReadNode(const std::string& data, size_t at, size_t limit) {
  Bytes b(data, at, limit);
  Node n;
  const uint16_t length = b.Word();
  const uint16_t valueLength = b.Word();
  n.text = b.Word() == 1;
  n.key = b.Text();
  b.Align();
  if (length < 6 || at + length > limit) return std::nullopt;
  n.end = at + length;
  n.valueBegin = b.pos();
  n.valueBytes = n.text ? valueLength * 2u : valueLength;
  n.childrenBegin = (n.valueBegin + n.valueBytes + 3) & ~size_t{3};
  if (n.childrenBegin > n.end) n.childrenBegin = n.end;
  return n;
}

bool ForChildren(const std::string& data, const Node& parent, const std::function<bool(const Node&)>& visit) {
  size_t at = parent.childrenBegin;
  while (at + 6 <= parent.end) {
    const auto child = ReadNode(data, at, parent.end);
    if (!child || !visit(*child)) return false;
    at = (child->end + 3) & ~size_t{3};
  }
  return true;
}

}  // namespace

std::optional<VersionResource> ParseVersionRes(const std::string& data) {
  size_t at = 0;
  while (at + 32 <= data.size()) {
    Bytes header(data, at, data.size());
    const uint32_t dataSize = header.Dword();
    const uint32_t headerSize = header.Dword();
    const bool typeIsId = header.Word() == 0xFFFF;
    const uint16_t type = typeIsId ? header.Word() : 0;
    const size_t dataBegin = at + headerSize;
    if (headerSize < 32 || dataBegin + dataSize > data.size()) return std::nullopt;
    if (typeIsId && type == 16) {
      const auto root = ReadNode(data, dataBegin, dataBegin + dataSize);
      if (!root || Ascii(root->key) != "VS_VERSION_INFO" || root->valueBytes < 52) return std::nullopt;
      VersionResource v;
      Bytes fixed(data, root->valueBegin, root->valueBegin + 52);
      if (fixed.Dword() != 0xFEEF04BDu) return std::nullopt;
      fixed.Dword();
      v.fileVersionMS = fixed.Dword();
      v.fileVersionLS = fixed.Dword();
      v.productVersionMS = fixed.Dword();
      v.productVersionLS = fixed.Dword();
      fixed.Dword();
      fixed.Dword();
      v.fileOS = fixed.Dword();
      v.fileType = fixed.Dword();
      const bool ok = ForChildren(data, *root, [&](const Node& block) {
        if (Ascii(block.key) == "StringFileInfo") {
          return ForChildren(data, block, [&](const Node& table) {
            v.stringTable = Ascii(table.key);
            return ForChildren(data, table, [&](const Node& s) {
              Bytes value(data, s.valueBegin, s.valueBegin + s.valueBytes);
              std::u16string text;
              while (value.Has(2)) text += static_cast<char16_t>(value.Word());
              while (!text.empty() && text.back() == 0) text.pop_back();
              v.strings[Ascii(s.key)] = text;
              return true;
            });
          });
        }
        return ForChildren(data, block, [&](const Node& var) {
          Bytes value(data, var.valueBegin, var.valueBegin + var.valueBytes);
          while (value.Has(4)) v.translation.push_back(value.Dword());
          return true;
        });
      });
      if (!ok) return std::nullopt;
      return v;
    }
    at = (dataBegin + dataSize + 3) & ~size_t{3};
  }
  return std::nullopt;
}

std::string ToCp932(const std::u16string& text) {
  if (text.empty()) return {};
#ifdef _WIN32
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int n = WideCharToMultiByte(932, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
#else
  iconv_t cd = iconv_open("CP932", "UTF-16LE");
  std::string in;
  for (char16_t c : text) {
    in += static_cast<char>(c & 0xFF);
    in += static_cast<char>(c >> 8);
  }
  std::string out(text.size() * 4, '\0');
  char* src = in.data();
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
#endif
}

}  // namespace testsupport
