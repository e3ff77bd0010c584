// Title menu: background and portrait fade in, the logo fades in, four items
// slide in from the right, the highlight moves over them, and a wave dissolves
// the screen on confirmation.
#include "input/input.h"
#include "platform/platform.h"
#include "screens/picture.h"
#include "screens/screens.h"
#include "sound/sound.h"
#include "video/video.h"

using screens::kScreenRect;

namespace {
constexpr int kStartAlpha[4] = {31, 31, 31, 31};
constexpr int kStartX[4] = {240, 370, 500, 680};
constexpr int kStartSlide[4] = {150, 240, 330, 460};
constexpr int kStartWidth[4] = {152, 128, 96, 64};

constexpr RECT kLogoRect{0, 128, 208, 214};
constexpr RECT kPortraitRect{0, 0, 158, 238};

RECT ItemRect(int i) { return RECT{0, 32 * i, ItemWidth[i], 32 * i + 32}; }

// The whole game's idle cycle starts after this long without input.
constexpr uint32_t kIdleMs = 20000;
}  // namespace

int TitleWholeGame = 0;
void (*TitleIdle)() = nullptr;

// The menu's first visit runs before the shell's first reset, so the tables
// start out holding their values.
int ItemAlpha[4] = {31, 31, 31, 31};
int ItemX[4] = {240, 370, 500, 680};
int ItemSlide[4] = {150, 240, 330, 460};
int ItemWidth[4] = {152, 128, 96, 64};
int MenuSel = 0;

void ResetTitleTables() {
    for (int i = 0; i < 4; i++) {
        ItemAlpha[i] = kStartAlpha[i];
        ItemX[i] = kStartX[i];
        ItemSlide[i] = kStartSlide[i];
        ItemWidth[i] = kStartWidth[i];
    }
}

void LoadTitleFiles() {
    for (int i = 0; i < 4; i++) FreeSlot(i);
    Slot[0] = LoadBitmapSurface("title_text.bmp");
    Slot[1] = LoadBitmapSurface("title_bg.bmp");
    Slot[2] = MakeSurface(320, 240);
    Slot[3] = LoadBitmapSurface("cs_make.bmp");
    SetKeyColor(Slot[0], 0x07E0);
    SetKeyColor(Slot[3], 0x07E0);
    if (TitleWholeGame == 1 && Slot[0]) {
        // The whole game's own captions take the places of the four items.
        Surface* own = LoadBitmapSurface("menu_text.bmp");
        if (own) CopySurfaceRect(Slot[0], own, RECT{0, 0, 208, 128}, 0, 0);
        FreeSurface(own);
    }
}

void RemoveTitleFiles() {
    for (int i = 3; i >= 0; i--) FreeSlot(i);
}

namespace {

void PutBackAndPortrait() {
    PutSprite(0, 0, Slot[1], kScreenRect, 16);
    PutSprite(5, 2, Slot[3], kPortraitRect, 17);
}

void FadeInTitle() {
    for (int i = 1; i <= 31; i++) {
        PutBackAndPortrait();
        DarkenScreen(i);
        FlipScreen();
    }
    for (int i = 1; i <= 31; i++) {
        PutBackAndPortrait();
        PutSpriteAlpha(100, 10, Slot[0], kLogoRect, 17, i);
        FlipScreen();
    }
}

void PutTitleBack() { PutSprite(0, 0, Slot[2], kScreenRect, 16); }

}  // namespace

void SlideTitleItems() {
    for (int i = 0; i < 4; i++) {
        PutSprite(ItemX[i] + 30, 32 * i + 100, Slot[0], ItemRect(i), 17);
        if (ItemSlide[i] > 0) {
            ItemSlide[i] -= 5;
            ItemX[i] -= 5;
        }
    }
}

void PutTitleItems() {
    for (int i = 0; i < 4; i++)
        PutSpriteAlpha(ItemX[i] + 30, 32 * i + 100, Slot[0], ItemRect(i), 17, ItemAlpha[i]);
    for (int i = 0; i < 4; i++) {
        if (i != MenuSel) {
            if (ItemAlpha[i] > 8) ItemAlpha[i] -= 1;
        } else if (ItemAlpha[i] <= 30) {
            ItemAlpha[i] += 1;
        }
    }
}

int h_Title() {
    LoadTitleFiles();
    FadeInTitle();
    screens::Snapshot(Slot[2]);

    for (int f = 0; f < 100; f++) {
        PutTitleBack();
        SlideTitleItems();
        FlipScreen();
    }

    // The word is compared whole: a direction with any other bit set, or
    // both directions, moves nothing, and only the first button alone confirms.
    int word = 0, prev = 0;
    bool held = false;  // after the idle cycle: input counts again once every key is up
    uint32_t lastInput = plat::GetTicks();
    while (word != IN_B1) {
        KeepMusicPlaying();
        word = GetInput();
        if (TitleWholeGame == 1) {
            // Escape on this title highlights QUIT; the other screens take it as "back".
            if (plat::DropMessages(plat::MsgType::KeyEscape) > 0) MenuSel = 3;
            if (word != 0) lastInput = plat::GetTicks();
            if (held) {
                if (word == 0) held = false;
                prev = word;
                word = 0;
            } else if (TitleIdle && plat::GetTicks() - lastInput >= kIdleMs) {
                TitleIdle();
                // The cycle may have used the slots: the menu's picture is made again.
                LoadTitleFiles();
                PutBackAndPortrait();
                PutSpriteAlpha(100, 10, Slot[0], kLogoRect, 17, 31);
                screens::Snapshot(Slot[2]);
                held = true;
                lastInput = plat::GetTicks();
                prev = word = 0;
            }
        }
        PutTitleBack();
        PutTitleItems();
        if (word != prev) {
            prev = word;
            if (word == IN_UP) MenuSel = (MenuSel == 0) ? 3 : MenuSel - 1;
            if (word == IN_DOWN) MenuSel = (MenuSel == 3) ? 0 : MenuSel + 1;
        }
        FlipScreen();
    }

    screens::Snapshot(Slot[2]);
    for (int i = 0; i < 64; i++) {
        PutTitleBack();
        PutSpriteWave(0, 0, i >> 3, i >> 1, 0, WorkSurface, kScreenRect, 16);
        DarkenScreen(31 - (i >> 1));
        FlipScreen();
    }

    RemoveTitleFiles();
    return MenuSel;
}

void ResetScreensState() {
    ResetTitleTables();
    MenuSel = 0;
    charsel = CharselStatics{};
    CharselWholeCast = 0;
    TitleWholeGame = 0;
    ContinueSel = 0;
    ContinueSwap = 0;
    epilogueState = EpilogueStatics{};
}
