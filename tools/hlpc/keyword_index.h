// The keyword index: |KWBTREE (the keywords, each with its count and place in |KWDATA),
// |KWDATA (the topics of each keyword) and |KWMAP (the first keyword of each leaf page).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/hlpc/btree_writer.h"

namespace hlpc {

constexpr BTreeFormat kKeywordTree{0x0002, 0x0800, "F24"};

// A keyword in code page 932 with letter case folded as WinHelp's index compares it:
// single-byte A-Z become a-z; a double-byte character is kept whole, for its trail byte
// (0x40-0x7E) may look like a letter.
std::string FoldKeyword(const std::string& cp932);

struct IndexedKeyword {
  std::string text;               // code page 932, as the index shows it
  std::vector<uint32_t> offsets;  // TOPICOFFSETs of its topics
};

struct KeywordFiles {
  std::string tree, data, map;
};

// The keywords in the order of their folded forms, byte by byte; the topics of each in
// ascending order. Written in that order because it is the order of real WinHelp, whose
// index ignores letter case; Wine lists the leaves in file order, so the user sees the
// same order in both. Keywords whose folded forms are equal are refused before this.
KeywordFiles WriteKeywordFiles(std::vector<IndexedKeyword> keywords);

}  // namespace hlpc
