// The files that find topics: |CONTEXT (context hash), |CTXOMAP (context number, for
// HELP_CONTEXT) and |TTLBTREE (titles, for the viewer's lists and search).
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace hlpc {

// Pairs of {context hash, TOPICOFFSET}, in any order.
std::string WriteContextFile(std::vector<std::pair<uint32_t, uint32_t>> hashes);
// Pairs of {context number, TOPICOFFSET}, in any order.
std::string WriteContextMapFile(std::vector<std::pair<uint32_t, uint32_t>> numbers);
// Pairs of {TOPICOFFSET, code page 932 title}, in any order.
std::string WriteTitleFile(std::vector<std::pair<uint32_t, std::string>> titles);

}  // namespace hlpc
