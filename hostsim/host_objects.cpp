#include "hostsim/host_objects.h"

#include <algorithm>
#include <cstring>

namespace hostsim {
namespace {

// Reference counting through the host's ledger. An object is kept (not freed) when its
// count reaches 0, so that a release too many is recorded instead of corrupting memory.
template <typename Interface>
class SimObject : public Interface, public SimBase {
 public:
  SimObject(Host& host, const char* kind, int32_t keptByHost = 0)
      : host_(host), id_(host.ledger.Register(kind, keptByHost)) {}

  int32_t HOSTAPI AddRef() override { return host_.ledger.AddRef(id_); }
  int32_t HOSTAPI Release() override {
    const bool wasLive = host_.ledger.records()[id_].refs > 0;
    const int32_t refs = host_.ledger.Release(id_);
    if (wasLive && refs == 0) LastReleased();
    return refs;
  }
  int32_t HOSTAPI GetVersion() override { return kInterfaceVersion; }

 protected:
  virtual void LastReleased() {}
  Host& host_;

 private:
  int id_;
};

// Hands out a new object, or null / a failure as injected for `operation`.
template <typename T, typename... Args>
T* Obtain(Host& host, const char* operation, Args&&... args) {
  if (host.Check(operation) == Fault::ReturnNull) return nullptr;
  return host.Keep(std::make_unique<T>(host, std::forward<Args>(args)...));
}

class MenuItem final : public SimObject<TIMenuItemIntf> {
 public:
  MenuItem(Host& host, MenuNode* node) : SimObject(host, "MenuItem"), node_(node) {}

  int32_t HOSTAPI GetPosition() override {
    host_.Check("GetPosition");
    return node_->Position();
  }
  TIMenuItemIntf* HOSTAPI GetOwnerItem() override {
    if (!node_->parent) {
      host_.Check("GetOwnerItem");
      return nullptr;
    }
    return Obtain<MenuItem>(host_, "GetOwnerItem", node_->parent);
  }
  TIMenuItemIntf* HOSTAPI InsertChild(int32_t index, const char* caption, const char* name,
                                      const char* hint, int32_t shortCut, int32_t context,
                                      int32_t groupIndex, uint8_t flags,
                                      TIMenuClickEvent onClick) override {
    host_.insertCalls.push_back(InsertChildCall{node_->name, index, caption ? caption : "",
                                                name ? name : "", hint ? hint : "", shortCut,
                                                context, groupIndex, flags, onClick});
    if (host_.Check("InsertChild") == Fault::ReturnNull) return nullptr;
    auto child = std::make_unique<MenuNode>();
    child->name = name ? name : "";
    child->caption = caption ? caption : "";
    child->hint = hint ? hint : "";
    child->shortCut = shortCut;
    child->context = context;
    child->groupIndex = groupIndex;
    child->flags = flags;
    child->onClick = onClick;
    child->parent = node_;
    auto& siblings = node_->children;
    const size_t at = std::min(static_cast<size_t>(std::max(index, 0)), siblings.size());
    MenuNode* raw = child.get();
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(at), std::move(child));
    return host_.Keep(std::make_unique<MenuItem>(host_, raw));
  }

 private:
  MenuNode* node_;
};

class MenuBar final : public SimObject<TIMenuBarIntf> {
 public:
  explicit MenuBar(Host& host) : SimObject(host, "MenuBar") {}

  TIMenuItemIntf* HOSTAPI GetTopItems() override {
    return Obtain<MenuItem>(host_, "GetTopItems", &host_.menuRoot());
  }
  TIMenuItemIntf* HOSTAPI FindItemByName(const char* name) override {
    MenuNode* node = host_.FindMenu(name ? name : "");
    if (!node) {
      host_.Check("FindItemByName");
      return nullptr;
    }
    return Obtain<MenuItem>(host_, "FindItemByName", node);
  }
};

class Reader final : public SimObject<TIBufferReader> {
 public:
  Reader(Host& host, SourceModule* module) : SimObject(host, "Reader"), module_(module) {
    if (module_->liveWriters > 0) module_->readerAndWriterAtOnce = true;
    ++module_->liveReaders;
  }

  int32_t HOSTAPI ReadChars(int32_t position, char* buffer, int32_t count) override {
    host_.Check("ReadChars");
    const std::string& text = module_->text;
    if (position < 0 || count <= 0 || static_cast<size_t>(position) >= text.size()) return 0;
    const size_t n = std::min(static_cast<size_t>(count), text.size() - static_cast<size_t>(position));
    std::memcpy(buffer, text.data() + position, n);
    return static_cast<int32_t>(n);
  }

 protected:
  void LastReleased() override { --module_->liveReaders; }

 private:
  SourceModule* module_;
};

// Builds the new text as the edits come; it replaces the buffer's text on the last release.
class Writer final : public SimObject<TIBufferWriter> {
 public:
  Writer(Host& host, SourceModule* module) : SimObject(host, "Writer"), module_(module) {
    if (module_->liveReaders > 0) module_->readerAndWriterAtOnce = true;
    ++module_->liveWriters;
  }

  void HOSTAPI KeepUpTo(int32_t position) override {
    host_.Check("KeepUpTo");
    const size_t to = Clamp(position);
    edited_.append(module_->text, place_, to - place_);
    place_ = to;
  }
  void HOSTAPI SkipUpTo(int32_t position) override {
    host_.Check("SkipUpTo");
    place_ = Clamp(position);
  }
  void HOSTAPI InsertText(const char* text) override {
    host_.Check("InsertText");
    edited_ += text ? text : "";
  }

 protected:
  void LastReleased() override {
    --module_->liveWriters;
    edited_.append(module_->text, place_, std::string::npos);
    if (edited_ != module_->text) {
      module_->text = std::move(edited_);
      module_->modified = true;
    }
  }

 private:
  size_t Clamp(int32_t position) const {
    const size_t p = position < 0 ? 0 : static_cast<size_t>(position);
    return std::clamp(p, place_, module_->text.size());
  }
  SourceModule* module_;
  std::string edited_;
  size_t place_ = 0;
};

class EditBuffer final : public SimObject<TIEditBufferIntf> {
 public:
  EditBuffer(Host& host, SourceModule* module) : SimObject(host, "EditBuffer"), module_(module) {}

  TIBufferReader* HOSTAPI NewReader() override { return Obtain<Reader>(host_, "NewReader", module_); }
  TIBufferWriter* HOSTAPI NewWriter() override { return Obtain<Writer>(host_, "NewWriter", module_); }

 private:
  SourceModule* module_;
};

class Module final : public SimObject<TISourceModuleIntf> {
 public:
  Module(Host& host, SourceModule* module) : SimObject(host, "SourceModule"), module_(module) {}

  TIEditBufferIntf* HOSTAPI GetEditBuffer() override {
    return Obtain<EditBuffer>(host_, "GetEditBuffer", module_);
  }

 private:
  SourceModule* module_;
};

class Services final : public SimObject<TIHostServices> {
 public:
  explicit Services(Host& host) : SimObject(host, "HostServices", 1) {}

  HWND__* HOSTAPI GetHostWindow() override {
    host_.Check("GetHostWindow");
    return host_.hostWindow;
  }
  const char* HOSTAPI GetProjectFileName() override {
    host_.Check("GetProjectFileName");
    projectName_ = host_.projectFileName;
    return projectName_.c_str();
  }
  TIMenuBarIntf* HOSTAPI GetMenuBar() override { return Obtain<MenuBar>(host_, "GetMenuBar"); }
  void HOSTAPI ReportError(const char* message) override {
    host_.Check("ReportError");
    host_.reportedErrors.push_back(message ? message : "");
    if (host_.onReportError) host_.onReportError(host_.reportedErrors.back());
  }
  TISourceModuleIntf* HOSTAPI OpenSourceModule(const char* fileName) override {
    SourceModule* module = host_.FindModule(fileName ? fileName : "");
    if (!module) {
      host_.Check("OpenSourceModule");
      return nullptr;  // the file is not open as a module
    }
    return Obtain<Module>(host_, "OpenSourceModule", module);
  }

 private:
  std::string projectName_;
};

}  // namespace

TIHostServices* NewServices(Host& host) { return host.Keep(std::make_unique<Services>(host)); }

TIMenuItemIntf* NewMenuItem(Host& host, MenuNode* node) {
  return host.Keep(std::make_unique<MenuItem>(host, node));
}

}  // namespace hostsim
