#include "addin/host_boundary.h"

#include <algorithm>
#include <cstring>

#include "addin/globals.h"
#include "editor/window/main_unit.h"
#include "ui/application.h"
#include "platform/lead_byte.h"

namespace {

// No allocation on the way to the report: the failure may be a lack of memory.
char kept[TIHostServices::kReportCapacity + 1];
size_t keptLength = 0;
bool failureKept = false;

}  // namespace

void KeepFailure(std::string_view message) noexcept {
  size_t length = 0;
  while (length < message.size()) {
    const size_t step = platform::IsSystemLeadByte(static_cast<unsigned char>(message[length])) ? 2 : 1;
    if (length + step > TIHostServices::kReportCapacity) break;
    length = std::min(length + step, message.size());
  }
  std::memcpy(kept, message.data(), length);
  keptLength = length;
  failureKept = true;
}

BoundaryMark MarkBoundary() noexcept { return {ui::ModalDepth(), VerMainForm}; }

void RecoverFromFault(const BoundaryMark& mark) noexcept {
  ui::AbandonModalRuns(mark.modalDepth);
  if (VerMainForm && VerMainForm != mark.form) {
    // Its owner's frame is gone: the object is left as it is, its window must not be.
    HWND window = VerMainForm->hwnd();
    if (window && IsWindow(window)) ui::DestroyDetached(window);
    ui::Application::Get().ClearHintHandler(VerMainForm);
    VerMainForm = nullptr;
  }
}

void ReportException() {
  if (!failureKept) return;
  failureKept = false;
  if (HostServices) HostServices->ReportError(std::string_view(kept, keptLength));
}
