// "stagename.bmp": the stage captions shown between two stages of a campaign.
//
// "stagename.bmp": the caption shown between two stages of a campaign, one
// 288 x 48 cell per stage (stage 1 on top): "STAGE n" in gold over the
// stage's name in the stage's own colour, underlined, on the key.
#include "kit.h"

using namespace ag;

namespace {

constexpr const char* kFile = "stagename.bmp";
constexpr const char* kOwner = "stage names";
constexpr int kCellW = 288, kCellH = 48;

struct StageName {
    const char* name;
    int color, shade;
};
constexpr StageName kNames[5] = {
    {"CLOUD SEA", P_ICE3, P_ICE2},
    {"LANTERN HARBOUR", P_AMBER2, P_FIRE2},
    {"AUTUMN CANOPY", P_FIRE3, P_EARTH3},
    {"CRYSTAL CAVERNS", P_VIOLET3, P_TEAL2},
    {"STORM FORTRESS", P_SKY3, P_METAL3},
};

Rect Cell(int stage) { return Rect{0, kCellH * (stage - 1), kCellW, kCellH * stage}; }

void PaintStageNames(Canvas& c) {
    for (int n = 1; n <= 5; n++) {
        Rect r = Cell(n);
        ClipScope clip(c, r);
        const StageName& s = kNames[n - 1];
        DrawTextCentered(c, Rect{r.l, r.t + 1, r.r, r.t + 25}, Format("STAGE %d", n), OutlinedText(3, P_GOLD3, P_GOLD2));
        int w = TextWidth(s.name, 2);
        c.HLine(r.l + (kCellW - w) / 2 - 6, r.l + (kCellW + w) / 2 + 5, r.t + 27, C(P_GOLD2));
        DrawTextCentered(c, Rect{r.l, r.t + 30, r.r, r.t + 47}, s.name, OutlinedText(2, s.color, s.shade));
    }
}

}  // namespace

AG_REGISTER(RegisterStageNames) {
    DeclareSheet({kFile, kCellW, 5 * kCellH, Depth::Rgb24, kKey, "campaign: the caption between two stages"});
    for (int n = 1; n <= 5; n++)
        DeclareCell(kFile, Format("stage %d", n), Cell(n), Format("\"STAGE %d\" and the stage's name", n),
                    Copy::Keyed, kOwner);
    AddPainter(kFile, kOwner, PaintStageNames);
}
