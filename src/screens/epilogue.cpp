// The whole game's ending, after the last stage's clear: a flight at dawn
// through the streak field, the character's portrait sliding in on the
// right, the character's closing words typed out on the left, then the
// credits rolling up to a last line that rests before a fade to black.
// Holding the first button runs it four times as fast; once it has been seen
// in this program run, a fresh press of either button ends it.
#include <algorithm>
#include <string_view>

#include "core/core.h"
#include "input/input.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/text.h"
#include "video/video.h"

EpilogueStatics epilogueState;

namespace {

// "ending.bmp": the streak in the top-left corner, where the streak field
// reads it from slot 1; a dark tile for the text panel; the dawn sky; a
// strip of cloud tops that wraps around.
constexpr RECT kPanelTile{64, 0, 80, 16};
constexpr RECT kSky{0, 64, 320, 304};
constexpr RECT kClouds{0, 304, 320, 352};
constexpr int kCloudY = 186, kPanelRight = 176, kPanelLevel = 20;

// Portraits by character index; character 1 is the witch as the title shows her.
constexpr const char* kPortrait[10] = {"cs_maho.bmp",   "cs_make.bmp",  "cs_angel.bmp",   "cs_devil.bmp",
                                       "cs_syamoji.bmp", "cs_digiko.bmp", "cs_aji.bmp", "cs_taiyaki.bmp",
                                       "cs_aniki.bmp",  "cs_legend.bmp"};

constexpr int kColumnX = 10, kColumnChars = 26, kLineH = 12;
constexpr int kWordLines = 6;
constexpr std::string_view kWords[10][kWordLines] = {
    {"THE STORM BREAKS, AND THE", "SKY FORTRESS FALLS QUIET.", "MAHO FLIES HOME ON THE",
     "FIRST LIGHT, HUMMING A", "SPELL FOR A VERY LONG", "AND VERY LAZY MORNING."},
    {"THE FORTRESS IS DARK AT", "LAST. MAHO II DUSTS OFF", "HER COAT, STRAIGHTENS HER",
     "HAT AND NOTES THAT IT ALL", "WENT EXACTLY AS SHE", "PLANNED. MOSTLY."},
    {"WITH THE STORM GONE,", "ANGEL LETS THE WIND CARRY", "HER HOME. BELOW, THE",
     "HARBOUR LANTERNS GO OUT", "ONE BY ONE: THE TOWN CAN", "SLEEP TONIGHT."},
    {"THE IMP CIRCLES THE", "SINKING FORTRESS AND", "POCKETS A SHINY BOLT AS A",
     "SOUVENIR. SAVING THE SKY", "WAS FUN, BUT DON'T TELL", "ANYONE."},
    {"NOBODY EXPECTED A RICE", "PADDLE TO SAVE THE SKY.", "SYAMOJI DOES NOT MIND. IT",
     "FLIES HOME, READY TO", "SERVE A VICTORY SUPPER", "FOR EVERYONE."},
    {"MISSION LOG: STORM", "FORTRESS OFFLINE. DIGIKO", "RUNS ONE LAST CHECK,",
     "FINDS ZERO ERRORS AND", "SWITCHES TO POWER-SAVING", "MODE. BEEP."},
    {"BLUB. THE SKY IS CALM", "AGAIN. AJI DIVES BACK", "INTO THE SEA TO TELL THE",
     "OTHER FISH A STORY THEY", "WILL NEVER, EVER", "BELIEVE."},
    {"STILL WARM FROM THE", "BATTLE, TAIYAKI GLIDES", "OVER THE QUIET SEA. THE",
     "SWEET FILLING SURVIVED.", "SO DID THE WORLD.", "A GOOD DAY."},
    {"THE FORTRESS FELL, AND", "ANIKI'S ARMS DID NOT. HE", "FLIES HOME DOING PUSH-UPS",
     "IN THE AIR, BECAUSE A", "HERO NEVER SKIPS A", "TRAINING DAY."},
    {"THE GOLDEN BLADE RESTS.", "THE SUN RISES OVER THE", "STORM'S LAST CLOUD; THE",
     "KNIGHT SALUTES THE SKY", "AND RIDES ON, WHEREVER", "SHE IS NEEDED NEXT."},
};

// The credits, centred in the text column; an empty line is a gap.
struct CreditLine {
    Ink ink;
    std::string_view text;
};
constexpr CreditLine kCredits[] = {
    {Ink::Highlight, "PELLOQUINADE"},
    {Ink::Plain, ""},
    {Ink::Dim, "MADE BY"},
    {Ink::Plain, "THE PELLOQUINADE"},
    {Ink::Plain, "DEVELOPERS"},
    {Ink::Plain, ""},
    {Ink::Dim, "PICTURES, MUSIC, SOUNDS"},
    {Ink::Dim, "AND STAGES"},
    {Ink::Plain, "MADE BY OUR OWN"},
    {Ink::Plain, "GENERATOR AT BUILD TIME"},
    {Ink::Plain, ""},
    {Ink::Dim, "VOICES SPOKEN BY"},
    {Ink::Plain, "ESPEAK-NG"},
    {Ink::Plain, ""},
    {Ink::Dim, "BUILT WITH"},
    {Ink::Plain, "SDL2"},
    {Ink::Plain, "FLUIDSYNTH"},
    {Ink::Plain, "CMAKE AND GCC"},
    {Ink::Plain, "GOOGLETEST"},
    {Ink::Plain, "EMSCRIPTEN"},
    {Ink::Plain, "DEBIAN"},
    {Ink::Plain, ""},
    {Ink::Dim, "FREE SOFTWARE UNDER"},
    {Ink::Dim, "THE MIT LICENCE"},
    {Ink::Plain, "COPYRIGHT 2026"},
    {Ink::Plain, "THE PELLOQUINADE"},
    {Ink::Plain, "DEVELOPERS"},
    {Ink::Plain, ""},
    {Ink::Plain, ""},
    {Ink::Plain, ""},
    {Ink::Highlight, "THANK YOU FOR PLAYING"},
};
constexpr int kCreditCount = static_cast<int>(std::size(kCredits));

constexpr bool LinesFit() {
    for (const auto& words : kWords)
        for (std::string_view line : words)
            if (line.size() > kColumnChars) return false;
    for (const CreditLine& c : kCredits)
        if (c.text.size() > kColumnChars) return false;
    return true;
}
static_assert(LinesFit(), "a line is wider than the text column");

// The timeline in steps (one a frame, four while the first button is held).
constexpr int kSpeedUp = 4, kFade = 48, kPortraitIn = 56;
constexpr int kTypeStart = 64, kStepsPerLetter = 3, kLinePause = 20, kWordsRest = 280;
constexpr int kWordsTop = 48, kCreditsTop = 262;  // in the column, before it rolls
constexpr int kLastLineRest = 114;                 // where the last line stops on screen
constexpr int kEndRest = 320;

struct Timeline {
    int typed[kWordLines + 1];  // step each line starts typing; [kWordLines]: all typed
    int rollStart, rollPixels, fadeStart, end;
};

Timeline MakeTimeline(int chno) {
    Timeline t{};
    int s = kTypeStart;
    for (int i = 0; i < kWordLines; i++) {
        t.typed[i] = s;
        s += static_cast<int>(kWords[chno][i].size()) * kStepsPerLetter + kLinePause;
    }
    t.typed[kWordLines] = s;
    t.rollStart = s + kWordsRest;
    t.rollPixels = kCreditsTop + (kCreditCount - 1) * kLineH - kLastLineRest;
    t.fadeStart = t.rollStart + 2 * t.rollPixels + kEndRest;  // rolls a pixel every two steps
    t.end = t.fadeStart + kFade;
    return t;
}

void PutFlight(int step, int advance) {
    PutSprite(0, 0, Slot[1], kSky, 16);
    const int cx = -((step * 3) % 320);
    PutSprite(cx, kCloudY, Slot[1], kClouds, 17);
    PutSprite(cx + 320, kCloudY, Slot[1], kClouds, 17);
    // The streak field moves once per step, so running faster thickens it.
    for (int i = 0; i < advance; i++) PutMenBack(6);
}

void PutPortrait(Surface* p, int step, int chno) {
    if (!p) return;
    const int w = p->width, h = p->height;
    const int late = std::max(0, kPortraitIn - step);
    const int bottom = chno == 6 ? 200 : 240;  // the fish floats above the bottom edge
    PutSprite(320 - w + late * late / 12, bottom - h, p, RECT{0, 0, w, h}, 17);
}

// The text column's dark panel, its right edge softened by a lighter column.
void PutPanel() {
    for (int y = 0; y < 240; y += 16) {
        for (int x = 0; x < kPanelRight; x += 16) PutSpriteAlpha(x, y, Slot[1], kPanelTile, 17, kPanelLevel);
        PutSpriteAlpha(kPanelRight, y, Slot[1], RECT{kPanelTile.left, 0, kPanelTile.left + 4, 16}, 17, kPanelLevel / 2);
    }
}

void PutColumn(const Timeline& t, int step, int chno) {
    const int roll = std::clamp((step - t.rollStart) / 2, 0, t.rollPixels);
    // The character's name over the words, from the moment they start.
    if (step >= t.typed[0] && kWordsTop - 2 * kLineH - roll >= -kLineH)
        PutText(kColumnX, kWordsTop - 2 * kLineH - roll, kCharacterName[chno], Ink::Highlight);
    for (int i = 0; i < kWordLines; i++) {
        const int y = kWordsTop + i * kLineH - roll;
        if (step < t.typed[i] || y < -kLineH) continue;
        std::string_view line = kWords[chno][i];
        const size_t shown = static_cast<size_t>((step - t.typed[i]) / kStepsPerLetter);
        PutText(kColumnX, y, line.substr(0, std::min(shown, line.size())));
    }
    for (int i = 0; i < kCreditCount; i++) {
        const int y = kCreditsTop + i * kLineH - roll;
        if (y < -kLineH || y >= 240) continue;
        const CreditLine& c = kCredits[i];
        PutText(kColumnX + (kColumnChars * kTextAdvance - TextWidth(c.text)) / 2, y, c.text, c.ink);
    }
}

int Brightness(const Timeline& t, int step) {
    if (step < kFade) return step * 31 / kFade;
    if (step >= t.fadeStart) return std::max(0, (t.end - step) * 31 / kFade);
    return 31;
}

}  // namespace

int EpilogueSteps(int chno) { return MakeTimeline(std::clamp(chno, 0, 9)).end; }

void h_Epilogue() {
    const int chno = std::clamp(GameState.chno, 0, 9);
    const Timeline t = MakeTimeline(chno);
    FreeSlot(1);
    Slot[1] = LoadBitmapSurface("ending.bmp");
    SetKeyColor(Slot[1], PureGreen());
    Surface* portrait = LoadBitmapSurface(kPortrait[chno]);
    SetKeyColor(portrait, PureGreen());
    MenScroll[MS::farX] = 0;  // a fresh streak field
    PlayMidi(StageRow(6).music);

    const bool skippable = epilogueState.seen;
    epilogueState.seen = true;
    int prev = GetInput(), step = 0, advance = 1;
    while (step < t.end) {
        PutFlight(step, advance);
        PutPortrait(portrait, step, chno);
        PutPanel();
        PutColumn(t, step, chno);
        const int level = Brightness(t, step);
        if (level < 31) DarkenScreen(level);
        FlipScreen();
        const int word = GetInput();
        if (skippable && (word & ~prev & (IN_B1 | IN_B2))) break;
        prev = word;
        advance = (word & IN_B1) ? kSpeedUp : 1;
        step += advance;
    }

    StopMidi();
    FreeSurface(portrait);
    FreeSlot(1);
    ClearAllScreens();
}
