// The tool bar's icons, drawn for this product: a normal and a disabled image each.
#pragma once
#include "ui/form.h"

void LoadToolbarIcons(ui::Form& form);
