#include "tests/win32/registry_snapshot.h"

#include <gtest/gtest.h>

#include <map>

namespace testsupport {

struct RegistrySnapshot::Tree {
  std::map<std::string, std::pair<DWORD, std::string>> values;  // name -> type, bytes
  std::map<std::string, Tree> keys;

  bool operator==(const Tree& other) const { return values == other.values && keys == other.keys; }
};

namespace {

using Tree = RegistrySnapshot::Tree;

std::unique_ptr<Tree> Capture(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  auto tree = std::make_unique<Tree>();
  char name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, type = 0, dataSize = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
    std::string data(dataSize, '\0');
    nameSize = sizeof name;
    RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &dataSize);
    data.resize(dataSize);
    tree->values[std::string(name, nameSize)] = {type, data};
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::string child(name, nameSize);
    if (auto sub = Capture(key, child)) tree->keys[child] = std::move(*sub);
  }
  RegCloseKey(key);
  return tree;
}

// Windows NT deletes only keys without subkeys, so the tree goes leaves first.
void DeleteTree(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  for (DWORD nameSize = sizeof name; RegEnumKeyExA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) ==
                                     ERROR_SUCCESS;
       nameSize = sizeof name) {
    DeleteTree(key, name);
  }
  RegCloseKey(key);
  RegDeleteKeyA(parent, path.c_str());
}

void Write(HKEY parent, const std::string& path, const Tree& tree) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot put the registry key " << path << " back";
    return;
  }
  for (const auto& [name, value] : tree.values) {
    RegSetValueExA(key, name.c_str(), 0, value.first, reinterpret_cast<const BYTE*>(value.second.data()),
                   static_cast<DWORD>(value.second.size()));
  }
  for (const auto& [name, sub] : tree.keys) Write(key, name, sub);
  RegCloseKey(key);
}

// The key of `path` to record: the first one that is missing, so that keys a test
// creates on the way are removed again, or else the key itself.
std::string FirstMissingOrWhole(HKEY root, const std::string& path) {
  for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    const std::string part = path.substr(0, end);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, part.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return part;
    RegCloseKey(key);
    if (end == std::string::npos) return path;
  }
}

}  // namespace

RegistrySnapshot::RegistrySnapshot(HKEY root, const std::string& path)
    : root_(root), path_(FirstMissingOrWhole(root, path)), saved_(Capture(root_, path_)) {}

RegistrySnapshot::~RegistrySnapshot() {
  const std::unique_ptr<Tree> now = Capture(root_, path_);
  if (!now && !saved_) return;
  if (now && saved_ && *now == *saved_) return;
  DeleteTree(root_, path_);
  if (saved_) Write(root_, path_, *saved_);
}

}  // namespace testsupport
