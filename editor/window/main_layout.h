// The editor window's layout: the form, its controls and its menu, as data.
#pragma once
#include <cstddef>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"

extern const ui::FormSpec kMainFormSpec;
extern const ui::ControlSpec kMainControls[];
extern const size_t kMainControlCount;
extern const ui::MenuSpec kMainMenu[];
extern const size_t kMainMenuCount;
