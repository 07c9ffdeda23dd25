#include "host/host_intf.h"

#include <utility>

#include "host/host_call.h"
#include "host/host_string.h"

using hostapi::Call;
using hostapi::HostStr;
using hostapi::HostString;
using hostapi::HostText;

int32_t TInterface::AddRef() {
  return Call([this] { return vtbl<hostapi::TInterfaceVtbl>().AddRef(this); });
}

int32_t TInterface::Release() {
  return Call([this] { return vtbl<hostapi::TInterfaceVtbl>().Release(this); });
}

int32_t TInterface::GetVersion() {
  return Call([this] { return vtbl<hostapi::TInterfaceVtbl>().GetVersion(this); });
}

bool TIMenuItemIntf::DestroyMenuItem() {
  return Call([this] { return vtbl<hostapi::TIMenuItemIntfVtbl>().DestroyMenuItem(this); }) != 0;
}

int32_t TIMenuItemIntf::GetPosition() {
  return Call([this] { return vtbl<hostapi::TIMenuItemIntfVtbl>().GetIndex(this); });
}

TIMenuItemIntf* TIMenuItemIntf::GetOwnerItem() {
  return Call([this] { return vtbl<hostapi::TIMenuItemIntfVtbl>().GetParent(this); });
}

TIMenuItemIntf* TIMenuItemIntf::InsertChild(int32_t index, std::string_view caption, std::string_view name,
                                            std::string_view hint, int32_t shortCut, int32_t context,
                                            int32_t groupIndex, hostapi::TIMenuFlags flags,
                                            hostapi::TIMenuClickEvent onClick) {
  const HostText captionText(caption), nameText(name), hintText(hint);
  return Call([&] {
    return vtbl<hostapi::TIMenuItemIntfVtbl>().InsertItem(this, index, captionText.get(), nameText.get(),
                                                          hintText.get(), shortCut, context, groupIndex, flags,
                                                          onClick);
  });
}

TIMenuItemIntf* TIMenuBarIntf::GetTopItems() {
  return Call([this] { return vtbl<hostapi::TIMainMenuIntfVtbl>().GetMenuItems(this); });
}

TIMenuItemIntf* TIMenuBarIntf::FindItemByName(std::string_view name) {
  const HostText nameText(name);
  return Call([&] { return vtbl<hostapi::TIMainMenuIntfVtbl>().FindMenuItem(this, nameText.get()); });
}

int32_t TIBufferReader::ReadChars(int32_t position, char* buffer, int32_t count) {
  return Call([&] { return vtbl<hostapi::TIEditReaderVtbl>().GetText(this, position, buffer, count); });
}

bool TIBufferWriter::KeepUpTo(int32_t position) {
  return Call([&] { return vtbl<hostapi::TIEditWriterVtbl>().CopyTo(this, position); }) != 0;
}

bool TIBufferWriter::SkipUpTo(int32_t position) {
  return Call([&] { return vtbl<hostapi::TIEditWriterVtbl>().DeleteTo(this, position); }) != 0;
}

bool TIBufferWriter::InsertText(const std::string& text) {
  return Call([&] { return vtbl<hostapi::TIEditWriterVtbl>().Insert(this, text.c_str()); }) != 0;
}

TIBufferReader* TIEditBufferIntf::NewReader() {
  return Call([this] { return vtbl<hostapi::TIEditorInterfaceVtbl>().CreateReader(this); });
}

TIBufferWriter* TIEditBufferIntf::NewWriter() {
  return Call([this] { return vtbl<hostapi::TIEditorInterfaceVtbl>().CreateWriter(this); });
}

TIEditBufferIntf* TISourceModuleIntf::GetEditBuffer() {
  return Call([this] { return vtbl<hostapi::TIModuleInterfaceVtbl>().GetEditorInterface(this); });
}

HWND__* TIHostServices::GetHostWindow() {
  return Call([this] { return vtbl<hostapi::TIToolServicesVtbl>().GetParentHandle(this); });
}

std::string TIHostServices::GetProjectFileName() {
  HostString name(*this);
  Call([&] { vtbl<hostapi::TIToolServicesVtbl>().GetProjectName(name.out(), this); });
  return name.Take();
}

TIMenuBarIntf* TIHostServices::GetMenuBar() {
  return Call([this] { return vtbl<hostapi::TIToolServicesVtbl>().GetMainMenu(this); });
}

TISourceModuleIntf* TIHostServices::OpenSourceModule(const std::string& fileName) {
  const HostText name(fileName);
  return Call([&] { return vtbl<hostapi::TIToolServicesVtbl>().GetModuleInterface(this, name.get()); });
}

void TIHostServices::ReportError(std::string_view message) {
  // Static: the call does not come back to free anything, and a failure report must not
  // need memory.
  static int32_t block[2 + (kReportCapacity + 1 + 3) / 4];
  const HostStr text = hostapi::LayOutConstant(block, sizeof block, message);
  vtbl<hostapi::TIToolServicesVtbl>().RaiseException(this, text);  // no guard: see the header
}

HostStr TIHostServices::NewString(std::string_view text) {
  if (text.empty()) return nullptr;  // the host's empty string
  const std::string copy(text);     // NewPascalString reads a C string
  return Call([&] { return vtbl<hostapi::TIToolServicesVtbl>().NewPascalString(this, copy.c_str()); });
}

void TIHostServices::FreeString(HostStr& str) {
  // Ours no longer, whatever happens: a free that failed is not tried twice.
  HostStr held = std::exchange(str, nullptr);
  if (!held) return;
  Call([&] { vtbl<hostapi::TIToolServicesVtbl>().FreePascalString(this, &held); });
}
