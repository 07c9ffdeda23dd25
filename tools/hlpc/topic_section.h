// The |TOPIC internal file: topic headers and text records laid out in 4 KB blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/hlpc/text_record.h"

namespace hlpc {

// Uncompressed 4 KB blocks (|SYSTEM flags 0), each starting with a 12-byte header.
constexpr size_t kTopicBlockSize = 4096;
constexpr size_t kTopicBlockHeaderSize = 12;
constexpr size_t kTopicBlockDataSize = kTopicBlockSize - kTopicBlockHeaderSize;

// No neighbour in the browse sequence.
constexpr size_t kNoTopic = static_cast<size_t>(-1);

struct TopicRecords {
  std::string title;                // code page 932, for the topic header
  std::vector<TopicLinkData> text;  // at least one; each at most kTopicBlockDataSize
  // The topics << and >> step to (indexes into the topics written), or kNoTopic.
  size_t browseBack = kNoTopic;
  size_t browseForward = kNoTopic;
};

struct PlacedTopic {
  uint32_t offset;    // TOPICOFFSET of its header: what |CONTEXT, |CTXOMAP and |TTLBTREE hold
  uint32_t position;  // TOPICPOS of its header
};

struct TopicSection {
  std::string bytes;
  std::vector<PlacedTopic> topics;
};

TopicSection WriteTopicSection(const std::vector<TopicRecords>& topics);

}  // namespace hlpc
