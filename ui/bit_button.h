// A push button with a glyph beside its caption. The glyph bitmap holds its images side
// by side (normal, then disabled); its bottom-left pixel's colour is drawn transparent.
// The images are cached with the button colours of the moment they are built.
#pragma once
#include <functional>

#include "ui/standard_controls.h"

namespace ui {

class BitButton : public Button {
 public:
  ~BitButton() override;

  // Takes ownership of the bitmap; setting it (even the same one) drops the cached images.
  void SetGlyph(HBITMAP glyph, int numGlyphs);
  HBITMAP Glyph() const { return glyph_; }
  int NumGlyphs() const { return numGlyphs_; }
  bool isDefault = false;
  // The cached image for drawing (built on demand), for tests to look at.
  HBITMAP CachedImage(bool enabled);

  void DrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  HWND CreateHandle(HWND parent, const ControlSpec& row, int id) override;

 private:
  void DropCache();
  HBITMAP BuildImage(int index);
  HBITMAP glyph_ = nullptr;
  int numGlyphs_ = 1;
  HBITMAP cache_[2] = {nullptr, nullptr};
};

}  // namespace ui
