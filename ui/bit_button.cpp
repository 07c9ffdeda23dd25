#include "ui/bit_button.h"

#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace ui {

HWND BitButton::CreateHandle(HWND parent, const ControlSpec& row, int id) {
  return CreateWindowExA(0, "BUTTON", row.caption ? row.caption : "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                         row.left, row.top, row.width, row.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Application::Get().instance(), nullptr);
}

void BitButton::SetGlyph(OwnedBitmap glyph, int numGlyphs) {
  glyph_ = std::move(glyph);
  numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs;
  RebuildImages();
}

void BitButton::RebuildImages() {
  for (OwnedBitmap& image : cache_) image.Reset();
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

HBITMAP BitButton::CachedImage(bool enabled) {
  const int index = enabled || numGlyphs_ < 2 ? 0 : 1;
  if (!cache_[index]) cache_[index] = BuildImage(index);
  return cache_[index].get();
}

// One image of the glyph over the current button face colour.
OwnedBitmap BitButton::BuildImage(int index) {
  BITMAP bm;
  if (!GetObject(glyph_.get(), sizeof bm, &bm)) return {};
  const int width = bm.bmWidth / numGlyphs_;
  ScreenDC screen;
  MemoryDC source(screen.get());
  MemoryDC target(screen.get());
  OwnedBitmap image(CreateCompatibleBitmap(screen.get(), width, bm.bmHeight));
  if (!source.get() || !target.get() || !image) return {};
  {
    SelectGuard sourceSelected(source.get(), glyph_.get());
    SelectGuard targetSelected(target.get(), image.get());
    RECT r{0, 0, width, bm.bmHeight};
    FillRect(target.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
    const COLORREF transparent = GetPixel(source.get(), 0, bm.bmHeight - 1);
    TransparentCopy(target.get(), 0, 0, width, bm.bmHeight, source.get(), index * width, 0, transparent);
  }
  return image;
}

void BitButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (isDefault || focused) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));

  SelectGuard fontSelected(dc, form().font());
  const std::string caption = Text();
  RECT textSize{0, 0, 0, 0};
  DrawTextA(dc, caption.c_str(), -1, &textSize, DT_CALCRECT | DT_SINGLELINE);
  int glyphWidth = 0, glyphHeight = 0;
  HBITMAP image = CachedImage(enabled);
  if (image) {
    BITMAP bm;
    GetObject(image, sizeof bm, &bm);
    glyphWidth = bm.bmWidth;
    glyphHeight = bm.bmHeight;
  }
  const int spacing = image && !caption.empty() ? 4 : 0;
  const int total = glyphWidth + spacing + textSize.right;
  const int shift = pressed ? 1 : 0;
  int x = (item.rcItem.left + item.rcItem.right - total) / 2 + shift;
  const int middle = (item.rcItem.top + item.rcItem.bottom) / 2 + shift;
  if (image) {
    MemoryDC source(dc);
    SelectGuard imageSelected(source.get(), image);
    BitBlt(dc, x, middle - glyphHeight / 2, glyphWidth, glyphHeight, source.get(), 0, 0, SRCCOPY);
    x += glyphWidth + spacing;
  }
  RECT text{x, middle - textSize.bottom / 2, x + textSize.right, middle - textSize.bottom / 2 + textSize.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE);
  if (focused) {
    RECT f = item.rcItem;
    InflateRect(&f, -4, -4);
    DrawFocusRect(dc, &f);
  }
}

}  // namespace ui
