// Parallax scenery of the six stages, each stage's drawing reached through
// the stage table. Nothing is cached: every frame each visible tile is copied
// again from the scenery sheet (slot 2) onto the work surface, and the
// stage's scroll state in MenScroll moves forward.
#include <algorithm>

#include "core/core.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"

using namespace MS;

// Scroll rate of each layer; the layer offset is (P * rate) >> 1 in stage 1
// and (P * rate) >> 2 in stages 3 to 5.
const uint16_t LayerRate1[10] = {4, 3, 3, 2, 2, 1, 1, 0, 0, 0};
const uint16_t LayerRate3[4] = {4, 3, 2, 2};
const uint16_t LayerRate4[6] = {4, 3, 2, 1, 2, 1};
const uint16_t LayerRate5[5] = {4, 4, 3, 2, 1};

const int8_t StripSequence[33] = {0, 1, 2, 0, 1, 2, 0, 1, 3, 4, 5, 6, 6, 5, 4, 5, 6,
                                  6, 7, 8, 8, 9, 8, 8, 9, 8, 8, 9, 8, 8, 9, 10, 11};

FlakeRecord Flake[30];
StreakRecord Streak[20];
int flakesCleared;

namespace {

constexpr int kSeqLen = sizeof StripSequence;

// Stage 2 backdrop pieces: width and main rectangle on the sheet.
struct StripPiece {
    int width;
    RECT rect;
};
constexpr StripPiece kPieces[12] = {
    {320, {0, 32, 320, 272}},    {320, {0, 272, 320, 512}},   {320, {0, 512, 320, 752}},
    {96, {320, 32, 416, 272}},   {96, {416, 32, 512, 272}},   {96, {320, 272, 416, 512}},
    {96, {320, 512, 416, 752}},  {128, {512, 32, 640, 272}},  {128, {416, 272, 544, 512}},
    {128, {544, 272, 672, 512}}, {128, {416, 272, 544, 512}}, {128, {416, 272, 544, 512}},
};

RECT TileRect(unsigned t) {
    int x = static_cast<int>(t & 63) * 16;
    int y = static_cast<int>(t >> 6) * 16;
    return {x, y, x + 16, y + 16};
}

void PutTile(int x, int y, unsigned t) { PutSprite(x, y, Slot[2], TileRect(t), 17); }

// Layers from..to (descending, back to front) at scroll position p.
void PutLayers(const uint16_t* rate, int shift, int from, int to, int p, int dy) {
    for (int layer = from; layer >= to; layer--) PutMapLayer(layer, (p * rate[layer]) >> shift, dy);
}

int SeqPiece(int index) { return (index >= 0 && index < kSeqLen) ? StripSequence[index] : -1; }

// --- stage 1 helpers

void PutFarLayer() {
    int& fx = MenScroll[farX];
    if (fx > -320) {
        PutSprite(fx, 0, Slot[2], {0, 240, 320, 480}, 17);
        PutSprite(fx + 320, 0, Slot[2], {320, 240, 640, 480}, 17);
    } else {
        PutSprite(fx + 320, 0, Slot[2], {320, 240, 640, 480}, 17);
        PutSprite(fx + 640, 0, Slot[2], {0, 240, 320, 480}, 17);
    }
    int old = MenScroll[tick]++;
    if (old >= 2) {
        MenScroll[tick] = 0;
        if (--fx <= -640) fx = 0;
    }
}

int Section() { return (MenScroll[scrollPos] >> 4) / 20; }

// Jump of stage 4's transition whose window holds the scroll position, or 0
// outside both windows; -1 inside a window whose transition is not due.
int Stage4Jump() {
    int p = MenScroll[scrollPos];
    bool inside = (p >= 1600 && p < 2560) || (p >= 7360 && p < 7680);
    if (!inside) return 0;
    if (MenScroll[rise] < 240 && MenScroll[phase] == 0) return 960;
    if (MenScroll[rise] < 240 && MenScroll[phase] == 1) return 540;
    return -1;
}

}  // namespace

// --- stage 1

void MenBack1() {
    PutFarLayer();
    int p = MenScroll[scrollPos];
    int s = Section();
    if (s <= 16) {
        PutLayers(LayerRate1, 1, 6, 1, p, 0);
    } else if (s <= 18) {
        // Vertical transition: the view slides up to a part of the map 640 further on.
        int r = MenScroll[rise];
        PutLayers(LayerRate1, 1, 6, 1, p, -r);
        PutLayers(LayerRate1, 1, 6, 1, p + 640, 240 - r);
        if (r == 0) menFrame += 640;
        if (r < 240) MenScroll[rise]++;
    } else if (s <= 35) {
        PutLayers(LayerRate1, 1, 6, 1, p + 640, 0);
        MoveFlakes();
    }
    if (MenScroll[scrollPos] <= 10528) MenScroll[scrollPos]++;
}

void MenFront1() {
    int p = MenScroll[scrollPos];
    int s = Section();
    if (s <= 16) {
        PutMapLayer(0, 2 * p, 0);
    } else if (s <= 18) {
        PutMapLayer(0, 2 * p, -MenScroll[rise]);
        PutMapLayer(0, 2 * p + 1280, 240 - MenScroll[rise]);
    } else if (s <= 35) {
        PutMapLayer(0, 2 * p + 1920, 0);
    }
}

// --- stage 2

void MenBack2() {
    int x = MenScroll[farX] >> 1;
    for (int i = 0; i < 10; i++) {
        int p = SeqPiece(MenScroll[layerOfs] + i);
        if (p < 0) break;
        PutStripPiece(p, x);
        if (x == 192 && p == 11) MenScroll[scrollPos] = 1;
        x += StripPieceWidth(p);
        if (x >= 320) break;
    }
    if (MenScroll[scrollPos] == 0) {
        MenScroll[farX]--;
        if (MenScroll[farX] <= -2 * StripPieceWidth(SeqPiece(MenScroll[layerOfs]))) {
            MenScroll[layerOfs]++;
            MenScroll[farX] = 0;
        }
    }

    if (MenScroll[phase] <= 21) PutGroundRow(192, MenScroll[rise], MenScroll[tick], 0, 21 - MenScroll[phase]);
    if (++MenScroll[tick] == 16) {
        MenScroll[tick] = 0;
        MenScroll[rise]++;
    }

    if (MenScroll[cut2] <= 21 && MenScroll[rise] >= 276) {
        MenScroll[phase] = (MenScroll[rise] - 276) >> 1;
        PutGroundRow(206, MenScroll[rise], MenScroll[tick], std::max(24 - MenScroll[phase], 0),
                     21 - MenScroll[cut2]);
        if (MenScroll[cut2] == 0 && MenScroll[drift1] < 800) {
            int d = MenScroll[drift1] >> 1;
            PutTile(320 - d, 192, 0);
            PutTile(336 - d, 192, 0);
            PutTile(368 - d, 206, 0);
            PutTile(384 - d, 206, 0);
            MenScroll[drift1]++;
        }
        if (MenScroll[rise] >= 396) {
            int d = MenScroll[drift2] >> 1;
            PutTile(320 - d, 206, 0);
            PutTile(336 - d, 206, 0);
            MenScroll[drift2]++;
            MenScroll[cut2] = (MenScroll[rise] - 396) >> 1;
        }
    }
}

void MenFront2() {
    int x = MenScroll[farX] >> 1;
    for (int i = 0; i < 10; i++) {
        int p = SeqPiece(MenScroll[layerOfs] + i);
        if (p < 0) break;
        PutStripFront(p, x);
        x += StripPieceWidth(p);
        if (x > 319) break;
    }
}

// --- stage 3: four layers at an even pace

void MenBack3() {
    PutLayers(LayerRate3, 2, 3, 0, MenScroll[scrollPos], 0);
    if (MenScroll[scrollPos] <= 12000) MenScroll[scrollPos] += 2;
}

// --- stage 4: two vertical transitions

void MenBack4() {
    int p = MenScroll[scrollPos];
    int j = Stage4Jump();
    if (j == 0) {
        PutLayers(LayerRate4, 2, 5, 1, p, 0);
    } else if (j > 0) {
        int r = MenScroll[rise];
        PutLayers(LayerRate4, 2, 5, 1, p, -r);
        PutLayers(LayerRate4, 2, 5, 1, p + j, 240 - r);
        if (MenScroll[rise] < 240) MenScroll[rise]++;
        if (MenScroll[rise] == 240) {
            MenScroll[scrollPos] += j;
            menFrame += j;
            MenScroll[phase]++;
            if (MenScroll[phase] == 1) MenScroll[rise] = 0;
        }
    }
    if (MenScroll[scrollPos] <= 9408 && (MenScroll[rise] == 0 || MenScroll[rise] >= 240))
        MenScroll[scrollPos]++;
}

void MenFront4() {
    int p = MenScroll[scrollPos];
    int j = Stage4Jump();
    if (j == 0) {
        PutMapLayer(0, p, 0);
    } else if (j > 0) {
        PutMapLayer(0, p, -MenScroll[rise]);
        PutMapLayer(0, p + j, 240 - MenScroll[rise]);
    }
}

// --- stage 5: walls in front

void MenBack5() {
    PutLayers(LayerRate5, 2, 4, 1, MenScroll[scrollPos], 0);
    if (MenScroll[scrollPos] <= 15344) MenScroll[scrollPos] += 2;
}

void MenFront5() { PutMapLayer(0, MenScroll[scrollPos], 0); }

// --- stage 6: speed streaks

void MenBack6() {
    if (MenScroll[farX] == 0) {
        MenScroll[farX] = 1;
        for (auto& s : Streak) s.active = 0;
    }
    for (auto& s : Streak) {
        if (s.active) continue;
        s.active = 1;
        s.x = 240;
        s.y = GameRand() % 240;
        s.speed = 16;
    }
    for (auto& s : Streak) {
        if (!s.active) continue;
        s.x -= s.speed;
        PutSprite(s.x, s.y, Slot[1], {0, 0, 64, 64}, 17);
        if (s.x < -64) s.active = 0;
    }
}

void PutMapLayer(int layer, int ofs, int dy) {
    MenScroll[layerOfs] = ofs;
    if (layer < 0 || layer >= kMapLayers) return;
    int col0 = ofs >> 4;
    int fine = ofs & 15;
    for (int r = 0; r < kMapRows; r++) {
        for (int c = 0; c <= 20; c++) {
            int m = c + col0;
            if (m < 0 || m >= kMapColumns) continue;   // never wrapped
            unsigned t = MenMap[m][r][layer];
            if (t == kEmptyTile) continue;
            PutTile(c * 16 - fine, r * 16 + dy, t);
        }
    }
}

int StripPieceWidth(int piece) { return (piece >= 0 && piece < 12) ? kPieces[piece].width : 0; }

void PutStripPiece(int piece, int x) {
    if (piece < 0 || piece >= 12) return;
    PutSprite(x, 0, Slot[2], kPieces[piece].rect, 17);
    if (piece == 10) {
        PutSprite(x + 32, 208, Slot[2], {416, 512, 512, 560}, 17);
    } else if (piece == 11) {
        for (int k = 0; k < 3; k++) PutSprite(x + 48 * k, 208, Slot[2], {416, 560, 464, 608}, 17);
    }
}

void PutStripFront(int piece, int x) {
    if (piece == 11) PutSprite(x + 32, 0, Slot[2], {512, 512, 608, 752}, 17);
}

void PutGroundRow(int y, int col0, int fine, int from, int to) {
    for (int i = from; i < to; i++) {
        int m = (i + col0) % 20;
        if (m < 0) continue;
        PutTile(i * 16 - fine, y, MenMap[m][12][0]);
    }
}

void MoveFlakes() {
    if (!flakesCleared) {
        flakesCleared = 1;
        for (auto& f : Flake) f.active = 0;
    }
    int k = GameRand() & 31;
    if (k <= 2) {
        static const struct { int kind, dx, dy; } start[3] = {{2, 2, 1}, {1, 3, 2}, {1, 5, 2}};
        for (int i = k * 10; i < k * 10 + 10; i++) {
            FlakeRecord& f = Flake[i];
            if (f.active) continue;
            f.active = 1;
            f.kind = static_cast<uint8_t>(start[k].kind);
            f.dx = start[k].dx;
            f.dy = start[k].dy;
            f.x = GameRand() % 640 + 50;
            f.y = -16;
            break;
        }
    }
    for (auto& f : Flake) {
        if (!f.active) continue;
        f.x -= f.dx;
        f.y += f.dy;
        if (f.x <= -16 || f.y >= 320) f.active = 0;
        int u = 208 + 16 * f.kind;
        PutSpriteAdd(f.x, f.y, Slot[1], {u, 64, u + 16, 80}, 17, 20);
    }
}

void PutMenBack(int stage) {
    if (auto back = StageRow(stage).back) back();
}

void PutMenFront(int stage) {
    if (auto front = StageRow(stage).front) front();
}
