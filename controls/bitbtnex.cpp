#include "controls/bitbtnex.h"

void TBitBtnEx::SysColorChange() {
  BitButton::SysColorChange();
  RebuildImages();
}
