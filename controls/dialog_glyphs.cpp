#include "controls/bitbtnex.h"
#include "ui/pixel_art.h"

const COLORREF kGlyphBackground = RGB(132, 130, 0);

namespace {

constexpr int kSize = 18;

const char* const kCheckMark[kSize] = {
    "..................", "..................", "..................", "..............gG..",
    ".............gGg..", "............gGg...", "...........gGg....", "..gG......gGg.....",
    "..gGg....gGg......", "...gGg..gGg.......", "....gGggGg........", ".....gGGg.........",
    "......gg..........", "..................", "..................", "..................",
    "..................", ".................."};

const char* const kCross[kSize] = {
    "..................", "..................", "..................", "...rR.......Rr....",
    "...rRr.....rRr....", "....rRr...rRr.....", ".....rRr.rRr......", "......rRrRr.......",
    ".......rRr........", "......rRrRr.......", ".....rRr.rRr......", "....rRr...rRr.....",
    "...rRr.....rRr....", "...rR.......Rr....", "..................", "..................",
    "..................", ".................."};

ui::OwnedBitmap Glyph(const char* const* rows, const std::map<char, COLORREF>& palette) {
  return ui::JoinSideBySide(ui::PixelArtBitmap(rows, kSize, kSize, kGlyphBackground, palette),
                            ui::DisabledPixelArt(rows, kSize, kSize, kGlyphBackground));
}

}  // namespace

ui::OwnedBitmap OkGlyph() { return Glyph(kCheckMark, {{'g', RGB(0, 160, 0)}, {'G', RGB(0, 96, 0)}}); }

ui::OwnedBitmap CancelGlyph() { return Glyph(kCross, {{'r', RGB(255, 0, 0)}, {'R', RGB(160, 0, 0)}}); }
