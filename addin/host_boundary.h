// The boundary to the host. Every operation the host calls runs inside AtHostBoundary,
// which keeps a failure's message instead of letting anything cross, an OS exception of
// our own code (an access violation) included; ReportException then hands it to the host's
// ReportError as the entry's very last act, when every object is released, every window
// restored and no handler of ours is active: on the IDE that call does not return but
// unwinds straight to the IDE's own handler.
#pragma once
#include <exception>
#include <string_view>

#include "base/os_exception.h"

class TVerMainForm;

// Keeps the message of a failure for ReportException (cut at a character boundary where
// the host's report ends); a later failure replaces it.
void KeepFailure(std::string_view message) noexcept;

// What an operation started with, so that a fault can be cleaned up after.
struct BoundaryMark {
  size_t modalDepth;
  TVerMainForm* form;
};
BoundaryMark MarkBoundary() noexcept;
// After a fault in our own code, whose frames were left without their destructors: the
// modal runs begun since the mark are abandoned (the host's windows enabled again, our
// windows destroyed) and an editor window made since is forgotten.
void RecoverFromFault(const BoundaryMark& mark) noexcept;

// Runs `operation`; false when it failed, its message kept.
template <typename F>
bool AtHostBoundary(F&& operation) noexcept {
  const BoundaryMark mark = MarkBoundary();
  try {
    base::ContainOsExceptions(operation, base::FaultSite::Ours);
    return true;
  } catch (const base::OsFault& fault) {
    RecoverFromFault(mark);
    KeepFailure(fault.what());
  } catch (const std::exception& e) {
    KeepFailure(e.what());
  } catch (...) {
    KeepFailure("");
  }
  return false;
}

// When a failure is kept, hands its message to the host's ReportError. The last call of an
// entry: nothing of the entry may be alive any more. Does nothing without a services object.
void ReportException();
