// Displayable text records of |TOPIC (type 0x20): one paragraph each, its formatting
// commands in the link's first data field and its strings in the second.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hlpc {

// A topic link's data before it is placed: 21 header bytes go in front of it.
struct TopicLinkData {
  uint8_t type = 0;
  std::string data1, data2;
  size_t Size() const { return 21 + data1.size() + data2.size(); }
};

constexpr uint8_t kTopicHeaderLink = 0x02;
constexpr uint8_t kTextLink = 0x20;

// Builds one paragraph. Readers take a string from the second field, then a command from
// the first, in turn: every command is preceded by the (possibly empty) string before it.
class ParagraphBuilder {
 public:
  explicit ParagraphBuilder(uint16_t font);  // starts with that font
  void Text(std::string_view cp932) { pending_ += cp932; }
  void Font(uint16_t font);
  void LineBreak() { Command({0x81}); }
  void JumpStart(uint32_t contextHash);
  void JumpEnd() { Command({0x89}); }
  // Ends the paragraph (0x82) and the record (0xFF).
  TopicLinkData Finish();

 private:
  void Command(std::string_view bytes);
  void Command(std::initializer_list<uint8_t> bytes);

  std::optional<uint16_t> font_;  // none before the first font command
  std::string commands_, strings_, pending_;
};

}  // namespace hlpc
