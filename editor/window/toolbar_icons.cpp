#include "editor/window/toolbar_icons.h"

#include "ui/pixel_art.h"
#include "ui/tool_button.h"

namespace {

constexpr int kSize = 16;
const COLORREF kTransparent = RGB(255, 0, 255);

// k black, y yellow, o dark yellow, w white, b blue, d dark blue, g grey, r red, G green
const char* const kOpen[kSize] = {
    "................", "................", "................", "..........kkk...", ".........k...k.k",
    "..............kk", ".kkk.........kkk", "kywykkkkkkk.....", "kwywywywywk.....", "kywykkkkkkkkk...",
    "kwykoooooooook..", "kyk.ooooooooo.k.", "kk.ooooooooo.k..", "k.ooooooooooo...", "kkkkkkkkkkk.....",
    "................"};
const char* const kSave[kSize] = {
    "................", ".kkkkkkkkkkkkkk.", ".kdkwwwwwwwwkdk.", ".kdkwwwwwwwwkdk.", ".kdkwggggggwkdk.",
    ".kdkwwwwwwwwkdk.", ".kdkwggggggwkdk.", ".kdkwwwwwwwwkdk.", ".kddkkkkkkkkddk.", ".kdddddddddddddk",
    ".kdddkkkkkkkdddk", ".kdddkkkkgggkddk", ".kdddkkkkgggkddk", ".kdddkkkkgggkddk", "..kkkkkkkkkkkkk.",
    "................"};
const char* const kCompile[kSize] = {
    "................", ".kkkkkkkk.......", ".kwwwwwwkk......", ".kwggggwkwk.....", ".kwwwwwwkkkk....",
    ".kwggggwwwwk....", ".kwwwwwwwwwk....", ".kwgggggwwwk..r.", ".kwwwwwwwwwk.rr.", ".kwggggwwrrrrrrr",
    ".kwwwwwwwwwk.rr.", ".kwgggggwwwk..r.", ".kwwwwwwwwwk....", ".kkkkkkkkkkk....", "................",
    "................"};
const char* const kOption[kSize] = {
    "................", "......kk........", ".....kggk..kk...", "......kggkkgk...", "...k...kgggk....",
    "..kgk..kgggk....", "...kgkkggggk....", "....kgggggkk....", ".....kgggk.kk...", "....kgggk..kgk..",
    "...kgggk....kgk.", "..kgggk......kgk", ".kgggk........kk", ".kggk...........", "..kk............",
    "................"};
const char* const kHelp[kSize] = {
    "................", ".....kkkkkk.....", "....kbbbbbbk....", "...kbbkkkkbbk...", "...kbbk..kbbk...",
    "....kk...kbbk...", ".........kbbk...", "........kbbk....", ".......kbbk.....", "......kbbk......",
    "......kbbk......", ".......kk.......", "......kkkk......", "......kbbk......", "......kkkk......",
    "................"};
const char* const kExit[kSize] = {
    "................", "...kkkkkkkkkk...", "...kooooooook...", "...kooooooook...", "...kooooooook...",
    "...kooooooook...", "...koooooooyk...", "...kooooooyyk...", "...koooooooyk...", "...kooooooook...",
    "...kooooooook...", "...kooooooook...", "...kooooooook...", "...kooooooook...", "..kkkkkkkkkkkk..",
    "................"};

struct Icon {
  const char* button;
  const char* const* rows;
  bool disabledImage;
};

const Icon kIcons[] = {{"OpenButton", kOpen, true},       {"SaveButton", kSave, true},
                       {"CompileButton", kCompile, true}, {"OptionButton", kOption, true},
                       {"HelpButton", kHelp, true},       {"ExitButton", kExit, false}};

}  // namespace

void LoadToolbarIcons(ui::Form& form) {
  const std::map<char, COLORREF> palette = {
      {'k', RGB(0, 0, 0)},     {'y', RGB(255, 255, 0)}, {'o', RGB(128, 128, 0)}, {'w', RGB(255, 255, 255)},
      {'b', RGB(0, 0, 255)},   {'d', RGB(0, 0, 128)},   {'g', RGB(128, 128, 128)}, {'r', RGB(255, 0, 0)},
      {'G', RGB(0, 128, 0)}};
  for (const Icon& icon : kIcons) {
    ui::OwnedBitmap normal = ui::PixelArtBitmap(icon.rows, kSize, kSize, kTransparent, palette);
    ui::OwnedBitmap disabled =
        icon.disabledImage ? ui::DisabledPixelArt(icon.rows, kSize, kSize, kTransparent) : ui::OwnedBitmap();
    form.Get<ui::ToolButton>(icon.button).SetImages(std::move(normal), std::move(disabled), kTransparent);
  }
}
