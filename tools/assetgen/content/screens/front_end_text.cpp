// The whole game's front-end lettering: "menu_text.bmp" holds the title
// menu's own four captions (drawn where the title's captions sit, in their
// style) and the headings of the high-score, practice, options and name
// screens; "font.bmp" holds the pixel font in four colours for the text the
// game writes at run time (names, scores, settings).
#include "kit.h"
#include "art.h"

using namespace ag;

namespace {

const char* const kMenu = "menu_text.bmp";
const char* const kFont = "font.bmp";
const char* const kOwner = "front end";

constexpr const char* kItemText[4] = {"START GAME", "PRACTICE", "OPTIONS", "QUIT"};
constexpr int kItemWidth[4] = {152, 128, 96, 64};
constexpr const char* kHeading[4] = {"HIGH SCORES", "PRACTICE", "OPTIONS", "YOUR NAME"};
constexpr int kHeadingTop = 128, kHeadingH = 24, kMenuW = 208;

// Font cells: ASCII 32..95, 8 x 10 each, one row per colour.
constexpr int kGlyphW = 8, kGlyphH = 10, kGlyphs = 64;
struct Ink {
    const char* name;
    int color, shade, outline;
};
constexpr Ink kInks[4] = {
    {"plain", P_ICE3, P_ICE2, P_INK},
    {"highlight", P_GOLD3, P_GOLD2, P_INK},
    {"dim", P_METAL3, P_METAL2, P_INK},
    {"warning", P_ROSE3, P_FIRE3, P_INK},
};

void PaintMenuText(Canvas& c) {
    for (int i = 0; i < 4; ++i) {
        int x = (i == 0) ? 16 : 4;
        DrawText(c, x, 32 * i + 9, kItemText[i], OutlinedText(2, i == 0 ? P_GOLD3 : P_ICE3, i == 0 ? P_GOLD2 : P_ICE2));
        if (i == 0) {
            screens::Pen p{c};
            p.Star(6, 15, 6, P_GOLD3);
        }
    }
    for (int k = 0; k < 4; ++k) {
        Rect r{0, kHeadingTop + kHeadingH * k, kMenuW, kHeadingTop + kHeadingH * (k + 1)};
        DrawTextCentered(c, Rect{r.l, r.t, r.r, r.b - 3}, kHeading[k], OutlinedText(2, P_GOLD3, P_GOLD2));
        int w = TextWidth(kHeading[k], 2);
        c.HLine((kMenuW - w) / 2 - 4, (kMenuW + w) / 2 + 3, r.b - 2, C(P_ROSE2));
    }
}

void PaintFont(Canvas& c) {
    for (int row = 0; row < 4; ++row) {
        const Ink& ink = kInks[row];
        for (int g = 0; g < kGlyphs; ++g) {
            char ch = static_cast<char>(32 + g);
            if (!GlyphKnown(ch)) continue;
            DrawText(c, g * kGlyphW + 1, row * kGlyphH + 1, std::string(1, ch), OutlinedText(1, ink.color, ink.shade, ink.outline));
        }
    }
}

}  // namespace

AG_REGISTER(RegisterFrontEndText) {
    DeclareSheet({kMenu, kMenuW, kHeadingTop + 4 * kHeadingH, Depth::Rgb24, kKey,
                  "whole game: title menu captions and screen headings"});
    for (int i = 0; i < 4; ++i)
        DeclareCell(kMenu, CellName("item", i), Rect{0, 32 * i, kItemWidth[i], 32 * i + 32},
                    Format("whole-game menu item %d: \"%s\"", i, kItemText[i]), Copy::Keyed, kOwner);
    for (int k = 0; k < 4; ++k)
        DeclareCell(kMenu, CellName("heading", k),
                    Rect{0, kHeadingTop + kHeadingH * k, kMenuW, kHeadingTop + kHeadingH * (k + 1)},
                    Format("screen heading \"%s\"", kHeading[k]), Copy::Keyed, kOwner);
    AddPainter(kMenu, kOwner, PaintMenuText);

    DeclareSheet({kFont, kGlyphW * kGlyphs, kGlyphH * 4, Depth::Rgb24, kKey,
                  "the pixel font, characters 32..95 in 8 x 10 cells"});
    for (int row = 0; row < 4; ++row)
        DeclareCell(kFont, Format("font %s", kInks[row].name), Rect{0, kGlyphH * row, kGlyphW * kGlyphs, kGlyphH * (row + 1)},
                    Format("the font, %s ink", kInks[row].name), Copy::Keyed, kOwner);
    AddPainter(kFont, kOwner, PaintFont);
}
