// B+ trees, the structure of the internal directory and of the keyed internal files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace hlpc {

struct BTreeFormat {
  uint16_t flags;
  uint16_t pageSize;
  const char* structure;  // the entry layout, e.g. "L4"
};

constexpr BTreeFormat kDirectoryTree{0x0402, 0x0400, "z4"};
constexpr BTreeFormat kContextTree{0x0002, 0x0800, "L4"};
constexpr BTreeFormat kTitleTree{0x0002, 0x0800, "Lz"};

struct BTreeEntry {
  std::string key;   // the key as index pages hold it
  std::string leaf;  // the whole leaf entry: key and data
};

// `entries` come sorted as the file's readers compare their keys. Leaf pages come first,
// chained both ways, then each index level; the root is the last page. Readers search the
// tree by descending it, so an empty tree still gets one (empty) leaf.
std::string WriteBTree(const BTreeFormat& format, const std::vector<BTreeEntry>& entries);

// The index of the first entry of each leaf page WriteBTree writes (leaf pages are pages
// 0 to n-1).
std::vector<size_t> LeafPageStarts(const BTreeFormat& format, const std::vector<BTreeEntry>& entries);

}  // namespace hlpc
