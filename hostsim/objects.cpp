#include "hostsim/objects.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

namespace hostsim {
namespace {

// Every object of every host alive, so that a Self is judged without reading through it.
std::unordered_set<const void*>& LiveObjects() {
  static std::unordered_set<const void*> objects;
  return objects;
}

std::vector<Host*>& Hosts() {
  static std::vector<Host*> hosts;
  return hosts;
}

Object* Find(const void* address) {
  return LiveObjects().count(address) ? static_cast<Object*>(const_cast<void*>(address)) : nullptr;
}

int32_t Refs(const Object& object) { return object.host.ledger.records()[static_cast<size_t>(object.id)].refs; }

}  // namespace

std::string SlotName(Interface i, int slot) {
  const InterfaceInfo& info = Describe(i);
  const char* name = slot >= 0 && slot < info.slotCount ? info.slots[slot] : "beyond the table";
  return std::string(info.name) + " slot " + std::to_string(slot) + " (" + name + ")";
}

Object::Object(Host& owner, Interface kind, const Entry* entries, int32_t keptByHost)
    : table(entries), interface(kind), host(owner), id(owner.ledger.Register(Describe(kind).kind, keptByHost)) {
  LiveObjects().insert(this);
}

Object::~Object() { LiveObjects().erase(this); }

void EnterHost(Host& host) { Hosts().push_back(&host); }

void LeaveHost(Host& host) {
  auto& hosts = Hosts();
  hosts.erase(std::remove(hosts.begin(), hosts.end(), &host), hosts.end());
}

Host& CurrentHost() {
  if (Hosts().empty()) std::abort();  // a call into a host that is gone
  return *Hosts().back();
}

Object& CheckSelf(const void* self, Interface interface, int slot) {
  Object* object = Find(self);
  if (!object || object->interface != interface) {
    Host& host = object ? object->host : CurrentHost();
    host.misuses.push_back(SlotName(interface, slot) + " called with a Self that is no live " +
                           Describe(interface).name);
    HostInternals::Refuse(host);
  }
  // A release past the last is the ledger's to count.
  if (slot != slot::kRelease && Refs(*object) <= 0) {
    object->host.misuses.push_back(SlotName(interface, slot) + " called after the object's last release");
    HostInternals::Refuse(object->host);
  }
  return *object;
}

void CheckResult(Object& self, const HostStr* result, int slot) {
  if (result && static_cast<const void*>(result) != &self) return;
  self.host.misuses.push_back(SlotName(self.interface, slot) + " called with its result variable " +
                              (result ? "at Self" : "null"));
  HostInternals::Refuse(self.host);
}

int32_t Drop(Object& object) {
  const bool wasLive = Refs(object) > 0;
  const int32_t refs = object.host.ledger.Release(object.id);
  if (wasLive && refs == 0 && object.lastReleased) object.lastReleased(object);
  return refs;
}

void ReportUnexpected(Interface interface, int slot, const void* first, const void* second) {
  Object* object = Find(first);
  if (!object) object = Find(second);
  Host& host = object ? object->host : CurrentHost();
  host.misuses.push_back(SlotName(interface, slot) + " called");
  HostInternals::Refuse(host);
}

}  // namespace hostsim
