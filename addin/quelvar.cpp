#include "addin/quelvar.h"

#include <memory>
#include <utility>

#include "addin/globals.h"
#include "addin/host_boundary.h"
#include "addin/title.h"
#include "editor/window/main_unit.h"
#include "host/host_call.h"
#include "host/host_ref.h"
#include "host/host_string.h"
#include "platform/lead_byte.h"
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

// A string result of ours goes into the host's variable through the host's memory.
void Answer(hostapi::HostStr* result, std::string_view text) {
  if (HostServices) hostapi::StoreHostString(*HostServices, result, text);
}

}  // namespace

// The entries of the object's table: each is a call from the host, so each runs inside the
// boundary and reports a failure as its last act.
struct QuelvarEntries {
  static TQuelvar& Self(TInterface* self) { return *static_cast<TQuelvar*>(self); }

  static int32_t HOSTAPI AddRef(TInterface* self) { return ++Self(self).refCount_; }
  static int32_t HOSTAPI Release(TInterface* self) {
    TQuelvar* object = &Self(self);
    const int32_t count = --object->refCount_;
    if (count == 0 && !AtHostBoundary([object] {
          struct Destroy {
            TQuelvar* object;
            ~Destroy() { delete object; }
          } gone{object};  // whatever the host does with the menu
          object->RemoveMenuCommand();
        })) {
      ReportException();
    }
    return count;
  }
  static int32_t HOSTAPI GetVersion(TInterface*) { return kInterfaceVersion; }

  static void HOSTAPI GetName(hostapi::HostStr* result, TIExpert* self) {
    if (!AtHostBoundary([&] { Answer(result, Self(self).GetName()); })) ReportException();
  }
  static void HOSTAPI GetIDString(hostapi::HostStr* result, TIExpert* self) {
    if (!AtHostBoundary([&] { Answer(result, Self(self).GetIDString()); })) ReportException();
  }
  // Author, comment, page and menu text mean nothing for an add-in of this style: empty.
  static void HOSTAPI NoText(hostapi::HostStr* result, TIExpert*) {
    if (!AtHostBoundary([&] { Answer(result, ""); })) ReportException();
  }
  static HICON__* HOSTAPI GetGlyph(TIExpert*) { return nullptr; }  // the host's default icon
  static uint8_t HOSTAPI GetStyle(TIExpert* self) { return Self(self).GetStyle(); }
  static uint8_t HOSTAPI GetState(TIExpert* self) { return Self(self).GetState(); }
  static void HOSTAPI Execute(TIExpert* self) {
    if (!AtHostBoundary([self] { Self(self).Execute(); })) ReportException();
  }

  static constexpr hostapi::TIExpertVtbl kVtbl{
      {&AddRef, &Release, &GetVersion},
      &GetName, &NoText, &NoText, &NoText, &GetGlyph, &GetStyle, &GetState, &GetIDString, &NoText, &Execute};
};

namespace {

// Everything of the entry but the report, so that nothing of it is alive at the report.
uint8_t Initialise(TIHostServices* services, TExpertRegisterProc registerProc) {
  if (HostServices) return 0;  // a second call changes nothing
  // A null services object is refused: every failure report would call into it.
  if (!services) return 0;
  HostServices = services;
  AtHostBoundary([registerProc] {
    ui::Application& app = ui::Application::Get();
    app.SetOwner(HostServices->GetHostWindow());
    char path[MAX_PATH] = {};
    GetModuleFileNameA(app.instance(), path, MAX_PATH);
    app.SetTitle(AddInTitle(path, platform::IsSystemLeadByte));
    TQuelvar* expert = new TQuelvar();
    if (registerProc) hostapi::Call([&] { return registerProc(expert); });
  });
  return 1;
}

}  // namespace

uint8_t InitExpert(TIHostServices* services, TExpertRegisterProc registerProc,
                   TExpertTerminateProc* /*terminate: left untouched*/) {
  const uint8_t result = Initialise(services, registerProc);
  ReportException();
  return result;
}

TQuelvar::TQuelvar() : TIExpert(&QuelvarEntries::kVtbl) {
  InsertMenuCommand();
  liveExpert = this;  // only an object that was fully made answers clicks
}

void TQuelvar::InsertMenuCommand() {
  if (!HostServices) return;
  HostRef<TIMenuBarIntf> menu(HostServices->GetMenuBar());
  if (!menu) return;
  HostRef<TIMenuItemIntf> topItems(menu->GetTopItems());
  if (!topItems) return;
  HostRef<TIMenuItemIntf> objectItem(menu->FindItemByName(hostapi::kObjectItemName));
  if (!objectItem) return;
  HostRef<TIMenuItemIntf> owner(objectItem->GetOwnerItem());
  if (!owner) return;
  const int32_t index = objectItem->GetPosition() + 1;
  EditVersionResource = owner->InsertChild(index, kMenuCaption, hostapi::kVersionItemName, "", kMenuShortCut, 0, 0,
                                           kMenuFlags, {&TQuelvar::EditVersionResourceClick, this});
}

void TQuelvar::RemoveMenuCommand() {
  if (liveExpert == this) liveExpert = nullptr;
  HostRef<TIMenuItemIntf> item(std::exchange(EditVersionResource, nullptr));
  if (item) item->DestroyMenuItem();
}

std::string TQuelvar::GetName() const { return kName; }

std::string TQuelvar::GetIDString() const { return kIDString; }

void TQuelvar::Execute() {
  const std::string name = HostServices ? HostServices->GetProjectFileName() : std::string();
  if (name.empty()) {
    ui::MessageDlg(kNoProjectText, ui::DialogType::Error, MB_OK, 0);
    return;
  }
  if (!VerMainForm) {
    ShowEditorWindow(ui::Application::Get().owner(), HostServices);
    return;
  }
  if (IsIconic(VerMainForm->hwnd())) ShowWindow(VerMainForm->hwnd(), SW_SHOWNORMAL);
  VerMainForm->FocusActiveControl();
}

void ShowEditorWindow(HWND owner, TIHostServices* services) {
  auto form = std::make_unique<TVerMainForm>(owner, services);
  VerMainForm = form.get();
  struct Forget {
    ~Forget() { VerMainForm = nullptr; }
  } forget;  // on every path, before the window is freed
  form->ShowModal();
}

void HOSTREGISTER TQuelvar::EditVersionResourceClick(void* self, TIMenuItemIntf*) {
  if (!self || self != liveExpert) return;
  TQuelvar* object = static_cast<TQuelvar*>(self);
  object->vtbl<hostapi::TIExpertVtbl>().Execute(object);
}
