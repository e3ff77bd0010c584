// The front-end screens' full pictures: logos, title, selection, portraits, banners, end pictures.
//
// The front-end screens' pictures: the lettered logo and the studio logo of
// the intro, the title menu's background, captions and portrait, the
// selection screen's tile, heading, name plates, portraits and banners, and
// the game-over and stage-end pictures.
#include <algorithm>
#include <cmath>

#include "kit.h"
#include "art.h"

using namespace ag;
using namespace ag::screens;

namespace {

const std::string kOwner = "screens";

std::vector<Rgb> Tones(std::initializer_list<int> pals) {
    std::vector<Rgb> out;
    for (int p : pals) out.push_back(C(p));
    return out;
}

void Sparkle(Canvas& c, int x, int y, int r, Rgb col) {
    c.HLine(x - r, x + r, y, col);
    c.VLine(x, y - r, y + r, col);
    if (r >= 3) {
        c.Set(x - 1, y - 1, col);
        c.Set(x + 1, y - 1, col);
        c.Set(x - 1, y + 1, col);
        c.Set(x + 1, y + 1, col);
    }
}

// A night-to-dusk sky with stars, used by several pictures.
void Sky(Canvas& c, const Rect& r, const std::vector<Rgb>& ramp, uint32_t seed, int stars) {
    c.GradientV(r.l, r.t, r.W(), r.H(), ramp);
    Rng rng(seed);
    for (int i = 0; i < stars; ++i) {
        int x = r.l + rng.Range(r.W()), y = r.t + rng.Range(r.H() * 2 / 3);
        int kind = rng.Range(10);
        if (kind == 0)
            Sparkle(c, x, y, 2, C(P_ICE3));
        else
            c.Set(x, y, C(kind < 4 ? P_WHITE : P_DUSK4));
    }
}

// Rolling hills along the bottom, lit from the upper left.
void Hills(Canvas& c, const Rect& r, int baseY, int amp, double freq, double phase, int pal) {
    for (int x = r.l; x < r.r; ++x) {
        int top = baseY - int(amp * (0.6 * std::sin(x * freq + phase) + 0.4 * std::sin(x * freq * 2.3 + phase * 1.7)));
        c.VLine(x, std::max(r.t, top), r.b - 1, C(pal));
    }
}

// ---- intro ------------------------------------------------------------

const int kPieceEdge[7] = {0, 50, 85, 118, 155, 200, 239};
const char* const kPieceText[6] = {"PE", "LL", "OQ", "UI", "NA", "DE"};

void PaintLogoPieces(Canvas& c) {
    // Two letters per piece, spread evenly inside the piece so that the
    // pieces joined side by side read as one word.
    auto ramp = Tones({P_GOLD3, P_GOLD2, P_GOLD2, P_FIRE3, P_FIRE2});
    for (int k = 0; k < 6; ++k) {
        Canvas letters[2];
        for (int j = 0; j < 2; ++j)
            letters[j] = Framed(Lettering(std::string_view(kPieceText[k]).substr(j, 1), 3, 6, 0, ramp, kBlack),
                                C(P_DUSK1), C(P_VIOLET0), 0, 2, kBlack);
        int w = kPieceEdge[k + 1] - kPieceEdge[k];
        int used = letters[0].w + letters[1].w;
        int gap = std::max(0, (w - used) / 3);
        int x = kPieceEdge[k] + gap;
        for (int j = 0; j < 2; ++j) {
            c.Blit(letters[j], x, 8, true, kBlack);
            x += letters[j].w + std::max(-1, gap - 1);
        }
    }
    // Sparkles in the spare corners; the one on the first piece is seen huge
    // at the start of the zoom.
    Sparkle(c, 45, 6, 3, C(P_GOLD3));
    Sparkle(c, 46, 52, 2, C(P_ICE3));
    Sparkle(c, 196, 5, 2, C(P_ICE3));
}

void PaintStudioLogo(Canvas& c) {
    c.Fill(C(P_INK));
    // Emblem: a crescent moon with a kite crossing it, inside a gold ring.
    c.FillCircle(100, 44, 30, C(P_GOLD2));
    c.FillCircle(100, 44, 27, C(P_DUSK1));
    c.ShadeBall(100, 44, 22, Ramp("ice"));
    c.FillCircle(110, 38, 19, C(P_DUSK1));
    Pen p{c};
    p.Poly({{112, 30}, {124, 44}, {112, 62}, {100, 44}}, P_ROSE2);
    p.Line(112, 30, 112, 62, P_ROSE3);
    p.Line(100, 44, 124, 44, P_ROSE3);
    p.Line(112, 62, 104, 70, P_GOLD3);
    p.Line(104, 70, 108, 74, P_GOLD3);
    Sparkle(c, 80, 26, 2, C(P_WHITE));
    Sparkle(c, 128, 66, 2, C(P_WHITE));
    DrawTextCentered(c, Rect{0, 78, 200, 98}, "MOONKITE", OutlinedText(2, P_GOLD3, P_GOLD2));
    DrawTextCentered(c, Rect{0, 100, 200, 112}, "GAME STUDIO", OutlinedText(1, P_DUSK4, P_DUSK3));
}

// ---- title menu -------------------------------------------------------

void PaintTitleBack(Canvas& c) {
    Rect all{0, 0, 320, 240};
    Sky(c, all, Tones({P_SKY0, P_DUSK1, P_DUSK2, P_DUSK3, P_AMBER0, P_AMBER1}), HashText("title sky"), 90);
    // Moon low on the right.
    c.ShadeBall(292, 120, 14, Ramp("gold"));
    Hills(c, all, 206, 10, 0.021, 0.5, P_DUSK1);
    // A castle on the far hill, its windows lit.
    Pen p{c};
    p.Rect(232, 160, 44, 40, P_DUSK0);
    p.Rect(226, 140, 14, 60, P_DUSK0);
    p.Rect(268, 132, 14, 68, P_DUSK0);
    p.Poly({{224, 140}, {233, 122}, {242, 140}}, P_VIOLET0);
    p.Poly({{266, 132}, {275, 110}, {284, 132}}, P_VIOLET0);
    for (int i = 0; i < 3; ++i) p.Rect(240 + 12 * i, 172, 3, 5, P_GOLD3);
    p.Rect(273, 145, 3, 5, P_GOLD3);
    Hills(c, all, 226, 8, 0.034, 2.0, P_INK);
}

// Item captions: item 0 starts a game; the three others end the program.
const char* const kItemText[4] = {"START GAME", "QUIT GAME", "EXIT", "END"};
const int kItemWidth[4] = {152, 128, 96, 64};

void PaintTitleText(Canvas& c) {
    for (int i = 0; i < 4; ++i) {
        TextStyle st = OutlinedText(2, i == 0 ? P_GOLD3 : P_ICE3, i == 0 ? P_GOLD2 : P_ICE2);
        int x = (i == 0) ? 16 : 4;
        DrawText(c, x, 32 * i + 9, kItemText[i], st);
        if (i == 0) {
            Pen p{c};
            p.Star(6, 32 * i + 15, 6, P_GOLD3);
        }
    }
    // The title logo (0, 128, 208, 214): the name and a line under it.
    Canvas word = Lettering("PELLOQUINADE", 3, 5, 2, Tones({P_GOLD3, P_GOLD2, P_FIRE3, P_FIRE2}), kKey);
    Canvas framed = Framed(word, C(P_INK), C(P_VIOLET0), 1, 2, kKey);
    c.Blit(framed, (208 - framed.w) / 2, 134);
    DrawTextCentered(c, Rect{0, 178, 208, 192}, "A SKY FULL OF SPELLS", OutlinedText(1, P_ROSE3, P_ROSE2));
    Sparkle(c, 8, 198, 3, C(P_ICE3));
    Sparkle(c, 200, 136, 3, C(P_ICE3));
    Pen p{c};
    p.Star(104, 202, 6, P_GOLD3);
    c.HLine(40, 92, 202, C(P_GOLD2));
    c.HLine(116, 168, 202, C(P_GOLD2));
}

void PaintTitlePortrait(Canvas& c) {
    Canvas p = Portrait(0, 158, 238);
    c.Blit(p, 0, 0, false);
    Sparkle(c, 20, 40, 3, C(P_GOLD3));
    Sparkle(c, 140, 30, 2, C(P_ICE3));
}

// ---- selection --------------------------------------------------------

void PutWrapped(Canvas& c, int x, int y, Rgb col) { c.Set(((x % 64) + 64) % 64, ((y % 64) + 64) % 64, col); }

void PaintTile(Canvas& c) {
    // Seamless: every mark is drawn modulo the tile size.
    c.Fill(C(P_DUSK1));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            int d = std::abs(((x + 16) % 32) - 16) + std::abs(((y + 16) % 32) - 16);
            if (d == 15) c.Set(x, y, C(P_DUSK2));
            if (d < 3) c.Set(x, y, C(Bayer4(x, y) < 8 ? P_DUSK2 : P_DUSK1));
        }
    for (int k = 0; k < 2; ++k) {
        int cx = 16 + 32 * k, cy = 16 + 32 * k;
        for (int r = -2; r <= 2; ++r) {
            PutWrapped(c, cx + r, cy, C(P_VIOLET3));
            PutWrapped(c, cx, cy + r, C(P_VIOLET3));
        }
        PutWrapped(c, cx, cy, C(P_WHITE));
    }
    Rng rng(HashText("sbg dots"));
    for (int i = 0; i < 10; ++i) {
        // Drawn one statement at a time: arguments have no order of evaluation.
        const int y = rng.Range(64);
        const int x = rng.Range(64);
        PutWrapped(c, x, y, C(P_DUSK3));
    }
}

void PaintHeading(Canvas& c) {
    Pen p{c};
    p.Poly({{0, 3}, {224, 3}, {214, 15}, {224, 28}, {0, 28}, {10, 15}}, P_ROSE1);
    c.HLine(4, 220, 4, C(P_ROSE2));
    c.HLine(4, 220, 27, C(P_ROSE0));
    DrawTextCentered(c, Rect{0, 2, 225, 30}, "CHOOSE YOUR FLYER", OutlinedText(2, P_WHITE, P_ROSE3));
}

// Name plates for character indices 0..9; index 1 is the witch's second form.
const char* const kPlateName[10] = {"MAHO", "MAHO II", "ANGEL", "DEVIL", "SYAMOJI", "DIGIKO",
                                    "AJI",  "TAIYAKI", "ANIKI", "LEGEND"};

void PaintPlates(Canvas& c) {
    for (int k = 0; k < 10; ++k) {
        int y = 48 * k;
        Pen p{c};
        p.Poly({{6, y + 6.0}, {194, y + 6.0}, {200, y + 24.0}, {194, y + 42.0}, {6, y + 42.0}, {0, y + 24.0}},
               P_GOLD1);
        p.Poly({{8, y + 8.0}, {192, y + 8.0}, {197, y + 24.0}, {192, y + 40.0}, {8, y + 40.0}, {3, y + 24.0}},
               P_DUSK0);
        c.GradientV(10, y + 10, 180, 28, Tones({P_DUSK2, P_DUSK1, P_DUSK0}));
        c.HLine(8, 191, y + 8, C(P_GOLD3));
        DrawTextCentered(c, Rect{0, y + 6, 200, y + 42}, kPlateName[k], OutlinedText(3, P_GOLD3, P_GOLD2));
        Sparkle(c, 14, y + 24, 2, C(P_ICE3));
        Sparkle(c, 185, y + 24, 2, C(P_ICE3));
    }
}

void PaintBanner(Canvas& c, int i) {
    std::vector<Rgb> ramp = CastRamp(i);
    c.GradientH(4, 4, 188, 40, ramp);
    Pen p{c};
    // Cut corners, gold rails top and bottom.
    p.Poly({{0, 0}, {10, 0}, {0, 10}}, P_KEY);
    p.Poly({{196, 48}, {186, 48}, {196, 38}}, P_KEY);
    c.FillRect(0, 0, 196, 4, kKey);
    c.FillRect(0, 44, 196, 4, kKey);
    c.HLine(0, 195, 4, C(P_GOLD2));
    c.HLine(0, 195, 43, C(P_GOLD1));
    c.FillRect(0, 4, 4, 40, ramp.front());
    c.FillRect(192, 4, 4, 40, ramp.front());
    // Face icon from the portrait, then the name.
    Canvas face = Downscale(Portrait(i, 150, 210).Crop(kFaceBox[i]), 2, kKey);
    c.FillRect(5, 5, 40, 38, C(P_INK));
    c.Blit(face.Crop(Rect{2, 3, 42, 41}), 5, 5);
    DrawText(c, 54, 17, kCastName[i], OutlinedText(2, P_WHITE, P_ICE3));
}

// ---- game over and stage end -------------------------------------------

void PaintGameOver(Canvas& c) {
    Rect all{0, 0, 320, 240};
    Sky(c, all, Tones({P_INK, P_SKY0, P_DUSK0, P_DUSK1}), HashText("game over sky"), 120);
    Hills(c, all, 190, 12, 0.018, 1.2, P_DUSK0);
    Hills(c, all, 214, 6, 0.03, 0.3, P_INK);
    // The witch's hat lies in the grass beside her broken broom.
    Pen p{c};
    p.Line(150, 196, 196, 182, P_EARTH1, 3);
    p.Line(204, 184, 236, 176, P_EARTH1, 3);
    p.Poly({{236, 172}, {256, 166}, {258, 182}, {238, 186}}, P_GOLD1);
    p.Ellipse(120, 200, 30, 6, P_VIOLET0);
    p.Poly({{98, 198}, {142, 198}, {150, 176}, {120, 160}, {104, 180}}, P_VIOLET1);
    p.Poly({{100, 196}, {141, 196}, {143, 190}, {101, 190}}, P_GOLD1);
    DrawTextCentered(c, Rect{0, 56, 320, 100}, "GAME OVER", OutlinedText(4, P_GOLD3, P_FIRE3));
    DrawTextCentered(c, Rect{0, 104, 320, 120}, "THE SKY WILL WAIT FOR YOU", OutlinedText(1, P_DUSK4, P_DUSK3));
}

void PaintStageEnd(Canvas& c) {
    Rect all{0, 0, 320, 240};
    Sky(c, all, Tones({P_SKY1, P_SKY2, P_DUSK3, P_ROSE2, P_AMBER1, P_AMBER2, P_GOLD3}), HashText("dawn sky"), 30);
    c.ShadeBall(160, 196, 34, Ramp("fire"));
    Hills(c, all, 196, 10, 0.02, 0.8, P_DUSK2);
    Hills(c, all, 218, 8, 0.035, 2.4, P_DUSK0);
    // The witch flying home against the dawn.
    Pen p{c};
    p.Line(196, 128, 232, 118, P_INK, 2);
    p.Poly({{192, 126}, {200, 122}, {202, 132}, {190, 134}}, P_INK);
    p.Ellipse(214, 114, 6, 8, P_INK);
    p.Poly({{206, 110}, {224, 110}, {220, 96}, {230, 90}, {214, 98}}, P_INK);
    DrawTextCentered(c, Rect{0, 24, 320, 56}, "STAGE CLEAR", OutlinedText(3, P_GOLD3, P_GOLD2));
    DrawTextCentered(c, Rect{0, 62, 320, 76}, "THANK YOU FOR PLAYING", OutlinedText(1, P_WHITE, P_ICE3));
    DrawTextCentered(c, Rect{0, 224, 320, 238}, "PRESS Z", OutlinedText(1, P_WHITE, P_ICE3));
}

// ---- captions on "fix.bmp" ----------------------------------------------

// A framed plate filling a cell but its outer pixel.
void Plate(Canvas& c, const Rect& r, int rim, int inner, int light) {
    Pen p{c};
    int l = r.l + 1, t = r.t + 1, w = r.W() - 2, h = r.H() - 2;
    p.Poly({{l + 3.0, t + 0.0}, {l + w - 3.0, t + 0.0}, {l + w + 0.0, t + 3.0}, {l + w + 0.0, t + h - 3.0},
            {l + w - 3.0, t + h + 0.0}, {l + 3.0, t + h + 0.0}, {l + 0.0, t + h - 3.0}, {l + 0.0, t + 3.0}},
           rim);
    c.FillRect(l + 2, t + 2, w - 4, h - 4, C(inner));
    c.HLine(l + 3, l + w - 4, t + 2, C(light));
}

void PaintCaptions(Canvas& c) {
    Rect cap = CellRect("fix.bmp", "continue caption");
    DrawTextCentered(c, Rect{cap.l, cap.t, cap.r, cap.t + 38}, "CONTINUE?", OutlinedText(3, P_GOLD3, P_FIRE3));
    c.HLine(cap.l + 40, cap.r - 41, cap.t + 40, C(P_GOLD2));
    Sparkle(c, cap.l + 14, cap.t + 19, 3, C(P_ICE3));
    Sparkle(c, cap.r - 15, cap.t + 19, 3, C(P_ICE3));
    Sparkle(c, cap.l + (cap.W() / 2), cap.t + 41, 2, C(P_GOLD3));

    // Choice A keeps playing, choice B ends the run.
    Rect a = CellRect("fix.bmp", "choice A");
    Plate(c, a, P_TEAL1, P_TEAL0, P_TEAL2);
    DrawTextCentered(c, Rect{a.l, a.t + 4, a.r, a.t + 30}, "YES", OutlinedText(3, P_WHITE, P_TEAL3));
    DrawTextCentered(c, Rect{a.l, a.t + 30, a.r, a.t + 44}, "CONTINUE", OutlinedText(1, P_TEAL3, P_TEAL2));
    Rect b = CellRect("fix.bmp", "choice B");
    Plate(c, b, P_ROSE1, P_ROSE0, P_ROSE2);
    DrawTextCentered(c, Rect{b.l, b.t + 4, b.r, b.t + 30}, "NO", OutlinedText(3, P_WHITE, P_ROSE3));
    DrawTextCentered(c, Rect{b.l, b.t + 30, b.r, b.t + 44}, "END GAME", OutlinedText(1, P_ROSE3, P_ROSE2));

    // The stage-clear caption shares this owner; it keeps the gold lettering.
    DrawTextCentered(c, CellRect("fix.bmp", "stage clear"), "STAGE CLEAR", OutlinedText(3, P_GOLD3, P_GOLD2));
}

Canvas PortraitSheet(int i) { return Portrait(i, 150, 210); }

}  // namespace

AG_REGISTER(RegisterScreensPictures) {
    auto sheet = [](const std::string& file, int w, int h, Rgb bg, const std::string& what) {
        DeclareSheet({file, w, h, Depth::Rgb24, bg, what});
    };
    auto whole = [](const std::string& file, const std::string& name, Rect r, const std::string& what, Copy copy) {
        DeclareCell(file, name, r, what, copy, kOwner);
    };

    // Intro.
    sheet("title.bmp", 239, 59, kBlack, "intro: the lettered logo in six pieces, keyed on black");
    for (int k = 0; k < 6; ++k)
        whole("title.bmp", CellName("logo piece", k), Rect{kPieceEdge[k], 0, kPieceEdge[k + 1], 59},
              Format("logo piece %d: \"%s\"", k, kPieceText[k]), Copy::BlackKey);
    AddPainter("title.bmp", kOwner, PaintLogoPieces);
    sheet("vrk_logo.bmp", 200, 120, kBlack, "intro: the studio logo");
    whole("vrk_logo.bmp", "studio logo", Rect{0, 0, 200, 120}, "studio logo", Copy::Plain);
    AddPainter("vrk_logo.bmp", kOwner, PaintStudioLogo);

    // Title menu.
    sheet("title_bg.bmp", 320, 240, kBlack, "title menu background");
    whole("title_bg.bmp", "background", Rect{0, 0, 320, 240}, "title background", Copy::Plain);
    AddPainter("title_bg.bmp", kOwner, PaintTitleBack);
    sheet("title_text.bmp", 208, 214, kKey, "title menu captions and logo");
    for (int i = 0; i < 4; ++i)
        whole("title_text.bmp", CellName("item", i), Rect{0, 32 * i, kItemWidth[i], 32 * i + 32},
              Format("menu item %d: \"%s\"", i, kItemText[i]), Copy::Keyed);
    whole("title_text.bmp", "logo", Rect{0, 128, 208, 214}, "title logo, blended in at (100, 10)", Copy::Keyed);
    AddPainter("title_text.bmp", kOwner, PaintTitleText);
    sheet("cs_make.bmp", 158, 238, kKey, "title menu portrait");
    whole("cs_make.bmp", "portrait", Rect{0, 0, 158, 238}, "the witch, drawn at (5, 2)", Copy::Keyed);
    AddPainter("cs_make.bmp", kOwner, PaintTitlePortrait);

    // Selection.
    sheet("sbg.bmp", 64, 64, kBlack, "selection background tile");
    whole("sbg.bmp", "tile", Rect{0, 0, 64, 64}, "seamless background tile", Copy::Plain);
    AddPainter("sbg.bmp", kOwner, PaintTile);
    sheet("select.bmp", 225, 32, kKey, "selection heading");
    whole("select.bmp", "heading", Rect{0, 0, 225, 32}, "selection heading", Copy::Keyed);
    AddPainter("select.bmp", kOwner, PaintHeading);
    sheet("name.bmp", 200, 480, kKey, "name plates by character index");
    for (int k = 0; k < 10; ++k)
        whole("name.bmp", CellName("plate", k), Rect{0, 48 * k, 200, 48 * k + 48},
              Format("name plate of character %d: \"%s\"", k, kPlateName[k]), Copy::Keyed);
    AddPainter("name.bmp", kOwner, PaintPlates);
    for (int i = 0; i < kCastCount; ++i) {
        std::string stem = kCastStem[i];
        sheet("cs_" + stem + ".bmp", 150, 210, kKey, "selection portrait: " + stem);
        whole("cs_" + stem + ".bmp", "portrait", Rect{0, 0, 150, 210}, "portrait, bottom-aligned", Copy::Keyed);
        AddPainter("cs_" + stem + ".bmp", kOwner, [i](Canvas& c) { c.Blit(PortraitSheet(i), 0, 0, false); });
        sheet("s_" + stem + ".bmp", 196, 48, kKey, "selection banner: " + stem);
        whole("s_" + stem + ".bmp", "banner", Rect{0, 0, 196, 48}, "banner, blended copy", Copy::Keyed);
        AddPainter("s_" + stem + ".bmp", kOwner, [i](Canvas& c) { PaintBanner(c, i); });
    }

    // Game over and stage end.
    sheet("demo_over.bmp", 320, 240, kBlack, "game-over picture");
    whole("demo_over.bmp", "picture", Rect{0, 0, 320, 240}, "game over", Copy::Plain);
    AddPainter("demo_over.bmp", kOwner, PaintGameOver);
    sheet("pre_end.bmp", 320, 240, kBlack, "stage-end picture");
    whole("pre_end.bmp", "picture", Rect{0, 0, 320, 240}, "stage end: waits for the first button", Copy::Plain);
    AddPainter("pre_end.bmp", kOwner, PaintStageEnd);

    // The continue screen's caption and choices on the shared sheet.
    AddPainter("fix.bmp", "captions", PaintCaptions);
}
