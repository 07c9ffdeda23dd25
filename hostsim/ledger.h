// Counts the references of every host object handed out, so that tests can prove that
// each was released exactly once and in which order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace hostsim {

class ObjectLedger {
 public:
  struct Record {
    std::string kind;
    int32_t refs = 1;
    int releasesPastZero = 0;
    int32_t keptByHost = 0;  // references the host itself holds
  };

  int Register(const std::string& kind, int32_t keptByHost = 0);
  int32_t AddRef(int id);
  int32_t Release(int id);  // returns the new count

  const std::vector<Record>& records() const { return records_; }
  // Kinds in the order in which their last reference went.
  const std::vector<std::string>& releaseOrder() const { return releaseOrder_; }
  int live() const;
  // Empty when every object handed out was released exactly once; otherwise what is wrong.
  std::string Problems() const;

 private:
  std::vector<Record> records_;
  std::vector<std::string> releaseOrder_;
};

}  // namespace hostsim
