// The IDE's side: its calls into the add-in, each inside the host's handler (CallAddIn).
#include "hostsim/abi.h"
#include "hostsim/foreign_call.h"
#include "hostsim/host.h"
#include "hostsim/objects.h"

namespace hostsim {
namespace {

// The host whose INITEXPERT0016 call runs: the registration procedure gets no argument
// that could name it.
thread_local Host* registering = nullptr;

// The host's registration procedure, function(Expert: TIExpert): Boolean, in its register
// convention (EAX = the add-in object, the result in AL). The host keeps the reference it
// is given.
uint8_t HOSTSIM_REGISTER RegisterExpert(TIExpert* expert) noexcept {
  Host& host = registering ? *registering : CurrentHost();
  if (!registering || !expert) {
    host.misuses.push_back(!registering ? "registration outside INITEXPERT0016" : "registration of a null object");
    return 0;
  }
  HostInternals::AddExpert(host, expert);
  return 1;
}

// The add-in object's slot, read inside the call: a broken object faults there.
const void* SlotOf(TIExpert* expert, int slot) {
  return reinterpret_cast<const void*>((*reinterpret_cast<Entry* const*>(expert))[slot]);
}

Word CallSlot(Host& host, TIExpert* expert, int slot) {
  const std::string what = SlotName(Interface::Expert, slot);
  Word result = 0;
  host.CallAddIn([&] { result = CallStdcall(host, what, SlotOf(expert, slot), {AsWord(expert)}); });
  return result;
}

}  // namespace

uint8_t Host::InitExpert(void* entryPoint) {
  Host* const outer = registering;
  registering = this;
  terminate_ = nullptr;
  Word result = 0;
  CallAddIn([&] {
    result = CallStdcall(*this, "INITEXPERT0016", entryPoint,
                         {AsWord(services_), reinterpret_cast<Word>(&RegisterExpert), AsWord(&terminate_)});
  });
  registering = outer;
  return static_cast<uint8_t>(result);
}

int32_t Host::ExpertCall(TIExpert* expert, int slot) { return static_cast<int32_t>(CallSlot(*this, expert, slot)); }

// The answer must be a string of ours (or nil), which the host then owns and frees.
std::string Host::ExpertText(TIExpert* expert, int slot, const std::string& oldValue) {
  const std::string what = SlotName(Interface::Expert, slot);
  HostStr answer = strings.New(oldValue);
  CallAddIn([&] { CallStdcall(*this, what, SlotOf(expert, slot), {AsWord(&answer), AsWord(expert)}); });
  if (answer && !strings.Owns(answer)) {
    misuses.push_back(what + " answered a string that is not the host's");
    return "";
  }
  std::string text = strings.Read(answer, what);
  strings.Free(answer);
  return text;
}

uint8_t Host::ExpertByte(TIExpert* expert, int slot) { return static_cast<uint8_t>(CallSlot(*this, expert, slot)); }

void* Host::ExpertGlyph(TIExpert* expert) {
  return reinterpret_cast<void*>(CallSlot(*this, expert, slot::kGetGlyph));
}

void Host::ExpertExecute(TIExpert* expert) { CallSlot(*this, expert, slot::kExecute); }

void Host::ReleaseExperts() {
  for (TIExpert* expert : experts_) ExpertCall(expert, slot::kRelease);
  experts_.clear();
}

// The click event, procedure(Sender: TIMenuItemIntf) of object: Data in EAX, the item in
// EDX. The item object is the host's, released after the call.
bool Host::Click(const std::string& name) {
  MenuNode* node = FindMenu(name);
  if (!node || !node->onClick.code) return false;
  const ClickEvent event = node->onClick;
  const std::string what = "the click event of " + name;
  Object* sender = NewMenuItem(*this, node);
  CallAddIn([&] { CallRegister(*this, what, event.code, AsWord(event.data), AsWord(sender)); });
  Drop(*sender);
  return true;
}

}  // namespace hostsim
