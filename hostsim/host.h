// The stand-in host: a services object, a menu tree, source modules with editor buffers,
// failure injection on every operation, and a ledger of every object handed out.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_intf.h"
#include "hostsim/ledger.h"
#include "hostsim/raise.h"

namespace hostsim {

// What an injected failure does: return null, raise the host language's exception
// (message "host failure in " and the operation), or fault with an access violation.
enum class Fault { None, ReturnNull, Raise, AccessViolation };

struct MenuNode {
  std::string name;
  std::string caption;
  std::string hint;
  int32_t shortCut = 0;
  int32_t context = 0;
  int32_t groupIndex = 0;
  uint8_t flags = 0;
  TIMenuClickEvent onClick{nullptr, nullptr};
  MenuNode* parent = nullptr;
  std::vector<std::unique_ptr<MenuNode>> children;

  int32_t Position() const;
};

// Every value one InsertChild call was passed.
struct InsertChildCall {
  std::string owner;
  int32_t index;
  std::string caption;
  std::string name;
  std::string hint;
  int32_t shortCut;
  int32_t context;
  int32_t groupIndex;
  uint8_t flags;
  TIMenuClickEvent onClick;
};

struct SourceModule {
  std::string text;
  bool modified = false;  // an unsaved edit, as the host's editor marks it
  int liveReaders = 0;
  int liveWriters = 0;
  bool readerAndWriterAtOnce = false;
};

class SimBase {
 public:
  virtual ~SimBase() = default;
};

class Host {
 public:
  Host();
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The services object; the host keeps its own reference for its lifetime.
  TIHostServices* services() const { return services_; }
  int32_t servicesRefs() const;

  std::string projectFileName;
  HWND__* hostWindow = nullptr;
  std::vector<std::string> reportedErrors;
  // Called with each message the add-in reports (the host shows it to the user).
  std::function<void(const std::string&)> onReportError;
  std::vector<InsertChildCall> insertCalls;
  ObjectLedger ledger;

  MenuNode& menuRoot() { return root_; }
  // Adds an item below the item named `parent` (the root when empty).
  MenuNode& AddMenuItem(const std::string& parent, const std::string& name,
                        const std::string& caption);
  MenuNode* FindMenu(const std::string& name);
  // Chooses the menu item: calls its click handler with a fresh item object.
  bool Click(const std::string& name);

  SourceModule& OpenModule(const std::string& fileName, const std::string& text);
  SourceModule* FindModule(const std::string& fileName);

  // From the call after `succeedingCalls` on, `operation` returns null or raises.
  void SetFault(const std::string& operation, Fault fault, int succeedingCalls = 0);
  void ClearFaults() { faults_.clear(); }
  // Counts the call and returns the fault in force; raises for Fault::Raise and faults
  // for Fault::AccessViolation, as the host does (see hostsim/raise.h).
  Fault Check(std::string_view operation);
  int calls(std::string_view operation) const;

  // Takes ownership of an object handed out; it lives until the host goes.
  template <typename T>
  T* Keep(std::unique_ptr<T> object) {
    T* raw = object.get();
    objects_.push_back(std::move(object));
    return raw;
  }

 private:
  struct FaultRule {
    Fault fault = Fault::None;
    int succeedingCalls = 0;
  };
  MenuNode root_;
  std::map<std::string, SourceModule> modules_;
  std::map<std::string, FaultRule, std::less<>> faults_;
  std::map<std::string, int, std::less<>> calls_;
  std::vector<std::unique_ptr<SimBase>> objects_;
  std::vector<std::unique_ptr<LanguageException>> raised_;  // alive while anyone may read them
  TIHostServices* services_ = nullptr;
};

}  // namespace hostsim
