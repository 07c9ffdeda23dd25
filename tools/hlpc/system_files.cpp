#include "tools/hlpc/system_files.h"

#include <stdexcept>

#include "tools/hlpc/byte_writer.h"

namespace hlpc {
namespace {

enum : uint16_t {
  kTitleRecord = 1,
  kCopyrightRecord = 2,
  kContentsRecord = 3,
  kConfigMacroRecord = 4,
  kWindowRecord = 6,
  kLcidRecord = 9,
  kCharsetRecord = 11,
  kDefaultFontRecord = 12,
};

constexpr uint16_t kJapaneseLcid = 0x0411;
constexpr uint8_t kShiftJisCharset = 128;

// MS PGothic is the English name of ＭＳ Ｐゴシック, the proportional Gothic every Japanese
// Windows 95 and NT 4.0 ships; its screen bitmaps make 9 and 12 points (12 and 16 pixels)
// crisp. The face name stays ASCII because viewers copy it into RTF as it is; where a
// system matches only the Japanese name, the Shift-JIS charset of |SYSTEM still makes the
// font mapper take a Japanese font of the same family.
constexpr const char* kFaceName = "MS PGothic";
constexpr uint8_t kFamilySwiss = 3;  // the help file's own numbering, not Windows' FF_ values
constexpr uint8_t kBodyHalfPoints = 18;
constexpr uint8_t kTitleHalfPoints = 24;
constexpr uint8_t kDialogPoints = 9;

struct FontDescriptor {
  uint8_t attributes;  // 1 bold
  uint8_t halfPoints;
};

// In the order of kBodyFont, kBoldFont, kTitleFont.
constexpr FontDescriptor kFonts[] = {{0, kBodyHalfPoints}, {1, kBodyHalfPoints}, {1, kTitleHalfPoints}};

void Record(ByteWriter& out, uint16_t type, const std::string& data) {
  if (data.size() > 0xFFFF) throw std::length_error("system record too long");
  out.U16(type);
  out.U16(static_cast<uint16_t>(data.size()));
  out.Bytes(data);
}

std::string TextData(const std::string& text) { return text + '\0'; }

// Window "main": the one a help file opens in. Only its name and (when given) its
// caption are set; position, size and colours stay the viewer's.
std::string WindowData(const std::optional<std::string>& caption) {
  if (caption && caption->size() > kCaptionSize) throw std::length_error("window caption too long");
  ByteWriter window;
  window.U16(caption ? 0x0006 : 0x0002);  // 2 name valid, 4 caption valid
  window.Zeros(10);                       // type
  window.FixedText("main", 9);
  window.FixedText(caption.value_or(""), kCaptionSize + 1);
  window.Zeros(5 * 2 + 2 * 4);  // x, y, width, height, maximize; the two colours
  return window.Take();
}

}  // namespace

std::string WriteSystemFile(const SystemInfo& info) {
  ByteWriter out;
  out.U16(0x036C);
  out.U16(33);  // minor version of Windows 95 help files (HCW 4.00)
  out.U16(1);
  out.U32(info.date);
  out.U16(0);  // topic blocks of 4 KB, not compressed
  // The title first: viewers fall back to it for a window without a caption.
  if (info.title) Record(out, kTitleRecord, TextData(*info.title));
  if (info.copyright) Record(out, kCopyrightRecord, TextData(*info.copyright));
  ByteWriter contents;
  contents.U32(info.contentsOffset);
  Record(out, kContentsRecord, contents.bytes());
  for (const std::string& macro : info.macros) Record(out, kConfigMacroRecord, TextData(macro));
  Record(out, kWindowRecord, WindowData(info.caption));
  ByteWriter lcid;  // two words of flags, four unused bytes, then the LCID
  lcid.Zeros(8);
  lcid.U16(kJapaneseLcid);
  Record(out, kLcidRecord, lcid.bytes());
  ByteWriter charset;
  charset.U16(kShiftJisCharset);
  Record(out, kCharsetRecord, charset.bytes());
  ByteWriter dialogFont;  // for the viewer's dialogs, which list the Japanese topic titles
  dialogFont.U8(kDialogPoints);
  dialogFont.U8(kShiftJisCharset);
  dialogFont.Text(kFaceName);
  Record(out, kDefaultFontRecord, dialogFont.bytes());
  return out.Take();
}

std::string WriteFontFile() {
  constexpr uint16_t kFaceNames = 1;
  constexpr uint16_t kFaceNameSize = 32;
  const auto descriptors = static_cast<uint16_t>(sizeof kFonts / sizeof kFonts[0]);
  ByteWriter out;
  out.U16(kFaceNames);
  out.U16(descriptors);
  out.U16(8);  // face names right after this header: the short (Windows 3.1) descriptors follow
  out.U16(8 + kFaceNames * kFaceNameSize);
  out.FixedText(kFaceName, kFaceNameSize);
  for (const FontDescriptor& font : kFonts) {
    out.U8(font.attributes);
    out.U8(font.halfPoints);
    out.U8(kFamilySwiss);
    out.U16(0);   // face name index
    out.Zeros(3);  // text colour: black
    out.Zeros(3);  // background colour (unused)
  }
  return out.Take();
}

}  // namespace hlpc
