// A push button with a glyph beside its caption. The glyph bitmap holds its images side
// by side (normal, then disabled); its bottom-left pixel's colour is drawn transparent.
// The images are cached with the button colours of the moment they are built.
#pragma once
#include <functional>

#include "ui/gdi.h"
#include "ui/standard_controls.h"

namespace ui {

class BitButton : public Button {
 public:
  // The button owns its glyph from then on; the cached images are dropped.
  void SetGlyph(OwnedBitmap glyph, int numGlyphs);
  HBITMAP Glyph() const { return glyph_.get(); }
  bool isDefault = false;
  // The cached image for drawing (built on demand), for tests to look at.
  HBITMAP CachedImage(bool enabled);
  // Drops the cached images: the next paint builds them with the colours of the moment.
  void RebuildImages();

  void DrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;

 private:
  OwnedBitmap BuildImage(int index);
  OwnedBitmap glyph_;
  int numGlyphs_ = 1;
  OwnedBitmap cache_[2];
};

}  // namespace ui
