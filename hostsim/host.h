// The stand-in host: plays the host IDE to its binary interface, as the design states it
// (its own tables, long strings from its own allocator, the hidden result, register
// callbacks, ReportError raising the IDE's exception). Written from that statement, not
// from the add-in's binding: it shares nothing with it but the names of the host's classes,
// which it hands out as opaque pointers. Every failure can be injected; ledgers record
// every object, every string and every call the add-in has no business making.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/ledger.h"
#include "hostsim/raise.h"
#include "hostsim/string_ledger.h"

struct HWND__;
// The host's objects, under the names the add-in's binding gives them.
class TIHostServices;
class TIExpert;

namespace hostsim {

// What an injected failure does: return null (or false), raise the host language's
// exception (message "host failure in " and the operation), or fault with an access
// violation.
enum class Fault { None, ReturnNull, Raise, AccessViolation };

// A method pointer of the host's language as the add-in passed it: Code, then Data.
struct ClickEvent {
  void* code = nullptr;
  void* data = nullptr;
};

struct MenuNode {
  std::string name;
  std::string caption;
  std::string hint;
  int32_t shortCut = 0;
  int32_t context = 0;
  int32_t groupIndex = 0;
  uint8_t flags = 0;
  ClickEvent onClick;
  bool createdByAddIn = false;  // only such an item may be destroyed through DestroyMenuItem
  MenuNode* parent = nullptr;
  std::vector<std::unique_ptr<MenuNode>> children;

  int32_t Position() const;
};

// Every value one InsertItem call was passed (its texts read as host strings).
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
  ClickEvent onClick;
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

  // The services object (TIToolServices); the host keeps its own reference for its lifetime.
  TIHostServices* services() const { return services_; }
  int32_t servicesRefs() const;

  std::string projectFileName;
  // GetProjectName answers a constant (count -1) holding projectFileName, as the host's
  // language answers a literal: the add-in must neither write nor free it.
  bool projectNameAsConstant = false;
  // GetProjectName answers a pointer that cannot be read: a host too broken to lay out its
  // string.
  bool projectNameUnreadable = false;
  HWND__* hostWindow = nullptr;

  // Messages that reached the host's own handler, in order: ReportError's (its exception
  // caught around the call into the add-in, as the IDE catches it) and any other exception
  // that came out of the add-in.
  std::vector<std::string> reportedErrors;
  // Called with each of them (the stand-in program shows it in a box, as the IDE does).
  std::function<void(const std::string&)> onReportError;
  std::vector<InsertChildCall> insertCalls;
  ObjectLedger ledger;
  StringLedger strings;
  // Calls of slots the add-in has no business calling, and calls with a Self or a result
  // variable that cannot be right, each described.
  std::vector<std::string> misuses;

  MenuNode& menuRoot() { return root_; }
  // Adds an item below the item named `parent` (the root when empty).
  MenuNode& AddMenuItem(const std::string& parent, const std::string& name, const std::string& caption);
  MenuNode* FindMenu(const std::string& name);

  SourceModule& OpenModule(const std::string& fileName, const std::string& text);
  SourceModule* FindModule(const std::string& fileName);

  // From the call after `succeedingCalls` on, `operation` returns null (false) or raises.
  // Operations are named as the add-in's binding names them ("GetProjectFileName",
  // "OpenSourceModule", "InsertChild", "KeepUpTo"...); "<kind>.Release" names the release
  // of an object of a ledger kind ("Writer.Release"): a failing release leaves the
  // object's count as it was.
  void SetFault(const std::string& operation, Fault fault, int succeedingCalls = 0);
  void ClearFaults() { faults_.clear(); }
  // Counts the call and returns the fault in force; raises for Fault::Raise and faults
  // for Fault::AccessViolation, as the host does (see hostsim/raise.h).
  Fault Check(std::string_view operation);
  int calls(std::string_view operation) const;

  // The IDE's side: calls into the add-in as the IDE makes them. Each runs inside
  // CallAddIn; on i686 each goes through a thunk that records a misuse when the callee
  // does not leave the stack pointer, EBX, ESI, EDI and EBP as the convention demands.
  //
  // Runs one call into the add-in: an exception that comes out of it is caught here, as
  // the IDE's own handler catches it, and recorded in reportedErrors and handed to
  // onReportError. False when an exception ended the call.
  bool CallAddIn(const std::function<void()>& call);
  // INITEXPERT0016(ToolServices, RegisterProc, var Terminate) of the library entry point
  // `entryPoint`, with the host's registration procedure (register convention) and a
  // termination slot; the result byte, or 0 when an exception ended the call.
  uint8_t InitExpert(void* entryPoint);
  // The add-in objects registered so far, each holding the reference it was given.
  const std::vector<TIExpert*>& experts() const { return experts_; }
  // What the termination slot holds after the entry (null unless the add-in set it).
  void* terminateProc() const { return terminate_; }
  // The add-in object's slots. A string query (slots 3 to 6, 10, 11) is called with the
  // hidden result variable holding `oldValue` (a host string of ours, empty: nil), and
  // its answer is read and freed through the host.
  int32_t ExpertCall(TIExpert* expert, int slot);  // AddRef, Release, GetVersion
  std::string ExpertText(TIExpert* expert, int slot, const std::string& oldValue = "");
  uint8_t ExpertByte(TIExpert* expert, int slot);  // GetStyle, GetState
  void* ExpertGlyph(TIExpert* expert);
  void ExpertExecute(TIExpert* expert);
  // As the IDE at its close: every registered object released once, in order.
  void ReleaseExperts();
  // Chooses the menu item: calls its click event (register convention: Data in EAX, a
  // fresh item object in EDX) inside CallAddIn. False when there is no such item or it has
  // no handler.
  bool Click(const std::string& name);

  // Empty when nothing is wrong; otherwise every object held or released too often, every
  // string leaked, freed twice, not the host's or written when constant, every misuse, and
  // every reader and writer of one buffer alive together.
  std::string Problems() const;

  // Takes ownership of an object handed out; it lives until the host goes.
  template <typename T>
  T* Keep(std::unique_ptr<T> object) {
    T* raw = object.get();
    objects_.push_back(std::move(object));
    return raw;
  }

 private:
  friend struct HostInternals;
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
  std::vector<TIExpert*> experts_;
  std::vector<std::unique_ptr<MenuNode>> removedNodes_;  // destroyed items, which objects may still name
  void* terminate_ = nullptr;
  TIHostServices* services_ = nullptr;

  // A language exception the host raises; kept while anyone may read it.
  const LanguageException& NewException(std::string message);
  [[noreturn]] void Raise(std::string_view message);
};

}  // namespace hostsim
