#include "ui/gdi.h"

namespace ui {

void TransparentCopy(HDC target, int x, int y, int w, int h, HDC source, int sourceX, int sourceY,
                     COLORREF transparent) {
  // The mask: white where the source shows the transparent colour, black elsewhere.
  MemoryDC maskDC(target);
  OwnedBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
  if (!maskDC.get() || !mask) return;
  SelectGuard maskSelected(maskDC.get(), mask.get());
  const COLORREF oldSourceBack = SetBkColor(source, transparent);
  BitBlt(maskDC.get(), 0, 0, w, h, source, sourceX, sourceY, SRCCOPY);
  SetBkColor(source, oldSourceBack);

  // target ^ source, cleared where opaque, ^ source again: the target stays where the
  // mask is white and becomes the source where it is black.
  const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
  BitBlt(target, x, y, w, h, source, sourceX, sourceY, SRCINVERT);
  BitBlt(target, x, y, w, h, maskDC.get(), 0, 0, SRCAND);
  BitBlt(target, x, y, w, h, source, sourceX, sourceY, SRCINVERT);
  SetBkColor(target, oldBack);
  SetTextColor(target, oldText);
}

}  // namespace ui
