#include "addin/quelvar.h"

#include <exception>
#include <memory>

#include "addin/globals.h"
#include "host/host_call.h"
#include "host/host_ref.h"
#include "addin/title.h"
#include "platform/lead_byte.h"
#include "editor/window/main_unit.h"
#include "ui/application.h"
#include "ui/dialogs.h"

const char kMenuCaption[] = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ(&V)";
const char kNoProjectText[] = "ﾌﾟﾛｼﾞｪｸﾄが開かれていません";

namespace {

const char kName[] = "Tallowin";
const char kIDString[] = "Orbelane.VersionResourceExpert";

// The add-in object whose menu command is live. A click that arrives after the object
// is gone finds nothing here and does nothing.
TQuelvar* liveExpert = nullptr;

using hostapi::Call;

// Runs a host-called operation; a failure goes to the host instead of across. Every call
// into the host inside goes through hostapi::Call, so the host's own OS exceptions arrive
// here as base::Error too.
template <typename F>
void AtHostBoundary(F&& operation) {
  try {
    operation();
  } catch (const std::exception& e) {
    ReportException(e.what());
  } catch (...) {
    ReportException("");
  }
}

}  // namespace

uint8_t InitExpert(TIHostServices* services, TExpertRegisterProc registerProc,
                   TExpertTerminateProc* /*terminate: left untouched*/) {
  if (HostServices) return 0;  // a second call changes nothing
  // A null services object is refused: every failure report would call into it.
  if (!services) return 0;
  HostServices = services;
  AtHostBoundary([registerProc] {
    ui::Application& app = ui::Application::Get();
    app.SetOwner(Call([] { return HostServices->GetHostWindow(); }));
    char path[MAX_PATH] = {};
    GetModuleFileNameA(app.instance(), path, MAX_PATH);
    app.SetTitle(AddInTitle(path, platform::IsSystemLeadByte));
    TQuelvar* expert = new TQuelvar();
    if (registerProc) Call([&] { return registerProc(expert); });
  });
  return 1;
}

void ReportException(const std::string& message) {
  if (!HostServices) return;
  try {
    Call([&message] { HostServices->ReportError(message.c_str()); });
  } catch (...) {
    // The host failed to show the message; there is nowhere else to report it.
  }
}

TQuelvar::TQuelvar() {
  InsertMenuCommand();
  liveExpert = this;  // only an object that was fully made answers clicks
}

TQuelvar::~TQuelvar() {
  // The host has no operation to remove a menu item: the command stays, harmless, and
  // our reference to it is given back.
  if (liveExpert == this) liveExpert = nullptr;
  if (EditVersionResource) {
    TIMenuItemIntf* item = EditVersionResource;
    EditVersionResource = nullptr;
    HostRef<TIMenuItemIntf> given(item);  // released through the guard
  }
}

void TQuelvar::InsertMenuCommand() {
  if (!HostServices) return;
  HostRef<TIMenuBarIntf> menu(Call([] { return HostServices->GetMenuBar(); }));
  if (!menu) return;
  HostRef<TIMenuItemIntf> topItems(Call([&] { return menu->GetTopItems(); }));
  if (!topItems) return;
  HostRef<TIMenuItemIntf> objectItem(Call([&] { return menu->FindItemByName(hostapi::kObjectItemName); }));
  if (!objectItem) return;
  HostRef<TIMenuItemIntf> owner(Call([&] { return objectItem->GetOwnerItem(); }));
  if (!owner) return;
  const TIMenuClickEvent onClick{&TQuelvar::EditVersionResourceClick, this};
  const int32_t index = Call([&] { return objectItem->GetPosition(); }) + 1;
  EditVersionResource = Call([&] {
    return owner->InsertChild(index, kMenuCaption, hostapi::kVersionItemName, "", kMenuShortCut, 0, 0, kMenuFlags,
                              onClick);
  });
}

int32_t HOSTAPI TQuelvar::AddRef() { return ++refCount_; }

int32_t HOSTAPI TQuelvar::Release() {
  const int32_t count = --refCount_;
  if (count == 0) delete this;
  return count;
}

int32_t HOSTAPI TQuelvar::GetVersion() { return kInterfaceVersion; }

const char* HOSTAPI TQuelvar::GetName() { return kName; }

const char* TQuelvar::NotProvided() {
  ReportException("Abstract Error");
  return nullptr;
}

const char* HOSTAPI TQuelvar::GetAuthor() { return NotProvided(); }
const char* HOSTAPI TQuelvar::GetComment() { return NotProvided(); }
const char* HOSTAPI TQuelvar::GetPage() { return NotProvided(); }
void* HOSTAPI TQuelvar::GetGlyph() {
  NotProvided();
  return nullptr;
}
const char* HOSTAPI TQuelvar::GetMenuText() { return NotProvided(); }

uint8_t HOSTAPI TQuelvar::GetStyle() { return esAddIn; }

uint8_t HOSTAPI TQuelvar::GetState() { return esEnabled; }

const char* HOSTAPI TQuelvar::GetIDString() { return kIDString; }

void HOSTAPI TQuelvar::Execute() {
  AtHostBoundary([] {
    const char* name = HostServices ? Call([] { return HostServices->GetProjectFileName(); }) : nullptr;
    if (!name || !*name) {
      ui::MessageDlg(kNoProjectText, ui::DialogType::Error, MB_OK, 0);
      return;
    }
    if (!VerMainForm) {
      ShowEditorWindow(ui::Application::Get().owner(), HostServices);
      return;
    }
    if (IsIconic(VerMainForm->hwnd())) ShowWindow(VerMainForm->hwnd(), SW_SHOWNORMAL);
    VerMainForm->FocusActiveControl();
  });
}

void ShowEditorWindow(HWND owner, TIHostServices* services) {
  auto form = std::make_unique<TVerMainForm>(owner, services);
  VerMainForm = form.get();
  struct Forget {
    ~Forget() { VerMainForm = nullptr; }
  } forget;  // on every path, before the window is freed
  form->ShowModal();
}

void HOSTAPI TQuelvar::EditVersionResourceClick(void* self, TIMenuItemIntf*) {
  if (self && self == liveExpert) static_cast<TIExpert*>(static_cast<TQuelvar*>(self))->Execute();
}
