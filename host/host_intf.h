// The host IDE's object model as the add-in sees it. Every object starts with its vtable
// pointer; the virtual operations sit in the order of the host's tables and use the
// stdcall convention, so no virtual destructor or other virtual may be added here.
#pragma once
#include <cstdint>

#if defined(__i386__) || defined(_M_IX86)
#define HOSTAPI __stdcall
#else
#define HOSTAPI  // other targets have a single calling convention
#endif

struct HWND__;  // the same type as windows.h's HWND

class TIMenuItemIntf;

// Positions 0 to 2 of every host and add-in object.
class TInterface {
 public:
  virtual int32_t HOSTAPI AddRef() = 0;
  virtual int32_t HOSTAPI Release() = 0;
  virtual int32_t HOSTAPI GetVersion() = 0;

 protected:
  TInterface() = default;
  ~TInterface() = default;
};

// The host's method pointer for a menu click: Code called with Data and the item.
struct TIMenuClickEvent {
  void(HOSTAPI* Code)(void* data, TIMenuItemIntf* sender);
  void* Data;
};

class TIMenuItemIntf : public TInterface {
 public:
  virtual int32_t HOSTAPI GetPosition() = 0;
  virtual TIMenuItemIntf* HOSTAPI GetOwnerItem() = 0;
  virtual TIMenuItemIntf* HOSTAPI InsertChild(int32_t index, const char* caption, const char* name,
                                              const char* hint, int32_t shortCut, int32_t context,
                                              int32_t groupIndex, uint8_t flags,
                                              TIMenuClickEvent onClick) = 0;

 protected:
  ~TIMenuItemIntf() = default;
};

class TIMenuBarIntf : public TInterface {
 public:
  virtual TIMenuItemIntf* HOSTAPI GetTopItems() = 0;
  virtual TIMenuItemIntf* HOSTAPI FindItemByName(const char* name) = 0;

 protected:
  ~TIMenuBarIntf() = default;
};

class TIBufferReader : public TInterface {
 public:
  // Copies up to `count` characters from the zero-based position; returns how many.
  virtual int32_t HOSTAPI ReadChars(int32_t position, char* buffer, int32_t count) = 0;

 protected:
  ~TIBufferReader() = default;
};

// The edits of a writer are in the text once the writer is released.
class TIBufferWriter : public TInterface {
 public:
  virtual void HOSTAPI KeepUpTo(int32_t position) = 0;
  virtual void HOSTAPI SkipUpTo(int32_t position) = 0;
  virtual void HOSTAPI InsertText(const char* text) = 0;

 protected:
  ~TIBufferWriter() = default;
};

class TIEditBufferIntf : public TInterface {
 public:
  virtual TIBufferReader* HOSTAPI NewReader() = 0;
  virtual TIBufferWriter* HOSTAPI NewWriter() = 0;

 protected:
  ~TIEditBufferIntf() = default;
};

class TISourceModuleIntf : public TInterface {
 public:
  virtual TIEditBufferIntf* HOSTAPI GetEditBuffer() = 0;

 protected:
  ~TISourceModuleIntf() = default;
};

// Texts returned are owned by the object and valid until its next call or release.
class TIHostServices : public TInterface {
 public:
  virtual HWND__* HOSTAPI GetHostWindow() = 0;
  virtual const char* HOSTAPI GetProjectFileName() = 0;
  virtual TIMenuBarIntf* HOSTAPI GetMenuBar() = 0;
  virtual void HOSTAPI ReportError(const char* message) = 0;
  virtual TISourceModuleIntf* HOSTAPI OpenSourceModule(const char* fileName) = 0;

 protected:
  ~TIHostServices() = default;
};

enum TExpertStyle : uint8_t { esStandard, esForm, esProject, esAddIn };
enum : uint8_t { esEnabled = 1, esChecked = 2 };  // TExpertState is a set of these bits

// The host's add-in base class, positions 3 to 12. The further queries exist only to keep
// the positions; the host never calls them on this add-in.
class TIExpert : public TInterface {
 public:
  virtual const char* HOSTAPI GetName() = 0;
  virtual const char* HOSTAPI GetAuthor() = 0;
  virtual const char* HOSTAPI GetComment() = 0;
  virtual const char* HOSTAPI GetPage() = 0;
  virtual void* HOSTAPI GetGlyph() = 0;
  virtual uint8_t HOSTAPI GetStyle() = 0;
  virtual uint8_t HOSTAPI GetState() = 0;
  virtual const char* HOSTAPI GetIDString() = 0;
  virtual const char* HOSTAPI GetMenuText() = 0;
  virtual void HOSTAPI Execute() = 0;

 protected:
  ~TIExpert() = default;
};

using TExpertRegisterProc = uint8_t(HOSTAPI*)(TIExpert* expert);
using TExpertTerminateProc = void(HOSTAPI*)();

// The interface version that GetVersion reports.
constexpr int32_t kInterfaceVersion = 2;
