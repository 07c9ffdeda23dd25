// The services object (TIToolServices): the host's window and project, the entries to its
// modules and menu, the four string functions, and the error report that never returns.
#include "hostsim/addin_catch.h"
#include "hostsim/objects.h"

namespace hostsim {

namespace {

// What GetProjectName answers for a host too broken to lay out its string: a pointer into
// the first page, never mapped. The stand-in never reads it; freeing it is harmless.
char* const kUnreadable = reinterpret_cast<char*>(0x10);

const Entry* ServicesTable();

struct Services : Object {
  static constexpr Interface kInterface = Interface::ToolServices;
  explicit Services(Host& host) : Object(host, kInterface, ServicesTable(), 1) {}
};

Host& HostOf(void* self, int slot) { return SelfOf<Services>(self, slot).host; }

HWND__* HOSTSIM_STDCALL GetParentHandle(void* self) noexcept {
  Host& host = HostOf(self, slot::kGetParentHandle);
  return host.Check("GetHostWindow") == Fault::ReturnNull ? nullptr : host.hostWindow;
}

// The variable's old value is released first, as the host assigns a result.
void HOSTSIM_STDCALL GetProjectName(HostStr* result, void* self) noexcept {
  Services& services = SelfOf<Services>(self, slot::kGetProjectName);
  CheckResult(services, result, slot::kGetProjectName);
  Host& host = services.host;
  const Fault fault = host.Check("GetProjectFileName");
  if (*result != kUnreadable) host.strings.Free(*result);
  *result = nullptr;
  if (fault == Fault::ReturnNull) return;
  if (host.projectNameUnreadable) {
    *result = kUnreadable;
  } else {
    *result = host.projectNameAsConstant ? host.strings.Constant(host.projectFileName)
                                         : host.strings.New(host.projectFileName);
  }
}

void* HOSTSIM_STDCALL GetModuleInterface(void* self, const char* fileName) noexcept {
  Host& host = HostOf(self, slot::kGetModuleInterface);
  SourceModule* module = host.FindModule(host.strings.Read(fileName, "GetModuleInterface's file name"));
  if (!module) {
    host.Check("OpenSourceModule");
    return nullptr;  // the file is not open as a module
  }
  return NewModule(host, "OpenSourceModule", module);
}

void* HOSTSIM_STDCALL GetMainMenu(void* self) noexcept {
  return NewMainMenu(HostOf(self, slot::kGetMainMenu), "GetMenuBar");
}

// Nil for an empty or null text.
HostStr HOSTSIM_STDCALL NewPascalString(void* self, const char* text) noexcept {
  Host& host = HostOf(self, slot::kNewPascalString);
  if (host.Check("NewPascalString") == Fault::ReturnNull) return nullptr;
  return host.strings.New(text ? text : "");
}

// The string functions take the address of the add-in's variable.
HostStr& Variable(Host& host, HostStr* variable, int slot) {
  if (!variable) {
    host.misuses.push_back(SlotName(Interface::ToolServices, slot) + " called with a null variable");
    HostInternals::Refuse(host);
  }
  return *variable;
}

void HOSTSIM_STDCALL FreePascalString(void* self, HostStr* variable) noexcept {
  Host& host = HostOf(self, slot::kFreePascalString);
  HostStr& str = Variable(host, variable, slot::kFreePascalString);
  if (str == kUnreadable) {
    str = nullptr;
  } else {
    host.strings.Free(str);
  }
}

void HOSTSIM_STDCALL ReferencePascalString(void* self, HostStr* variable) noexcept {
  Host& host = HostOf(self, slot::kReferencePascalString);
  host.strings.Reference(Variable(host, variable, slot::kReferencePascalString));
}

void HOSTSIM_STDCALL AssignPascalString(void* self, HostStr* dest, HostStr* src) noexcept {
  Host& host = HostOf(self, slot::kAssignPascalString);
  HostStr& to = Variable(host, dest, slot::kAssignPascalString);
  host.strings.Assign(to, Variable(host, src, slot::kAssignPascalString));
}

// Raises the host's exception with the message, which unwinds through the add-in to the
// host's handler around its call (Host::CallAddIn). Never returns, unless a fault makes it
// return as on a host where it does.
void HOSTSIM_STDCALL RaiseException(void* self, const char* message) noexcept {
  Host& host = HostOf(self, slot::kRaiseException);
  if (AddInHandlerOnChain()) {
    host.misuses.push_back("ReportError called with a handler of the add-in on the exception chain");
  }
  const LanguageException& exception =
      HostInternals::Exception(host, host.strings.Read(message, "RaiseException's message"));
  if (host.Check("ReportError") == Fault::ReturnNull) return;
  RaiseLanguageException(exception);
}

const Entry* ServicesTable() {
  static const std::vector<Entry> table = TableOf<Interface::ToolServices>({
      {slot::kGetParentHandle, AsEntry(&GetParentHandle)},
      {slot::kGetProjectName, AsEntry(&GetProjectName)},
      {slot::kGetModuleInterface, AsEntry(&GetModuleInterface)},
      {slot::kGetMainMenu, AsEntry(&GetMainMenu)},
      {slot::kNewPascalString, AsEntry(&NewPascalString)},
      {slot::kFreePascalString, AsEntry(&FreePascalString)},
      {slot::kReferencePascalString, AsEntry(&ReferencePascalString)},
      {slot::kAssignPascalString, AsEntry(&AssignPascalString)},
      {slot::kRaiseException, AsEntry(&RaiseException)},
  });
  return table.data();
}

}  // namespace

Object* NewServices(Host& host) { return Make<Services>(host); }

}  // namespace hostsim
