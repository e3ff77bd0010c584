// Character selection: a drifting tiled background, a column of three banners,
// the portrait sliding in from the right, a name plate that converges from
// four blended copies and a shaking heading. Up and down step through nine
// characters in a ring; the first button is taken only on the first one,
// except in the campaign, which offers the whole cast.
#include <cstdio>
#include <string>

#include "core/core.h"
#include "input/input.h"
#include "platform/platform.h"
#include "screens/picture.h"
#include "screens/screens.h"
#include "sound/sound.h"
#include "video/text.h"
#include "video/video.h"


int CharselWholeCast = 0;
CharselStatics charsel;
CharselSheets charselSheets;

namespace {

struct CastFiles {
    const char* portrait;
    const char* banner;
    const char* voice;              // nullptr: this character has no greeting
};
constexpr CastFiles kCast[9] = {
    {"cs_maho.bmp", "s_maho.bmp", "wav\\cv0_maho0.wav"},
    {"cs_angel.bmp", "s_angel.bmp", "wav\\cv2_angel0.wav"},
    {"cs_devil.bmp", "s_devil.bmp", "wav\\cv3_devil0.wav"},
    {"cs_syamoji.bmp", "s_syamoji.bmp", nullptr},
    {"cs_digiko.bmp", "s_digiko.bmp", "wav\\cv5_digiko0.wav"},
    {"cs_aji.bmp", "s_aji.bmp", "wav\\cv6_aji0.wav"},
    {"cs_taiyaki.bmp", "s_taiyaki.bmp", "wav\\cv7_taiyaki0.wav"},
    {"cs_aniki.bmp", "s_aniki.bmp", "wav\\cv8_aniki0.wav"},
    {"cs_legend.bmp", "s_legend.bmp", "wav\\cv9_legend0.wav"},
};

constexpr RECT kBannerRect{0, 0, 196, 48};
constexpr RECT kHeadingRect{0, 0, 225, 32};
constexpr RECT kTileRect{0, 0, 64, 64};

int WrapSel(int chno) {
    if (chno > 8) return chno - 9;
    if (chno < 0) return chno + 9;
    return chno;
}

bool ValidSel(int chno) { return chno >= 0 && chno <= 8; }

}  // namespace

const char* GreetingVoice(int sel) { return ValidSel(sel) ? kCast[sel].voice : nullptr; }

void LoadCharselFiles() {
    CharselSheets& s = charselSheets;
    s.bg = LoadBitmapSurface("sbg.bmp");
    s.heading = LoadBitmapSurface("select.bmp");
    s.names = LoadBitmapSurface("name.bmp");
    SetKeyColor(s.heading, 0x07E0);
    SetKeyColor(s.names, 0x07E0);
    for (int i = 0; i < 9; i++) {
        s.portrait[i] = LoadBitmapSurface(kCast[i].portrait);
        SetKeyColor(s.portrait[i], 0x07E0);
        s.banner[i] = LoadBitmapSurface(kCast[i].banner);
    }
}

void RemoveCharselFiles() {
    CharselSheets& s = charselSheets;
    FreeSurface(s.bg);
    FreeSurface(s.heading);
    FreeSurface(s.names);
    for (int i = 0; i < 9; i++) {
        FreeSurface(s.banner[i]);
        FreeSurface(s.portrait[i]);
    }
}

void BGScroll() {
    Surface* tile = charselSheets.bg;
    int x = charsel.bgX, y = charsel.bgY;
    for (int row = 0; row < 3; row++) {
        for (int j = 0; j < 8; j++) PutSprite(64 * j + x, 128 * row + y, tile, kTileRect, 16);
        for (int j = 0; j < 8; j++) PutSprite(64 * j + x - 32, 128 * row + y + 64, tile, kTileRect, 16);
    }
    charsel.bgX -= 1;
    charsel.bgY -= 1;
    if (charsel.bgX == -128) charsel.bgX = 0;
    if (charsel.bgY == -128) charsel.bgY = 0;
}

void PutRBanner(int y, int alpha, int chno) {
    chno = WrapSel(chno);
    if (!ValidSel(chno)) return;
    Surface* b = charselSheets.banner[chno];
    PutSpriteAlpha(20, y, b, kBannerRect, 17, alpha);
}

void PutBanner(int chno) {
    PutRBanner(40, 16, chno - 1);
    PutRBanner(100, 31, chno);
    PutRBanner(160, 16, chno + 1);
}

void ScrollBanner(int pos, int chno) {
    int d = 2 * pos, h = pos >> 1;
    PutRBanner(40 - d, 15 - h, chno - 1);
    PutRBanner(100 - d, 30 - h, chno);
    PutRBanner(160 - d, h + 15, chno + 1);
    PutRBanner(220 - d, h, chno + 2);
}

void PutPortrait(int reset, int chno) {
    if (reset == 1) {
        charsel.PortraitAngle = 0;
        return;
    }
    if (!ValidSel(chno)) return;
    Surface* p = charselSheets.portrait[chno];
    int w = p ? p->width : 0, h = p ? p->height : 0;
    int s = static_cast<signed char>(GetSin(charsel.PortraitAngle));
    int y = (chno == 5 ? 200 : 240) - h;
    PutSprite(448 - s - w, y, p, RECT{0, 0, w, h}, 17);
    if (charsel.PortraitAngle < 110) charsel.PortraitAngle += 4;
}

void PutNamePlate(int reset, int chno) {
    if (reset == 1) {
        charsel.NameConverge = 31;
        return;
    }
    if (!ValidSel(chno)) return;
    int c = (chno == 0) ? 0 : chno + 1;  // plate 1 belongs to a character not offered here
    Surface* n = charselSheets.names;
    RECT r{0, 48 * c, 200, 48 * c + 48};
    int k = charsel.NameConverge;
    if (k <= 0) {
        PutSprite(120, 180, n, r, 17);
        return;
    }
    PutSpriteAlpha(120 + k, 180, n, r, 17, 31 - k);
    PutSpriteAlpha(120 - k, 180, n, r, 17, 31 - k);
    PutSpriteAlpha(120, 180 + k, n, r, 17, 31 - k);
    PutSpriteAlpha(120, 180 - k, n, r, 17, 31 - k);
    charsel.NameConverge -= 1;
}

void PutSelectTitle() {
    int v = static_cast<signed char>(GetSin(charsel.TitleShake));
    Surface* t = charselSheets.heading;
    PutSprite(v >> 6, 0, t, kHeadingRect, 17);
    charsel.TitleShake += 100;
    if (charsel.TitleShake > 360) charsel.TitleShake = 0;
}

void CharselPass(CharselRun& run) {
    BGScroll();

    // Only a change of the word counts: a held key steps once.
    if (run.word == run.prev) {
        run.word = 0;
    } else {
        run.prev = run.word;
    }
    if (run.word == IN_UP || run.word == IN_DOWN) {
        PutPortrait(1, 0);
        PutNamePlate(1, 0);
        if (run.word == IN_UP) {
            run.dir = 1;
            run.pos = 1;
            run.sel = (run.sel + 1 > 8) ? 0 : run.sel + 1;
        } else {
            run.dir = -1;
            run.pos = 30;
            run.sel = (run.sel - 1 < 0) ? 8 : run.sel - 1;
        }
    }

    PutPortrait(0, run.sel);

    if (run.pos > 0 && run.pos <= 30 && run.dir == -1) {
        run.pos -= 1;
        ScrollBanner(run.pos, run.sel);
    } else if (run.pos > 0 && run.pos < 30 && run.dir == 1) {
        run.pos += 1;
        ScrollBanner(run.pos, run.sel - 1);
    } else {
        run.pos = 0;
        PutBanner(run.sel);
    }

    PutNamePlate(0, run.sel);
    PutSelectTitle();
}

namespace {
// The whole game says on its selection how the technique is used, with the
// key the second button is bound to.
void PutTechniqueHint() {
    const std::string& key = plat::GetOptions().keys[5];
    PutTextCentered(229, "HOLD " + key + " TO CHARGE A SPELL, LET GO TO CAST IT", Ink::Highlight);
}
}  // namespace

int h_Charsel() {
    LoadCharselFiles();

    // The word read at the end of a pass is acted on in the next one. The
    // first button is taken only on selection 0, outside the campaign.
    CharselRun run;
    for (;;) {
        if (run.word == IN_B1 && (run.sel == 0 || CharselWholeCast == 1)) break;
        CharselPass(run);
        if (wholeGameRun == 1) PutTechniqueHint();
        FlipScreen();
        KeepMusicPlaying();
        run.word = GetInput();
    }

    RemoveCharselFiles();

    if (const char* voice = GreetingVoice(run.sel)) PlayWave(0, voice, 0);

    FreeSlot(1);
    Slot[1] = MakeSurface(320, 240);
    screens::Snapshot(Slot[1]);
    for (int v = 255; v >= 1; v--) {
        PutSprite(0, 0, Slot[1], screens::kScreenRect, 16);
        DarkenScreen(v >> 3);
        FlipScreen();
    }
    FreeSlot(1);

    ClearAllScreens();
    return run.sel;
}
