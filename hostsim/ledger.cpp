#include "hostsim/ledger.h"

namespace hostsim {

int ObjectLedger::Register(const std::string& kind, int32_t keptByHost) {
  records_.push_back(Record{kind, 1, 0, keptByHost});
  return static_cast<int>(records_.size()) - 1;
}

int32_t ObjectLedger::AddRef(int id) { return ++records_[id].refs; }

int32_t ObjectLedger::Release(int id) {
  Record& r = records_[id];
  if (r.refs <= 0) {
    ++r.releasesPastZero;
    return r.refs;
  }
  if (--r.refs == 0) releaseOrder_.push_back(r.kind);
  return r.refs;
}

int ObjectLedger::live() const {
  int n = 0;
  for (const Record& r : records_) n += r.refs > r.keptByHost ? 1 : 0;
  return n;
}

std::string ObjectLedger::Problems() const {
  std::string problems;
  for (size_t i = 0; i < records_.size(); ++i) {
    const Record& r = records_[i];
    if (r.refs > r.keptByHost) problems += r.kind + " #" + std::to_string(i) + " still held; ";
    if (r.releasesPastZero > 0) problems += r.kind + " #" + std::to_string(i) + " released too often; ";
  }
  return problems;
}

}  // namespace hostsim
