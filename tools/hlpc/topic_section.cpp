#include "tools/hlpc/topic_section.h"

#include <stdexcept>

#include "tools/hlpc/byte_writer.h"

namespace hlpc {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr size_t kTopicHeaderData1Size = 28;

struct Link {
  TopicLinkData data;
  size_t topic = 0;  // index of its topic; the end link has the number of topics
  uint32_t block = 0;
  uint32_t position = 0;  // TOPICPOS: block * 0x4000 + 12 + place in the block, compressed or not
  uint32_t offset = 0;    // TOPICOFFSET: block * 0x8000 + text characters before it in the block
};

std::vector<Link> CollectLinks(const std::vector<TopicRecords>& topics) {
  std::vector<Link> links;
  for (size_t t = 0; t <= topics.size(); ++t) {
    Link header;
    header.topic = t;
    header.data.type = kTopicHeaderLink;
    header.data.data1.assign(kTopicHeaderData1Size, '\0');  // filled once every place is known
    if (t == topics.size()) {
      links.push_back(std::move(header));  // the chain ends with an empty topic header
      break;
    }
    if (topics[t].text.empty()) throw std::logic_error("topic without text record");
    header.data.data2 = topics[t].title;  // without a NUL: the link's length bounds it
    links.push_back(std::move(header));
    for (const TopicLinkData& text : topics[t].text) {
      Link link;
      link.topic = t;
      link.data = text;
      links.push_back(std::move(link));
    }
  }
  return links;
}

// No link is split across blocks. A topic header stays in the block of its first text
// record, so that a topic's TOPICOFFSET lies in the block where its text starts.
void Place(std::vector<Link>& links) {
  uint32_t block = 0;
  size_t used = 0;
  uint32_t characters = 0;
  for (size_t i = 0; i < links.size(); ++i) {
    Link& link = links[i];
    const size_t size = link.data.Size();
    if (size > kTopicBlockDataSize) throw std::logic_error("topic link larger than a topic block");
    size_t keep = size;
    if (link.data.type == kTopicHeaderLink && i + 1 < links.size() && links[i + 1].topic == link.topic) {
      keep += links[i + 1].data.Size();
    }
    if (used > 0 && used + keep > kTopicBlockDataSize) {
      ++block;
      used = 0;
      characters = 0;
    }
    link.block = block;
    link.position = block * 0x4000 + static_cast<uint32_t>(kTopicBlockHeaderSize + used);
    link.offset = block * 0x8000 + characters;
    used += size;
    if (link.data.type == kTextLink) characters += static_cast<uint32_t>(link.data.data2.size());
  }
}

// The browse fields hold the TOPICOFFSET of the neighbour's header; -1 where there is none.
void FillTopicHeaders(std::vector<Link>& links, const std::vector<TopicRecords>& topics) {
  std::vector<uint32_t> headerOffsets(topics.size(), kNone);
  for (const Link& link : links) {
    if (link.data.type == kTopicHeaderLink && link.topic < topics.size()) headerOffsets[link.topic] = link.offset;
  }
  const auto browse = [&](size_t topic) { return topic < topics.size() ? headerOffsets[topic] : kNone; };
  for (size_t i = 0; i < links.size(); ++i) {
    if (links[i].data.type != kTopicHeaderLink) continue;
    uint32_t size = static_cast<uint32_t>(links[i].data.Size());
    uint32_t scroll = kNone;
    uint32_t next = kNone;
    for (size_t j = i + 1; j < links.size(); ++j) {
      if (links[j].data.type == kTopicHeaderLink) {
        next = links[j].position;
        break;
      }
      if (scroll == kNone) scroll = links[j].position;
      size += static_cast<uint32_t>(links[j].data.Size());
    }
    ByteWriter header;
    header.U32(i + 1 < links.size() ? size : 0);  // the bytes of the topic's links
    const bool isTopic = links[i].topic < topics.size();
    header.U32(isTopic ? browse(topics[links[i].topic].browseBack) : kNone);     // <<
    header.U32(isTopic ? browse(topics[links[i].topic].browseForward) : kNone);  // >>
    header.U32(static_cast<uint32_t>(links[i].topic));
    header.U32(kNone);  // no non-scrolling region
    header.U32(scroll);
    header.U32(next);
    links[i].data.data1 = header.Take();
  }
}

void PadBlock(ByteWriter& out) { out.Zeros((kTopicBlockSize - out.size() % kTopicBlockSize) % kTopicBlockSize); }

std::string WriteBlocks(const std::vector<Link>& links) {
  ByteWriter out;
  uint32_t lastHeader = kNone;
  for (size_t i = 0; i < links.size(); ++i) {
    const Link& link = links[i];
    if (i == 0 || link.block != links[i - 1].block) {
      PadBlock(out);
      out.U32(i > 0 ? links[i - 1].position : kNone);  // last link of the block before
      out.U32(link.position);                          // first link of this block
      out.U32(lastHeader);                             // the topic header in force where the block starts
    }
    out.U32(static_cast<uint32_t>(link.data.Size()));
    out.U32(static_cast<uint32_t>(link.data.data2.size()));
    out.U32(i > 0 ? links[i - 1].position : kNone);
    out.U32(i + 1 < links.size() ? links[i + 1].position : kNone);
    out.U32(static_cast<uint32_t>(21 + link.data.data1.size()));
    out.U8(link.data.type);
    out.Bytes(link.data.data1);
    out.Bytes(link.data.data2);
    if (link.data.type == kTopicHeaderLink) lastHeader = link.position;
  }
  PadBlock(out);  // readers copy whole blocks, the last one too
  return out.Take();
}

}  // namespace

TopicSection WriteTopicSection(const std::vector<TopicRecords>& topics) {
  std::vector<Link> links = CollectLinks(topics);
  Place(links);
  FillTopicHeaders(links, topics);
  TopicSection section;
  section.bytes = WriteBlocks(links);
  for (const Link& link : links) {
    if (link.data.type == kTopicHeaderLink && link.topic < topics.size()) {
      section.topics.push_back({link.offset, link.position});
    }
  }
  return section;
}

}  // namespace hlpc
