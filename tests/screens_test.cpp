// The front-end screens: title menu, character selection, run end, logo and stage caption.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "input/input.h"
#include "platform/audio.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "video/video.h"
#include "headless_screens.h"

namespace {

// Every test runs the screens headless: virtual clock, scripted input words
// (one per input query, 0 once the script runs out), counted frames.
class ScreensFixture : public ::testing::Test {
protected:
    void SetUp() override {
        saved = plat::GetOptions();
        ASSERT_TRUE(StartHeadlessScreens());
        for (int i = 0; i < 7; i++) FreeSlot(i);
        FillScreen(0);
    }
    void TearDown() override {
        plat::SetScriptedInput(std::vector<int>{});
        for (int i = 0; i < 7; i++) FreeSlot(i);
        ASSERT_TRUE(plat::Startup(saved));  // sound on again for the tests that follow
    }
    plat::Options saved;

    // Runs a screen with a script and returns the frames it presented.
    template <class F>
    uint64_t Frames(const std::vector<int>& script, F screen) {
        plat::SetScriptedInput(script);
        uint64_t before = plat::PresentedFrames();
        screen();
        return plat::PresentedFrames() - before;
    }

    static Surface* Solid(int w, int h, uint16_t pixel) {
        Surface* s = MakeSurface(w, h);
        std::fill(s->pixels.begin(), s->pixels.end(), pixel);
        return s;
    }
    static uint16_t At(int x, int y) { return WorkSurface->pixels[y * 320 + x]; }
    static int Red(uint16_t p) { return p >> 11; }
};

using ScreensTitle = ScreensFixture;
using ScreensCharsel = ScreensFixture;
using ScreensContinue = ScreensFixture;
using ScreensStageEnd = ScreensFixture;
using ScreensLogo = ScreensFixture;

std::vector<int> Repeat(int word, int n) { return std::vector<int>(n, word); }
std::vector<int> operator+(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// --- title menu

TEST_F(ScreensTitle, ItemsSlideToRestAndSlideAgainAfterReset) {
    for (int f = 0; f < 100; f++) SlideTitleItems();
    const int rest[4] = {120, 160, 200, 250};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(ItemX[i] + 30, rest[i]) << "item " << i;
        EXPECT_EQ(ItemSlide[i], 0);
    }
    // The shell's per-run reset puts the items back off screen but keeps the highlight.
    MenuSel = 2;
    ResetStageFlags();
    EXPECT_EQ(ItemX[0], 240);
    EXPECT_EQ(ItemX[3], 680);
    EXPECT_EQ(ItemSlide[3], 460);
    EXPECT_EQ(MenuSel, 2);
}

TEST_F(ScreensTitle, HighlightBrightensAndOthersDim) {
    for (int f = 0; f < 23; f++) PutTitleItems();
    EXPECT_EQ(ItemAlpha[0], 31);
    for (int i = 1; i < 4; i++) EXPECT_EQ(ItemAlpha[i], 8);
    PutTitleItems();
    EXPECT_EQ(ItemAlpha[1], 8);  // the dimmed items stop at 8

    MenuSel = 2;
    PutTitleItems();
    EXPECT_EQ(ItemAlpha[0], 30);
    EXPECT_EQ(ItemAlpha[2], 9);
    for (int f = 0; f < 30; f++) PutTitleItems();
    EXPECT_EQ(ItemAlpha[0], 8);
    EXPECT_EQ(ItemAlpha[2], 31);  // and the highlight stops at 31
}

TEST_F(ScreensTitle, WholeWordsMoveTheHighlightOncePerChange) {
    // A held direction moves once.
    plat::SetScriptedInput({IN_UP, IN_UP, IN_UP, IN_B1});
    EXPECT_EQ(h_Title(), 3);  // up wraps from 0 to 3
    ResetTitleTables();
    plat::SetScriptedInput({IN_DOWN, 0, IN_DOWN, IN_DOWN, 0, IN_B1});
    EXPECT_EQ(h_Title(), 1);  // down from 3 wraps to 0, then 1
    // Directions combined with anything, or both directions, do nothing; and
    // a button combined with a direction does not confirm.
    ResetTitleTables();
    plat::SetScriptedInput({IN_UP | IN_B1, 0, IN_DOWN | IN_B2, IN_UP | IN_DOWN, IN_DOWN | IN_RIGHT, IN_B1 | IN_B2,
                            IN_B1});
    EXPECT_EQ(h_Title(), 1);
    for (int i = 0; i < 4; i++) EXPECT_EQ(Slot[i], nullptr) << "slot " << i << " freed on exit";
}

TEST_F(ScreensTitle, InputIsReadOnlyAfterTheSlideIn) {
    // Fade 31 + 31, slide-in 100, then the first word read confirms; that
    // frame is still shown before the 64-frame wave.
    EXPECT_EQ(Frames({IN_B1}, [] { h_Title(); }), 31u + 31 + 100 + 1 + 64);
    ResetTitleTables();
    EXPECT_EQ(Frames({0, 0, IN_B1}, [] { h_Title(); }), 31u + 31 + 100 + 3 + 64);
}

// --- character selection

TEST_F(ScreensCharsel, UpAndDownStepThroughARing) {
    CharselRun run;
    for (int i = 0; i < 9; i++) {
        run.word = IN_UP;
        CharselPass(run);
        EXPECT_EQ(run.sel, (i + 1) % 9);
        run.word = 0;
        CharselPass(run);
    }
    EXPECT_EQ(run.sel, 0);
    run.word = IN_DOWN;
    CharselPass(run);
    EXPECT_EQ(run.sel, 8);
    // Held: one step only; combined words step nothing.
    for (int f = 0; f < 5; f++) CharselPass(run);
    EXPECT_EQ(run.sel, 8);
    for (int w : std::initializer_list<int>{IN_DOWN | IN_B1, IN_UP | IN_DOWN, IN_UP | IN_LEFT, IN_B1}) {
        run.word = w;
        CharselPass(run);
    }
    EXPECT_EQ(run.sel, 8);
}

TEST_F(ScreensCharsel, BannerScrollRunsThirtyFramesThenRests) {
    CharselRun run;
    run.word = IN_UP;
    CharselPass(run);
    EXPECT_EQ(run.pos, 2);
    for (int f = 0; f < 28; f++) CharselPass(run);
    EXPECT_EQ(run.pos, 30);
    CharselPass(run);
    EXPECT_EQ(run.pos, 0);
    run.word = IN_DOWN;
    CharselPass(run);
    EXPECT_EQ(run.pos, 29);
}

TEST_F(ScreensCharsel, ConfirmationOnlyOnTheFirstCharacter) {
    // Down to 8, the button refused there (held and pressed again), up back
    // to 0, the button taken: 7 passes and the 255-frame fade.
    std::vector<int> script = {IN_DOWN, IN_B1, IN_B1, 0, IN_B1, IN_UP, IN_B1};
    int sel = -1;
    EXPECT_EQ(Frames(script, [&] { sel = h_Charsel(); }), 7u + 255 + 1);  // and the cleared screen
    EXPECT_EQ(sel, 0);
    EXPECT_EQ(Slot[1], nullptr);
    EXPECT_EQ(charselSheets.banner[0], nullptr);
}

// The selection has no message loop of its own: a piece that ended there
// starts again, and the other messages are left for play.
TEST_F(ScreensCharsel, ATuneThatEndsThereStartsAgain) {
    musicOn = 1;
    plat::MusicLogClear();
    plat::PostMessage({plat::MsgType::Pause, 0});
    plat::PostMessage({plat::MsgType::MusicEnd, 1});
    plat::SetScriptedInput(std::vector<int>{0, IN_B1});
    h_Charsel();
    EXPECT_EQ(plat::MusicLog(), (std::vector<std::string>{"stop", "seek", "play"}));
    plat::Message m;
    ASSERT_TRUE(plat::PeekMessage(m, true));
    EXPECT_EQ(m.type, plat::MsgType::Pause);
    EXPECT_FALSE(plat::PeekMessage(m, true));
    musicOn = 0;
}

TEST_F(ScreensCharsel, TheCampaignTakesEveryCharacterThePlainGameOnlyTheFirst) {
    for (int k = 0; k <= 8; k++) {
        std::vector<int> ups, downs;
        for (int i = 0; i < k; i++) ups = ups + std::vector<int>{IN_UP, 0}, downs = downs + std::vector<int>{IN_DOWN, 0};
        CharselWholeCast = 1;
        plat::SetScriptedInput(ups + std::vector<int>{IN_B1});
        EXPECT_EQ(h_Charsel(), k);
        // Without the campaign the button on k is refused; back on 0 it is taken.
        CharselWholeCast = 0;
        plat::SetScriptedInput(ups + std::vector<int>{IN_B1, 0} + downs + std::vector<int>{IN_B1});
        EXPECT_EQ(h_Charsel(), 0);
        EXPECT_EQ(GetInput(), 0) << k;  // the whole script was read
    }
}

TEST_F(ScreensCharsel, GreetingVoicePaths) {
    EXPECT_STREQ(GreetingVoice(0), "wav\\cv0_maho0.wav");
    EXPECT_STREQ(GreetingVoice(1), "wav\\cv2_angel0.wav");
    EXPECT_EQ(GreetingVoice(3), nullptr);
    EXPECT_STREQ(GreetingVoice(8), "wav\\cv9_legend0.wav");
    EXPECT_EQ(GreetingVoice(9), nullptr);
    EXPECT_EQ(GameFilePath(GreetingVoice(5)), "wav/cv6_aji0.wav");
}

TEST_F(ScreensCharsel, BannersWrapAroundTheRing) {
    // Banner i is solid with red 3i + 4: every level used leaves a distinct red.
    for (int i = 0; i < 9; i++) charselSheets.banner[i] = Solid(196, 48, static_cast<uint16_t>((3 * i + 4) << 11));
    auto bannerAt = [](int x, int y, int level) {
        for (int i = 0; i < 9; i++)
            if (Red(At(x, y)) == ((3 * i + 4) * level) >> 5) return i;
        return -1;
    };
    PutBanner(8);
    EXPECT_EQ(bannerAt(30, 50, 16), 7);
    EXPECT_EQ(bannerAt(30, 110, 31), 8);
    EXPECT_EQ(bannerAt(30, 170, 16), 0);
    FillScreen(0);
    PutBanner(0);
    EXPECT_EQ(bannerAt(30, 50, 16), 8);
    FillScreen(0);
    ScrollBanner(30, 8);  // the fourth banner is 8 + 2 - 9
    EXPECT_EQ(bannerAt(30, 170, 15), 1);
    EXPECT_EQ(bannerAt(30, 110, 30), 0);
    RemoveCharselFiles();
}

TEST_F(ScreensCharsel, PortraitSlidesInAndStopsPastTheEdge) {
    charselSheets.portrait[0] = Solid(100, 200, 0xFFFF);
    charselSheets.portrait[5] = Solid(100, 150, 0xFFFF);
    for (int f = 0; f < 28; f++) PutPortrait(0, 0);
    EXPECT_EQ(charsel.PortraitAngle, 112);
    FillScreen(0);
    PutPortrait(0, 0);
    EXPECT_EQ(charsel.PortraitAngle, 112);
    // sin 112 degrees gives 117: the right edge at 331, 11 pixels off screen.
    EXPECT_EQ(At(231, 40), 0xFFFF);
    EXPECT_EQ(At(230, 40), 0);
    EXPECT_EQ(At(231, 39), 0);
    FillScreen(0);
    PutPortrait(0, 5);  // 40 pixels higher
    EXPECT_EQ(At(231, 50), 0xFFFF);
    EXPECT_EQ(At(231, 200), 0);
    PutPortrait(1, 0);
    EXPECT_EQ(charsel.PortraitAngle, 0);
    RemoveCharselFiles();
}

// --- continue, game over, stage end

TEST_F(ScreensContinue, ChoiceQueryResetsToContinue) {
    EXPECT_EQ(ContinueChoice(2), 1);
    ContinueSel = 1;
    EXPECT_EQ(ContinueChoice(2), 0);
    EXPECT_EQ(ContinueSel, 0);
    for (int f = 0; f < 62; f++) EXPECT_EQ(ContinueChoice(1), 0);
    EXPECT_EQ(ContinueChoice(0), 0);  // showing does not advance
    EXPECT_EQ(ContinueChoice(1), 1);
    EXPECT_EQ(ContinueSel, 1);
    EXPECT_EQ(ContinueSwap, 0);
}

TEST_F(ScreensContinue, HeldButtonConfirmsOnTheSecondPass) {
    int c = -1;
    EXPECT_EQ(Frames(Repeat(IN_B1, 10), [&] { c = h_Continue(); }), 1u);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(ContinueSel, 0);
}

TEST_F(ScreensContinue, SwapTakesSixtyThreeFramesAndRefusesTheButton) {
    // Right, then the button held: refused during the 63-frame swap, taken
    // two passes after it, with "end" on show.
    int c = -1;
    EXPECT_EQ(Frames(std::vector<int>{IN_RIGHT} + Repeat(IN_B1, 100), [&] { c = h_Continue(); }), 1u + 63 + 1);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(ContinueSel, 0);
    EXPECT_EQ(ContinueSwap, 0);
}

TEST_F(ScreensContinue, HeldDirectionSwapsAgainTwoFramesLater) {
    // Left held for 65 reads: the first swap ends on pass 64 and the second
    // starts on pass 66; the button then waits for it to end on pass 128.
    int c = -1;
    EXPECT_EQ(Frames(Repeat(IN_LEFT, 65) + Repeat(IN_B1, 200), [&] { c = h_Continue(); }), 129u);
    EXPECT_EQ(c, 1);  // two swaps: back to "continue"
}

TEST_F(ScreensContinue, TwoBitWordsNeitherConfirmNorSwap) {
    int c = -1;
    EXPECT_EQ(Frames(Repeat(IN_LEFT | IN_B1, 10) + std::vector<int>{IN_B1}, [&] { c = h_Continue(); }), 11u);
    EXPECT_EQ(c, 1);
}

TEST_F(ScreensContinue, WholeGameTakesOnlyAFreshPressAfterAMoment) {
    // The button held from the start counts only once released and pressed
    // again; a press in the first 30 passes is ignored.
    wholeGameRun = 1;
    int c = -1;
    EXPECT_EQ(Frames(Repeat(IN_B1, 100) + Repeat(0, 3) + std::vector<int>{IN_B1}, [&] { c = h_Continue(); }), 104u);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(Frames(std::vector<int>{0, IN_B1, 0} + Repeat(0, 30) + std::vector<int>{IN_B1}, [&] { c = h_Continue(); }),
              34u);
    wholeGameRun = 0;
}

TEST_F(ScreensStageEnd, OnlyTheButtonAloneEndsIt) {
    plat::SetScriptedInput({IN_B1 | IN_UP, IN_B1 | IN_LEFT, IN_B1 | IN_B2, IN_RIGHT, IN_B1, IN_DOWN});
    uint32_t t0 = plat::GetTicks();
    h_StageEnd();
    EXPECT_EQ(GetInput(), IN_DOWN);              // it stopped at the fifth word
    EXPECT_GE(plat::GetTicks() - t0, 1000u + 4);  // and slept between polls
}

TEST_F(ScreensStageEnd, StageCaptionRunsTwoSecondsUnlessAFreshPressSkipsIt) {
    uint32_t t0 = plat::GetTicks();
    EXPECT_EQ(Frames({}, [] { h_StageCaption(2); }), 125u + 1);  // and the cleared screen
    EXPECT_GE(plat::GetTicks() - t0, 124u * 16);
    // A button held as the caption opens does not end it; a new press does.
    EXPECT_EQ(Frames(Repeat(IN_B1, 20) + std::vector<int>{0, IN_B1}, [] { h_StageCaption(5); }), 21u + 1);
    EXPECT_EQ(Frames({}, [] { h_StageCaption(6); }), 0u);  // no such caption
}

TEST_F(ScreensStageEnd, GameOverFadesFromAndToWhite) {
    EXPECT_EQ(Frames({}, [] { h_GameOver(); }), 128u);
}

// --- logo intro

TEST_F(ScreensLogo, PiecesStackThenFlyApart) {
    // Six pieces, each solid in its own colour, on a sheet keyed on black.
    Slot[0] = MakeSurface(239, 59);
    SetKeyColor(Slot[0], 0);
    auto colour = [](int k) { return static_cast<uint16_t>(0x0841 * (k + 2)); };
    for (int k = 0; k < 6; k++)
        for (int y = 0; y < 59; y++)
            for (int x = PieceEdge[k]; x < PieceEdge[k + 1]; x++) Slot[0]->pixels[y * 239 + x] = colour(k);

    PutLogoPieces(0);
    for (int x = 140; x < 190; x++) EXPECT_EQ(At(x, 100), colour(0)) << "piece 0 on top at x " << x;
    EXPECT_EQ(At(190, 100), 0);
    EXPECT_EQ(At(139, 100), 0);

    FillScreen(0);
    PutLogoPieces(50);
    for (int k = 0; k < 6; k++) {
        EXPECT_EQ(At(PieceEdge[k] + 40, 90), colour(k)) << "piece " << k;
        EXPECT_EQ(At(PieceEdge[k + 1] + 39, 148), colour(k)) << "piece " << k;
    }
    EXPECT_EQ(At(39, 90), 0);
    EXPECT_EQ(At(279, 90), 0);
    EXPECT_EQ(At(40, 149), 0);
}

TEST_F(ScreensLogo, RunsOnThroughLostSurfacesAndFreesItsSlots) {
    plat::TestLoseSurfaces();
    EXPECT_EQ(Frames({}, [] { h_Logo(); }), 64u + 51 + 31 + 32 + 32 + 1);  // and the cleared screen
    for (int i = 0; i < 3; i++) EXPECT_EQ(Slot[i], nullptr);
    EXPECT_EQ(FlipScreen(), kSurfacesLost);  // the loss waits for the play frame to reload
    RestoreStageSurfaces();
    EXPECT_EQ(FlipScreen(), 0);
}

}  // namespace
