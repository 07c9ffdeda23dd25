#include "tools/hlpc/keyword_index.h"

#include <algorithm>
#include <stdexcept>

#include "base/ansi_path.h"
#include "tools/hlpc/byte_writer.h"

namespace hlpc {

std::string FoldKeyword(const std::string& cp932) {
  std::string folded = cp932;
  for (size_t i = 0; i < folded.size(); ++i) {
    const auto c = static_cast<unsigned char>(folded[i]);
    if (base::IsCp932LeadByte(c)) {
      ++i;  // the trail byte stays as it is
    } else if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

KeywordFiles WriteKeywordFiles(std::vector<IndexedKeyword> keywords) {
  for (IndexedKeyword& keyword : keywords) std::sort(keyword.offsets.begin(), keyword.offsets.end());
  std::stable_sort(keywords.begin(), keywords.end(), [](const IndexedKeyword& a, const IndexedKeyword& b) {
    const std::string x = FoldKeyword(a.text), y = FoldKeyword(b.text);
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
      return static_cast<unsigned char>(p) < static_cast<unsigned char>(q);
    });
  });
  KeywordFiles files;
  ByteWriter data;
  std::vector<BTreeEntry> entries;
  for (const IndexedKeyword& keyword : keywords) {
    if (keyword.offsets.empty() || keyword.offsets.size() > 0x7FFF) throw std::length_error("keyword topics");
    ByteWriter key, leaf;
    key.Text(keyword.text);
    leaf.Text(keyword.text);
    leaf.U16(static_cast<uint16_t>(keyword.offsets.size()));
    leaf.U32(static_cast<uint32_t>(data.size()));  // where its topics start in |KWDATA
    for (uint32_t offset : keyword.offsets) data.U32(offset);
    entries.push_back({key.Take(), leaf.Take()});
  }
  files.tree = WriteBTree(kKeywordTree, entries);
  files.data = data.Take();
  const std::vector<size_t> starts = LeafPageStarts(kKeywordTree, entries);
  ByteWriter map;
  map.U16(static_cast<uint16_t>(starts.size()));
  for (size_t page = 0; page < starts.size(); ++page) {
    map.U32(static_cast<uint32_t>(starts[page]));
    map.U16(static_cast<uint16_t>(page));
  }
  files.map = map.Take();
  return files;
}

}  // namespace hlpc
