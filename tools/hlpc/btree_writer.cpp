#include "tools/hlpc/btree_writer.h"

#include <cstring>
#include <stdexcept>

#include "tools/hlpc/byte_writer.h"

namespace hlpc {
namespace {

constexpr size_t kLeafHeaderSize = 8;
constexpr size_t kIndexHeaderSize = 6;

struct Page {
  std::string bytes;
  size_t firstEntry;  // its first entry, whose key the level above uses
};

uint16_t PageNumber(size_t n) {
  if (n > 0x7FFF) throw std::length_error("B+ tree too large");
  return static_cast<uint16_t>(n);
}

std::vector<Page> LeafPages(const BTreeFormat& format, const std::vector<BTreeEntry>& entries) {
  std::vector<Page> pages;
  size_t next = 0;
  do {
    const size_t first = next;
    std::string body;
    while (next < entries.size() && kLeafHeaderSize + body.size() + entries[next].leaf.size() <= format.pageSize) {
      body += entries[next++].leaf;
    }
    if (next == first && next < entries.size()) throw std::length_error("B+ tree entry larger than a page");
    const size_t number = pages.size();
    ByteWriter page;
    page.U16(static_cast<uint16_t>(format.pageSize - kLeafHeaderSize - body.size()));  // unused bytes
    page.U16(static_cast<uint16_t>(next - first));
    page.U16(number == 0 ? 0xFFFF : PageNumber(number - 1));
    page.U16(next == entries.size() ? 0xFFFF : PageNumber(number + 1));
    page.Bytes(body);
    page.Zeros(format.pageSize - page.size());
    pages.push_back({page.Take(), first});
  } while (next < entries.size());
  return pages;
}

// One index level over pages [begin, end): each index page names its first child in its
// header and every further child by that child's first key.
std::vector<Page> IndexLevel(const BTreeFormat& format, const std::vector<BTreeEntry>& entries,
                             const std::vector<Page>& pages, size_t begin, size_t end) {
  std::vector<Page> level;
  size_t child = begin;
  while (child < end) {
    const size_t first = child++;
    std::string body;
    uint16_t count = 0;
    while (child < end &&
           kIndexHeaderSize + body.size() + entries[pages[child].firstEntry].key.size() + 2 <= format.pageSize) {
      ByteWriter entry;
      entry.Bytes(entries[pages[child].firstEntry].key);
      entry.U16(PageNumber(child));
      body += entry.bytes();
      ++child;
      ++count;
    }
    if (count == 0 && child < end) throw std::length_error("B+ tree key larger than a page");
    ByteWriter page;
    page.U16(static_cast<uint16_t>(format.pageSize - kIndexHeaderSize - body.size()));
    page.U16(count);
    page.U16(PageNumber(first));
    page.Bytes(body);
    page.Zeros(format.pageSize - page.size());
    level.push_back({page.Take(), pages[first].firstEntry});
  }
  return level;
}

}  // namespace

std::string WriteBTree(const BTreeFormat& format, const std::vector<BTreeEntry>& entries) {
  std::vector<Page> pages = LeafPages(format, entries);
  uint16_t levels = 1;
  for (size_t begin = 0, end = pages.size(); end - begin > 1; begin = end, end = pages.size()) {
    std::vector<Page> level = IndexLevel(format, entries, pages, begin, end);
    pages.insert(pages.end(), level.begin(), level.end());
    ++levels;
  }

  ByteWriter tree;
  tree.U16(0x293B);
  tree.U16(format.flags);
  tree.U16(format.pageSize);
  char structure[16] = {};
  std::strncpy(structure, format.structure, sizeof structure - 1);
  tree.Bytes(std::string_view(structure, sizeof structure));
  tree.U16(0);
  tree.U16(PageNumber(pages.size() - levels));  // page splits: every page but the first of each level
  tree.U16(PageNumber(pages.size() - 1));       // root
  tree.U16(0xFFFF);
  tree.U16(PageNumber(pages.size()));
  tree.U16(levels);
  tree.U32(static_cast<uint32_t>(entries.size()));
  for (const Page& page : pages) tree.Bytes(page.bytes);
  return tree.Take();
}

std::vector<size_t> LeafPageStarts(const BTreeFormat& format, const std::vector<BTreeEntry>& entries) {
  std::vector<size_t> starts;
  for (const Page& page : LeafPages(format, entries)) starts.push_back(page.firstEntry);
  return starts;
}

}  // namespace hlpc
