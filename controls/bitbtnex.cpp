#include "controls/bitbtnex.h"

void TBitBtnEx::SysColorChange() {
  BitButton::SysColorChange();
  // Assigning the glyph anew drops the cached images; the next paint builds them with
  // the current colours.
  SetGlyph(Glyph(), NumGlyphs());
}
