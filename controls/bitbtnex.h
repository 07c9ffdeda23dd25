// TBitBtnEx: the glyph button that rebuilds its glyph images when the system colours
// change, so that the images (the disabled one included) match the new button face.
#pragma once
#include "ui/bit_button.h"

class TBitBtnEx : public ui::BitButton {
 public:
  void SysColorChange() override;
};

// The 36 by 18 glyphs of the dialog buttons: two 18 by 18 images (normal, disabled) on
// the olive background (132, 130, 0) that is drawn transparent.
ui::OwnedBitmap OkGlyph();      // a green check mark
ui::OwnedBitmap CancelGlyph();  // a red diagonal cross
extern const COLORREF kGlyphBackground;
