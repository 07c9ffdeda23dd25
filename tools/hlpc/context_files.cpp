#include "tools/hlpc/context_files.h"

#include <algorithm>
#include <stdexcept>

#include "tools/hlpc/btree_writer.h"
#include "tools/hlpc/byte_writer.h"

namespace hlpc {

std::string WriteContextFile(std::vector<std::pair<uint32_t, uint32_t>> hashes) {
  // The viewers compare hashes as signed 32-bit numbers.
  std::sort(hashes.begin(), hashes.end(), [](const auto& a, const auto& b) {
    return static_cast<int32_t>(a.first) < static_cast<int32_t>(b.first);
  });
  std::vector<BTreeEntry> entries;
  for (const auto& [hash, offset] : hashes) {
    ByteWriter key, leaf;
    key.U32(hash);
    leaf.U32(hash);
    leaf.U32(offset);
    entries.push_back({key.Take(), leaf.Take()});
  }
  return WriteBTree(kContextTree, entries);
}

std::string WriteContextMapFile(std::vector<std::pair<uint32_t, uint32_t>> numbers) {
  if (numbers.size() > 0xFFFF) throw std::length_error("too many context numbers");
  // Wine's viewer scans the table; sorted, it also serves a reader that searches it.
  std::sort(numbers.begin(), numbers.end());
  ByteWriter out;
  out.U16(static_cast<uint16_t>(numbers.size()));
  for (const auto& [number, offset] : numbers) {
    out.U32(number);
    out.U32(offset);
  }
  return out.Take();
}

std::string WriteTitleFile(std::vector<std::pair<uint32_t, std::string>> titles) {
  std::sort(titles.begin(), titles.end());
  std::vector<BTreeEntry> entries;
  for (const auto& [offset, title] : titles) {
    ByteWriter key, leaf;
    key.U32(offset);
    leaf.U32(offset);
    leaf.Text(title);
    entries.push_back({key.Take(), leaf.Take()});
  }
  return WriteBTree(kTitleTree, entries);
}

}  // namespace hlpc
