// Values the host and its add-ins agree on, named once.
#pragma once
#include <cstdint>

namespace hostapi {

// A menu shortcut in the host's encoding: a virtual key code with these bits.
constexpr int32_t kShortCutShift = 0x2000;
constexpr int32_t kShortCutCtrl = 0x4000;
constexpr int32_t kShortCutAlt = 0x8000;

// The host's own menu command after which the add-in's command is placed.
constexpr char kObjectItemName[] = "EditObjectItem";
// The add-in's command.
constexpr char kVersionItemName[] = "EditVersionItem";

}  // namespace hostapi
