#include "tools/hlpc/help_file.h"

#include <stdexcept>
#include <vector>

#include "tools/hlpc/btree_writer.h"
#include "tools/hlpc/byte_writer.h"

namespace hlpc {
namespace {

constexpr size_t kFileHeaderSize = 16;
constexpr uint8_t kDirectoryFlags = 4;  // as Microsoft's compilers mark the directory
constexpr uint8_t kFileFlags = 0;

// Reserved space equals the used space: nothing is left free, so there is no free list.
void InternalFile(ByteWriter& out, const std::string& data, uint8_t flags) {
  out.U32(static_cast<uint32_t>(9 + data.size()));
  out.U32(static_cast<uint32_t>(data.size()));
  out.U8(flags);
  out.Bytes(data);
}

}  // namespace

std::string WriteHelpFile(const std::map<std::string, std::string>& files) {
  ByteWriter body;
  std::vector<BTreeEntry> directory;
  for (const auto& [name, data] : files) {
    ByteWriter key, leaf;
    key.Text(name);
    leaf.Text(name);
    leaf.U32(static_cast<uint32_t>(kFileHeaderSize + body.size()));
    directory.push_back({key.Take(), leaf.Take()});
    InternalFile(body, data, kFileFlags);
  }
  const size_t directoryStart = kFileHeaderSize + body.size();
  InternalFile(body, WriteBTree(kDirectoryTree, directory), kDirectoryFlags);
  const size_t total = kFileHeaderSize + body.size();
  if (total > 0x7FFFFFFF) throw std::length_error("help file too large");

  ByteWriter out;
  out.U32(0x00035F3F);
  out.U32(static_cast<uint32_t>(directoryStart));
  out.U32(0xFFFFFFFF);  // no free blocks
  out.U32(static_cast<uint32_t>(total));
  out.Bytes(body.bytes());
  return out.Take();
}

}  // namespace hlpc
