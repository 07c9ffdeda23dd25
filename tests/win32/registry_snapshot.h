// A registry key tree as it was before a test, put back afterwards: tests write the host's
// keys (its install key, the add-in list), and on a Windows machine with the real IDE those
// hold other add-ins' registrations that a test must not destroy.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace testsupport {

class RegistrySnapshot {
 public:
  // Records the tree under `root`\`path` (its values and subkeys), or that it is absent
  // from its first missing key on.
  RegistrySnapshot(HKEY root, const std::string& path);
  // Puts the tree back when it differs from what was recorded.
  ~RegistrySnapshot();
  RegistrySnapshot(const RegistrySnapshot&) = delete;
  RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

  struct Tree;

 private:
  HKEY root_;
  std::string path_;
  std::unique_ptr<Tree> saved_;  // null: the key did not exist
};

}  // namespace testsupport
