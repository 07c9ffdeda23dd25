// The host IDE's objects as the add-in uses them, under the add-in's own names. Each is
// the host's own object (a pointer to its table first, nothing of ours in it); the members
// call its table's entries (host_vtbl.h) with the host's conventions, each call through
// the guard (host_call.h), so that a failure of the host arrives as base::Error. Texts are
// std::string here: host strings stay inside the binding.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "host/host_vtbl.h"

// Slots 0 to 2 of every host and add-in object.
class TInterface {
 public:
  TInterface(const TInterface&) = delete;
  TInterface& operator=(const TInterface&) = delete;

  int32_t AddRef();
  int32_t Release();  // the object is gone when the count reaches 0
  int32_t GetVersion();

 protected:
  explicit TInterface(const void* vtbl) : lpVtbl_(vtbl) {}
  ~TInterface() = default;
  template <typename Vtbl>
  const Vtbl& vtbl() const {
    return *static_cast<const Vtbl*>(lpVtbl_);
  }

 private:
  const void* lpVtbl_;
};

class TIMenuItemIntf : public TInterface {
 public:
  // Takes out a menu item the add-in created (the host refuses its own); true when done.
  bool DestroyMenuItem();
  int32_t GetPosition();
  TIMenuItemIntf* GetOwnerItem();  // null at the top
  // A new item at `index` (an append when out of range) that calls `onClick` when chosen.
  TIMenuItemIntf* InsertChild(int32_t index, std::string_view caption, std::string_view name,
                              std::string_view hint, int32_t shortCut, int32_t context, int32_t groupIndex,
                              hostapi::TIMenuFlags flags, hostapi::TIMenuClickEvent onClick);
};

class TIMenuBarIntf : public TInterface {
 public:
  TIMenuItemIntf* GetTopItems();
  TIMenuItemIntf* FindItemByName(std::string_view name);  // null when there is none
};

class TIBufferReader : public TInterface {
 public:
  // Copies up to `count` characters from the zero-based position; returns how many.
  int32_t ReadChars(int32_t position, char* buffer, int32_t count);
};

// The writer copies the original text forward; its edits are in the text once the writer
// is released. Each operation answers whether the host did it.
class TIBufferWriter : public TInterface {
 public:
  bool KeepUpTo(int32_t position);
  bool SkipUpTo(int32_t position);
  bool InsertText(const std::string& text);
};

class TIEditBufferIntf : public TInterface {
 public:
  TIBufferReader* NewReader();
  TIBufferWriter* NewWriter();
};

class TISourceModuleIntf : public TInterface {
 public:
  TIEditBufferIntf* GetEditBuffer();
};

// The host's services object: the host's for its lifetime, never released by the add-in.
class TIHostServices : public TInterface {
 public:
  HWND__* GetHostWindow();
  // The full path of the open project's main source file; empty when no project is open.
  std::string GetProjectFileName();
  TIMenuBarIntf* GetMenuBar();
  TISourceModuleIntf* OpenSourceModule(const std::string& fileName);  // null when not open

  // Hands `message` to the host, which shows it. On the IDE it does not return: it raises
  // the host's exception, which unwinds through the caller to the host's own handler. So
  // it is the last call of an entry, made outside every guard with nothing of ours left to
  // release; no guard of ours may catch it. The message goes as a constant (the host copies
  // it into its exception), cut at kReportCapacity bytes.
  void ReportError(std::string_view message);
  static constexpr size_t kReportCapacity = 1023;

  // The four string functions (host_string.h uses them).
  hostapi::HostStr NewString(std::string_view text);
  void FreeString(hostapi::HostStr& str);
};

// TExpertStyle and TExpertState of the host's add-in unit.
enum TExpertStyle : uint8_t { esStandard, esForm, esProject, esAddIn };
enum : uint8_t { esEnabled = 1, esChecked = 2 };  // TExpertState: a set of these bits

// The host's add-in base class: an object of ours whose table is built from TIExpertVtbl.
class TIExpert : public TInterface {
 protected:
  explicit TIExpert(const hostapi::TIExpertVtbl* vtbl) : TInterface(vtbl) {}
  ~TIExpert() = default;
};

// The registration procedure the host passes: function(Expert: TIExpert): Boolean, in the
// host's register convention (the object in EAX, the result in AL).
using TExpertRegisterProc = uint8_t(HOSTREGISTER*)(TIExpert* expert);
// The termination procedure: a parameterless procedure of the register convention.
using TExpertTerminateProc = void(HOSTREGISTER*)();

// The interface version that our add-in object reports.
constexpr int32_t kInterfaceVersion = 2;

static_assert(sizeof(TIHostServices) == sizeof(void*), "a host object is its table pointer");
