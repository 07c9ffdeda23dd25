#include "tools/brc32/version_res.h"

#include <cstdint>

#include "base/ansi_path.h"

namespace brc32 {
namespace {

// The language written in the resource header. The scripts name none; windres, which
// compiles the build's own version resources, then writes U.S. English, and so does this
// compiler, so that its output equals windres's byte for byte. (The host's compiler may
// write the system's language; Windows' version functions take a file's one version
// resource whatever its language.)
constexpr uint16_t kLanguage = 0x0409;
// windres writes no memory flags for VERSIONINFO (Microsoft's rc writes MOVEABLE | PURE).
constexpr uint16_t kMemoryFlags = 0;
constexpr uint16_t kVersionType = 16;  // RT_VERSION

struct Failure {
  ScriptError error;
};

[[noreturn]] void Fail(int line, std::string message) { throw Failure{{line, std::move(message)}}; }

struct Token {
  enum class Kind { End, Number, Name, String, Open, Close, Comma } kind = Kind::End;
  int line = 1;
  uint32_t number = 0;
  std::string text;  // a name, or a string's bytes with its escapes resolved
};

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return -1;
}

// Splits the script into tokens. A double-byte character is taken whole wherever it
// stands, so its second byte (0x5C, 0x7B, 0x7D among them) is never an escape or a brace.
class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  Token Next() {
    SkipBlanks();
    Token t;
    t.line = line_;
    if (pos_ >= text_.size()) return t;
    const char c = text_[pos_];
    if (c == '{' || c == '}' || c == ',') {
      ++pos_;
      t.kind = c == '{' ? Token::Kind::Open : c == '}' ? Token::Kind::Close : Token::Kind::Comma;
    } else if (IsDigit(c)) {
      t.kind = Token::Kind::Number;
      t.number = ReadNumber();
    } else if (IsNameStart(c)) {
      t.kind = Token::Kind::Name;
      while (pos_ < text_.size() && (IsNameStart(text_[pos_]) || IsDigit(text_[pos_]))) t.text += text_[pos_++];
    } else if (c == '"') {
      t.kind = Token::Kind::String;
      t.text = ReadString();
    } else {
      const auto byte = static_cast<unsigned char>(c);
      Fail(line_, byte > 0x20 && byte < 0x7F ? std::string("unexpected '") + c + "'"
                                             : "unexpected byte " + std::to_string(byte));
    }
    return t;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= 0x20) {
      if (text_[pos_++] == '\n') ++line_;
    }
  }

  // Decimal; hexadecimal after 0x; octal after 0o or a leading 0 (as windres reads
  // them); an L may follow.
  uint32_t ReadNumber() {
    int base = 10;
    if (text_[pos_] == '0' && pos_ + 1 < text_.size()) {
      const char next = text_[pos_ + 1];
      if (next == 'x' || next == 'X' || next == 'o' || next == 'O') {
        base = next == 'x' || next == 'X' ? 16 : 8;
        pos_ += 2;
      } else {
        base = 8;
      }
    }
    uint64_t value = 0;
    size_t digits = 0;
    for (; pos_ < text_.size() && text_[pos_] != 'L' && text_[pos_] != 'l'; ++pos_, ++digits) {
      const int d = DigitValue(text_[pos_]);
      if (d < 0) break;
      if (d >= base) Fail(line_, "bad digit '" + std::string(1, text_[pos_]) + "' in a number");
      value = value * base + d;
      if (value > 0xFFFFFFFFu) Fail(line_, "number out of range");
    }
    if (digits == 0 && base == 16) Fail(line_, "number without digits");
    if (pos_ < text_.size() && (text_[pos_] == 'L' || text_[pos_] == 'l')) ++pos_;
    if (pos_ < text_.size() && (IsNameStart(text_[pos_]) || IsDigit(text_[pos_]))) Fail(line_, "bad number");
    return static_cast<uint32_t>(value);
  }

  // After the opening quote, up to the closing one: "" is a quote; the resource
  // compiler's escapes \a \b \f \n \r \t \v \\ \" \ooo \xhh; any other backslash stays
  // with what follows it. A string left open at the end of its line is an error (windres
  // would end it there with a warning).
  std::string ReadString() {
    std::string out;
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Fail(line_, "unterminated string");
      const char c = text_[pos_];
      if (c == '"') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
          out += '"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        return out;
      }
      if (c == '\\') {
        ++pos_;
        Escape(out);
        continue;
      }
      TakeCharacter(out);
    }
  }

  // One character, two bytes when it is a double-byte one.
  void TakeCharacter(std::string& out) {
    const bool lead = base::IsCp932LeadByte(static_cast<unsigned char>(text_[pos_]));
    out += text_[pos_++];
    if (lead && pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '\r') out += text_[pos_++];
  }

  void Escape(std::string& out) {
    if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Fail(line_, "unterminated string");
    const char c = text_[pos_];
    static const char kSimple[] = "a\bb\bf\fn\nr\rt\tv\v\\\\\"\"";  // \a is 8, as in the resource compilers
    for (size_t i = 0; kSimple[i]; i += 2) {
      if (c == kSimple[i]) {
        out += kSimple[i + 1];
        ++pos_;
        return;
      }
    }
    if (c >= '0' && c <= '7') {
      int value = 0;
      for (int n = 0; n < 3 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7'; ++n) {
        value = value * 8 + (text_[pos_++] - '0');
      }
      out += static_cast<char>(value & 0xFF);
    } else if (c == 'x' || c == 'X') {
      ++pos_;
      int value = 0;
      for (int n = 0, d; n < 2 && pos_ < text_.size() && (d = DigitValue(text_[pos_])) >= 0 && d < 16; ++n, ++pos_) {
        value = value * 16 + d;
      }
      out += static_cast<char>(value);
    } else {
      out += '\\';
      TakeCharacter(out);
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
};

struct StringValue {
  std::u16string key, value;
};

struct Block {
  bool strings = false;            // StringFileInfo, else VarFileInfo
  std::u16string name;             // the string table's, or the variable's
  std::vector<StringValue> values;
  std::vector<uint32_t> pairs;     // language | code page << 16
};

struct VersionInfo {
  int line = 1;
  uint16_t id = 0;
  // VS_FIXEDFILEINFO from dwFileVersionMS to dwFileSubtype; the date stays 0.
  uint32_t fixed[9] = {};
  std::vector<Block> blocks;
};

enum Fixed { kFileVersion, kProductVersion = 2, kFlagsMask = 4, kFlags, kOs, kType, kSubtype };

struct Constant {
  const char* name;
  uint32_t value;
};
const Constant kConstants[] = {
    {"VOS_NT_WINDOWS32", 0x00040004}, {"VFT_UNKNOWN", 0}, {"VFT_APP", 1},  {"VFT_DLL", 2},
    {"VFT_DRV", 3},                   {"VFT_FONT", 4},    {"VFT_VXD", 5},  {"VFT_STATIC_LIB", 7},
};

// Errors name the line of the token that is wrong; where something is missing, the line
// of what it should have followed (a FILETYPE with nothing after it is line 5's error,
// not the next line's).
class Parser {
 public:
  Parser(std::string_view script, const Cp932Decoder& decode) : lexer_(script), decode_(decode) { Advance(); }

  VersionInfo Parse() {
    VersionInfo v;
    if (token_.kind != Token::Kind::Number || token_.number == 0 || token_.number > 0xFFFF) {
      Fail(WrongLine(), "a resource number from 1 to 65535 expected");
    }
    v.line = token_.line;
    v.id = static_cast<uint16_t>(Take().number);
    if (!IsKeyword("VERSIONINFO")) Fail(WrongLine(), "VERSIONINFO expected");
    Advance();
    static const std::pair<const char*, Fixed> kStatements[] = {
        {"FILEVERSION", kFileVersion}, {"PRODUCTVERSION", kProductVersion}, {"FILEFLAGSMASK", kFlagsMask},
        {"FILEFLAGS", kFlags},         {"FILEOS", kOs},                     {"FILETYPE", kType},
        {"FILESUBTYPE", kSubtype}};
    for (bool more = true; more;) {
      more = false;
      for (const auto& [keyword, field] : kStatements) {
        if (!IsKeyword(keyword)) continue;
        const Token statement = Take();
        if (field == kFileVersion || field == kProductVersion) {
          // Missing parts are 0. A part is 16 bits (windres lets a bigger one run into
          // its neighbour; here it is an error).
          uint32_t part[4] = {Value(statement), 0, 0, 0};
          for (int i = 1; i < 4 && token_.kind == Token::Kind::Comma; ++i) {
            Advance();
            part[i] = Value(statement);
          }
          for (uint32_t p : part) {
            if (p > 0xFFFF) Fail(statement.line, std::string(keyword) + ": a part over 65535");
          }
          v.fixed[field] = part[0] << 16 | part[1];
          v.fixed[field + 1] = part[2] << 16 | part[3];
        } else {
          v.fixed[field] = Value(statement);
        }
        more = true;
      }
    }
    Open();
    while (!AtClose()) v.blocks.push_back(ParseBlock());
    Advance();
    if (token_.kind != Token::Kind::End) Fail(token_.line, "text after the end of the resource");
    return v;
  }

 private:
  void Advance() {
    previousLine_ = token_.line;
    token_ = lexer_.Next();
  }
  Token Take() {
    Token t = token_;
    Advance();
    return t;
  }
  int WrongLine() const { return token_.kind == Token::Kind::End ? previousLine_ : token_.line; }
  int MissingLine() const { return previousLine_; }
  bool IsKeyword(const char* keyword) const { return token_.kind == Token::Kind::Name && token_.text == keyword; }
  bool AtClose() const { return token_.kind == Token::Kind::Close || IsKeyword("END"); }

  void Comma() {
    if (token_.kind != Token::Kind::Comma) Fail(MissingLine(), "',' expected");
    Advance();
  }
  void Open() {
    if (token_.kind != Token::Kind::Open && !IsKeyword("BEGIN")) Fail(WrongLine(), "'{' expected");
    Advance();
  }
  void Close() {
    if (!AtClose()) Fail(WrongLine(), "'}' expected");
    Advance();
  }

  // A number or one of the constants.
  uint32_t Value(const Token& statement) {
    if (token_.kind == Token::Kind::Number) return Take().number;
    if (token_.kind == Token::Kind::Name) {
      for (const Constant& c : kConstants) {
        if (token_.text == c.name) {
          Advance();
          return c.value;
        }
      }
      Fail(token_.line, "unknown constant " + token_.text);
    }
    Fail(MissingLine(), statement.text + " without a value");
  }

  // One or more adjacent strings, joined, ending at the first NUL (\000) as windres
  // reads them: the NUL a value is written with is the one the compiler adds.
  std::u16string Strings() {
    if (token_.kind != Token::Kind::String) Fail(MissingLine(), "a string expected");
    const int line = token_.line;
    std::string joined;
    while (token_.kind == Token::Kind::String) joined += Take().text;
    const std::optional<std::u16string> text = decode_(joined);
    if (!text) Fail(line, "a string that is no code page 932 text");
    return text->substr(0, text->find(u'\0'));
  }

  Block ParseBlock() {
    if (!IsKeyword("BLOCK")) Fail(WrongLine(), "BLOCK expected");
    const int line = Take().line;
    const std::u16string name = Strings();
    Block b;
    if (name == u"StringFileInfo") {
      Open();
      b.strings = true;
      if (!IsKeyword("BLOCK")) Fail(WrongLine(), "BLOCK expected: StringFileInfo holds one string table");
      Advance();
      b.name = Strings();
      Open();
      while (IsKeyword("VALUE")) {
        Advance();
        StringValue s;
        s.key = Strings();
        Comma();
        s.value = Strings();
        b.values.push_back(std::move(s));
      }
      Close();
    } else if (name == u"VarFileInfo") {
      Open();
      if (!IsKeyword("VALUE")) Fail(WrongLine(), "VALUE expected");
      const Token value = Take();
      b.name = Strings();
      while (token_.kind == Token::Kind::Comma) {
        uint32_t pair[2];
        for (uint32_t& number : pair) {
          Comma();
          number = Value(value);
          if (number > 0xFFFF) Fail(previousLine_, "VALUE: a number over 65535");
        }
        b.pairs.push_back(pair[0] | pair[1] << 16);
      }
    } else {
      Fail(line, "BLOCK \"StringFileInfo\" or \"VarFileInfo\" expected");
    }
    Close();
    return b;
  }

  Lexer lexer_;
  const Cp932Decoder& decode_;
  Token token_;
  int previousLine_ = 1;
};

// Little-endian output with the version structures' 32-bit alignment, counted from the
// start of the resource data as windres counts it.
class Output {
 public:
  size_t Size() const { return bytes_.size(); }
  void Word(uint32_t w) {
    bytes_ += static_cast<char>(w & 0xFF);
    bytes_ += static_cast<char>(w >> 8 & 0xFF);
  }
  void Dword(uint32_t d) {
    Word(d & 0xFFFF);
    Word(d >> 16);
  }
  void Text(const std::u16string& s) {
    for (char16_t c : s) Word(c);
    Word(0);
  }
  void Align() { bytes_.resize((bytes_.size() + 3) & ~size_t{3}, '\0'); }
  // A node's header (wLength, wValueLength, wType), filled in by `Close`.
  size_t Node() {
    const size_t at = Size();
    Dword(0);
    Word(0);
    return at;
  }
  void Close(size_t node, size_t valueLength, uint16_t type) {
    Put(node, Size() - node);
    Put(node + 2, valueLength);
    Put(node + 4, type);
  }
  std::string Take() { return std::move(bytes_); }

 private:
  void Put(size_t at, size_t w) {
    bytes_[at] = static_cast<char>(w & 0xFF);
    bytes_[at + 1] = static_cast<char>(w >> 8 & 0xFF);
  }
  std::string bytes_;
};

// VS_VERSIONINFO and its children, laid out as windres lays them out.
std::string VersionData(const VersionInfo& v) {
  Output out;
  const size_t root = out.Node();
  out.Text(u"VS_VERSION_INFO");
  out.Align();
  out.Dword(0xFEEF04BD);
  out.Dword(0x00010000);
  for (uint32_t field : v.fixed) out.Dword(field);
  out.Dword(0);
  out.Dword(0);
  for (const Block& b : v.blocks) {
    out.Align();
    const size_t block = out.Node();
    if (b.strings) {
      out.Text(u"StringFileInfo");
      out.Align();
      const size_t table = out.Node();
      out.Text(b.name);
      for (const StringValue& s : b.values) {
        out.Align();
        const size_t node = out.Node();
        out.Text(s.key);
        out.Align();
        const size_t value = out.Size();
        out.Text(s.value);
        out.Close(node, (out.Size() - value) / 2, 1);
      }
      out.Close(table, 0, 1);
    } else {
      out.Text(u"VarFileInfo");
      out.Align();
      const size_t var = out.Node();
      out.Text(b.name);
      out.Align();
      const size_t value = out.Size();
      for (uint32_t pair : b.pairs) out.Dword(pair);
      out.Close(var, out.Size() - value, 0);
    }
    out.Close(block, 0, 1);
  }
  // Every length is a 16-bit word, and the root's is the largest.
  if (out.Size() > 0xFFFF) Fail(v.line, "VERSIONINFO over 65535 bytes");
  out.Close(root, 52, 0);
  return out.Take();
}

// The .RES file: the empty entry that marks a 32-bit resource file, then the one
// resource's header (type and name as numbers) and its data, padded to 32 bits.
std::string ResFile(const VersionInfo& v) {
  const std::string data = VersionData(v);
  Output out;
  for (uint32_t d : {0u, 32u, 0xFFFFu, 0xFFFFu, 0u, 0u, 0u, 0u}) out.Dword(d);
  out.Dword(static_cast<uint32_t>(data.size()));
  out.Dword(32);
  out.Dword(0xFFFF | kVersionType << 16);
  out.Dword(0xFFFF | static_cast<uint32_t>(v.id) << 16);
  out.Dword(0);  // data version
  out.Word(kMemoryFlags);
  out.Word(kLanguage);
  out.Dword(0);  // version
  out.Dword(0);  // characteristics
  std::string res = out.Take() + data;
  res.resize((res.size() + 3) & ~size_t{3}, '\0');
  return res;
}

}  // namespace

Compiled CompileVersionScript(std::string_view script, const Cp932Decoder& decode) {
  try {
    return {ResFile(Parser(script, decode).Parse()), std::nullopt};
  } catch (const Failure& f) {
    return {std::string(), f.error};
  }
}

std::optional<std::string> ScriptArgument(const std::vector<std::string>& args) {
  std::optional<std::string> script;
  for (const std::string& arg : args) {
    if (!arg.empty() && arg[0] == '-') continue;
    if (script) return std::nullopt;
    script = arg;
  }
  return script;
}

}  // namespace brc32
