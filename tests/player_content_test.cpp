// The generated character sheets against the cells the craft code reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/core.h"
#include "player/player.h"
#include "player_test_util.h"
#include "video/video.h"

using namespace player_test;

namespace {

class PlayerContent : public Fixture {};

// Something drawn in the rectangle: a keyed cell has non-key pixels, an
// additive one non-black pixels.
bool Drawn(const Surface* s, const RECT& r) {
    if (r.left < 0 || r.top < 0 || r.right > s->width || r.bottom > s->height) return false;
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++) {
            uint16_t p = s->pixels[y * s->width + x];
            if (p != 0x07E0 && p != 0) return true;
        }
    return false;
}

}  // namespace

TEST_F(PlayerContent, EveryCellTheCraftReadsIsOnItsSheet) {
    namespace fs = std::filesystem;
    fs::path dir = PELLO_TEST_DATA_DIR;
    if (!fs::exists(dir / "c_maho.bmp")) GTEST_SKIP() << "no generated data";
    PixelFormat565 = 1;
    // The craft and barrier cells of every character on each sheet: drawn
    // together with the craft, so two of them may be the same picture but
    // never share part of one (a keyed cell reaching into an additive one
    // shows the other's black as a box).
    std::map<std::string, std::vector<std::pair<int, RECT>>> craftCells;
    for (int c = 0; c < 10; c++) {
        Surface* s = LoadBitmapSurface((dir / CharSheet[c]).c_str());
        ASSERT_NE(s, nullptr) << CharSheet[c];
        const CharacterInfo& t = CharTable[c];
        std::vector<std::pair<std::string, RECT>> cells;
        for (int top : {0, t.firingRows ? 32 : 0}) {
            for (int f = 0; f < (t.idle == 2 ? 1 : 3); f++) {
                if (t.idle == 0 && f >= t.frames) break;
                cells.push_back({"idle", RECT{32 * f, top, 32 * f + 32, top + t.cellH}});
            }
            if (t.upLeft >= 0) cells.push_back({"up", RECT{t.upLeft, top, t.upLeft + 32, top + t.cellH}});
            if (t.downLeft >= 0) cells.push_back({"down", RECT{t.downLeft, top, t.downLeft + 32, top + t.cellH}});
        }
        cells.push_back({"barrier", RECT{t.barrierL, t.barrierT, t.barrierL + t.barrierW, t.barrierT + t.barrierH}});
        for (const auto& cell : cells) craftCells[CharSheet[c]].push_back({c, cell.second});
        // Every frame of every shot of the fullest volley.
        for (int lv = 0; lv < 3; lv++) {
            StageStart(c);
            FireVolley(c, 3, lv);
            for (const ShotRecord& sh : Shot) {
                if (sh.active != 1) continue;
                for (int f = 0; f < sh.frames; f++)
                    cells.push_back({"shot", RECT{sh.srcX + f * sh.w, sh.srcY, sh.srcX + f * sh.w + sh.w, sh.srcY + sh.h}});
            }
        }
        if (c == 1 || c == 2)
            for (int k = 0; k < 3; k++) cells.push_back({"charge", RECT{16 * k, 80, 16 * k + 16, 96}});
        if (c == 8)
            for (int k = 0; k < 3; k++) cells.push_back({"burst", RECT{16 * k, 80, 16 * k + 16, 96}});
        for (const auto& [what, r] : cells)
            EXPECT_TRUE(Drawn(s, r)) << CharSheet[c] << " character " << c << " " << what << " (" << r.left << ", "
                                     << r.top << ")-(" << r.right << ", " << r.bottom << ")";
        FreeSurface(s);
    }
    for (const auto& [sheet, list] : craftCells)
        for (const auto& [c, a] : list)
            for (const auto& [d, b] : list) {
                bool same = a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
                bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                EXPECT_TRUE(same || !overlap) << sheet << ": a cell of character " << c << " at (" << a.left << ", "
                                              << a.top << ") reaches into one of character " << d << " at ("
                                              << b.left << ", " << b.top << ")";
            }
}
