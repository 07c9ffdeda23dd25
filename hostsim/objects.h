// What every object of the stand-in host shares: the table pointer first, the checks of
// Self and of a result variable, reference counting through the ledger, and the stubs
// that fill the slots the add-in has no business calling.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostsim/abi.h"
#include "hostsim/host.h"
#include "hostsim/slots.h"

namespace hostsim {

// The few private parts of Host that its objects reach.
struct HostInternals {
  static const LanguageException& Exception(Host& host, std::string message) {
    return host.NewException(std::move(message));
  }
  // Raises the misuse recorded last as the host's exception. Recorded first, in a
  // statement of its own: nothing owning may be alive in the frames the raise skips.
  [[noreturn]] static void Refuse(Host& host) { host.Raise(host.misuses.back()); }
  static void Bury(Host& host, std::unique_ptr<MenuNode> node) { host.removedNodes_.push_back(std::move(node)); }
  static void AddExpert(Host& host, TIExpert* expert) { host.experts_.push_back(expert); }
};

// A host object as the add-in sees it: a pointer to its table, then the host's own data.
// Kept (never freed) until the host goes, so a call after the last release is recorded.
struct Object {
  Object(Host& host, Interface interface, const Entry* table, int32_t keptByHost = 0);
  ~Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  const Entry* table;  // first: the add-in calls through it
  Interface interface;
  Host& host;
  int id;                                // in host.ledger
  void (*lastReleased)(Object&) = nullptr;  // what goes with the last reference
};

// An object kept by the host: SimBase's own table must not come first in the object.
template <typename T>
struct Held final : SimBase {
  template <typename... Args>
  explicit Held(Args&&... args) : object(std::forward<Args>(args)...) {}
  T object;
};

template <typename T, typename... Args>
T* Make(Host& host, Args&&... args) {
  return &host.Keep(std::make_unique<Held<T>>(host, std::forward<Args>(args)...))->object;
}

// Hands out a new object, or null / a failure as injected for `operation`.
template <typename T, typename... Args>
T* Obtain(Host& host, const char* operation, Args&&... args) {
  if (host.Check(operation) == Fault::ReturnNull) return nullptr;
  return Make<T>(host, std::forward<Args>(args)...);
}

// The object `self` names when it is a live object of `interface`; anything else is
// recorded and raised, as the host itself would have crashed on it.
Object& CheckSelf(const void* self, Interface interface, int slot);
template <typename T>
T& SelfOf(const void* self, int slot) {
  return static_cast<T&>(CheckSelf(self, T::kInterface, slot));
}
// A string result's variable must be somewhere else than Self.
void CheckResult(Object& self, const HostStr* result, int slot);

// One reference less, without the fault check (the host's own references).
int32_t Drop(Object& object);
// The hosts alive, innermost last: a call whose Self names no object is recorded by the
// innermost.
void EnterHost(Host& host);
void LeaveHost(Host& host);
Host& CurrentHost();

[[noreturn]] void ReportUnexpected(Interface interface, int slot, const void* first, const void* second);

template <Interface I>
int32_t HOSTSIM_STDCALL AddRefEntry(void* self) noexcept {
  Object& object = CheckSelf(self, I, slot::kAddRef);
  return object.host.ledger.AddRef(object.id);
}

// A failing release leaves the count as it was.
template <Interface I>
int32_t HOSTSIM_STDCALL ReleaseEntry(void* self) noexcept {
  Object& object = CheckSelf(self, I, slot::kRelease);
  if (object.host.Check(Describe(I).releaseOperation) == Fault::ReturnNull) {
    return object.host.ledger.records()[static_cast<size_t>(object.id)].refs;
  }
  return Drop(object);
}

// As the stand-in always answered; what 2.0's own objects answer is not known.
template <Interface I>
int32_t HOSTSIM_STDCALL GetVersionEntry(void* self) noexcept {
  CheckSelf(self, I, slot::kGetVersion);
  return 2;
}

// A slot the add-in has no business calling: recorded, then the host's exception. It never
// returns, so whatever the caller pushed does not matter. The first two arguments find the
// host (Self is the second when a result variable comes first).
template <Interface I, int Slot>
void HOSTSIM_STDCALL Unexpected(void* first, void* second) noexcept {
  ReportUnexpected(I, Slot, first, second);
}

template <typename F>
Entry AsEntry(F* function) {
  return reinterpret_cast<Entry>(function);
}

template <Interface I, int... Slots>
std::vector<Entry> StubTable(std::integer_sequence<int, Slots...>) {
  return {AsEntry(&Unexpected<I, Slots>)...};
}

// A table of interface I: stubs everywhere, then slots 0 to 2 and the given entries.
template <Interface I>
std::vector<Entry> TableOf(std::initializer_list<std::pair<int, Entry>> entries) {
  std::vector<Entry> table = StubTable<I>(std::make_integer_sequence<int, Describe(I).slotCount>());
  table[slot::kAddRef] = AsEntry(&AddRefEntry<I>);
  table[slot::kRelease] = AsEntry(&ReleaseEntry<I>);
  table[slot::kGetVersion] = AsEntry(&GetVersionEntry<I>);
  for (const auto& [number, entry] : entries) table[static_cast<size_t>(number)] = entry;
  return table;
}

// The objects other parts of the host make; those named with an operation are obtained
// through it (null or a failure as injected).
Object* NewServices(Host& host);
Object* NewMenuItem(Host& host, MenuNode* node);
Object* NewMainMenu(Host& host, const char* operation);
Object* NewModule(Host& host, const char* operation, SourceModule* module);

}  // namespace hostsim
