// Explosions, sparks and bursts, and each effect's and bullet's drawn cell.
#include "enemy_fixture.h"
#include "video/video.h"

using ShotEffects = EnemyTestBase;

namespace {
template <typename F>
int FramesUntil(F done) {
    int n = 0;
    while (!done() && n < 1000) n++;
    return n;
}
}  // namespace

TEST_F(ShotEffects, ExplosionsLastThirtyFiveAndFortyOneFrames) {
    SetExplosion(0, 10, 10);
    SetExplosion(1, 20, 20);
    EXPECT_EQ(Explosion[1].size, 1);
    int small = 0, large = 0;
    for (int f = 1; f <= 50; f++) {
        PutExplosion();
        if (Explosion[0].frame != -1) small = f;
        if (Explosion[1].frame != -1) large = f;
    }
    EXPECT_EQ(small, 35);
    EXPECT_EQ(large, 41);
    for (int i = 0; i < 101; i++) SetExplosion(0, i, 0);
    EXPECT_EQ(Explosion[99].x, 99);
}

TEST_F(ShotEffects, SparkShowsFiveAndFiveFrames) {
    SetSpark(30, 40);
    for (int i = 0; i < 9; i++) PutSpark();
    EXPECT_EQ(Spark[0].active, 1);
    EXPECT_EQ(Spark[0].life, 1);
    PutSpark();
    EXPECT_EQ(Spark[0].active, 0);
    for (int i = 0; i < 51; i++) SetSpark(i, 0);
    EXPECT_EQ(Spark[49].x, 49);
}

TEST_F(ShotEffects, BurstTakesEveryFreeEntry) {
    SetExplosion(0, 0, 0);  // other pools do not matter
    SetBurst(50, 60);
    for (const BurstRecord& b : Burst) EXPECT_EQ(b.frame, 0);
    PutBurst();
    SetBurst(1, 1);  // nothing free
    EXPECT_EQ(Burst[0].x, 50);
    int frames = 1;
    while (Burst[0].frame != -1 && frames < 100) {
        PutBurst();
        frames++;
    }
    EXPECT_EQ(frames, 18);  // drawn 5 + 6 + 6 times, freed on the 18th call
}

namespace {

// Draws on a black work surface from blank sheets in which only one cell is
// painted, with a pattern that tells its pixels apart: whatever shows on the
// work surface came from that cell, and must lie exactly where it belongs.
class ShotDrawing : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        ResetPools();
        saved_[0] = WorkSurface;
        WorkSurface = MakeSurface(320, 240);
        for (int s : kSheets) {
            saved_[s + 1] = Slot[s];
            Slot[s] = MakeSurface(1024, 256);
        }
    }
    void TearDown() override {
        FreeSurface(WorkSurface);
        WorkSurface = saved_[0];
        for (int s : kSheets) {
            FreeSurface(Slot[s]);
            Slot[s] = saved_[s + 1];
        }
    }
    static uint16_t Pattern(int dx, int dy) { return static_cast<uint16_t>((dx & 31) << 11 | (dy & 63) << 5 | 31); }
    static void PaintOnly(int slot, RECT cell) {
        for (int s : kSheets) std::fill(Slot[s]->pixels.begin(), Slot[s]->pixels.end(), 0);
        for (int y = cell.top; y < cell.bottom; y++)
            for (int x = cell.left; x < cell.right; x++)
                Slot[slot]->pixels[y * 1024 + x] = Pattern(x - cell.left, y - cell.top);
    }
    // The cell's pixels at (x, y), exactly when `exact` (a full-level copy), and nothing else.
    static void ExpectCellAt(RECT cell, int x, int y, bool exact, const char* what) {
        int w = cell.right - cell.left, h = cell.bottom - cell.top, wrong = 0;
        for (int py = 0; py < 240; py++)
            for (int px = 0; px < 320; px++) {
                uint16_t p = WorkSurface->pixels[py * 320 + px];
                bool inside = px >= x && px < x + w && py >= y && py < y + h;
                if (inside ? (p == 0 || (exact && p != Pattern(px - x, py - y))) : p != 0) wrong++;
            }
        EXPECT_EQ(wrong, 0) << what;
    }
    template <typename F>
    static void LastOf(int calls, F put) {
        for (int i = 1; i < calls; i++) put();
        std::fill(WorkSurface->pixels.begin(), WorkSurface->pixels.end(), 0);
        put();
    }
    static constexpr int kSheets[3] = {0, 1, 4};
    Surface* saved_[6] = {};
};

}  // namespace

TEST_F(ShotDrawing, EachEffectAndBulletDrawsItsCellFromItsSheet) {
    // Small explosion, frame 2 (calls 12..17), centred.
    RECT cell{64, 64, 96, 96};
    PaintOnly(1, cell);
    SetExplosion(0, 100, 120);
    LastOf(12, PutExplosion);
    ExpectCellAt(cell, 84, 104, true, "small explosion");
    // Large explosion, frame 1: 16 above the centre, not 48.
    EmptyShotPools();
    cell = {96, 112, 192, 208};
    PaintOnly(1, cell);
    SetExplosion(1, 150, 100);
    LastOf(6, PutExplosion);
    ExpectCellAt(cell, 102, 84, true, "large explosion");
    // Spark: top-left at its position; the second picture from life 4.
    cell = {192, 64, 208, 80};
    PaintOnly(1, cell);
    SetSpark(30, 40);
    LastOf(1, PutSpark);
    ExpectCellAt(cell, 30, 40, true, "spark, first picture");
    cell = {192, 80, 208, 96};
    PaintOnly(1, cell);
    LastOf(5, PutSpark);
    ExpectCellAt(cell, 30, 40, true, "spark, second picture");
    // Burst, frame 1, from the character's sheet at level 25.
    cell = {16, 80, 32, 96};
    PaintOnly(0, cell);
    SetBurst(200, 50);
    LastOf(6, PutBurst);
    ExpectCellAt(cell, 192, 42, false, "burst");
    // Bullets: the wide beam's second frame, and a 24 x 24 ball.
    EmptyShotPools();
    cell = {128, 48, 256, 64};
    PaintOnly(4, cell);
    SetTama(1, 160, 100, 160, 100, 0, 128, 16, 0, 48, 0, 1, 10);
    LastOf(10, PutTama);
    ExpectCellAt(cell, 96, 92, true, "beam, frame 1");
    EmptyShotPools();
    cell = {72, 0, 96, 24};
    PaintOnly(4, cell);
    SetTama(1, 50, 60, 50, 60, 0, 24, 24, 72, 0, 0, 0, 0);
    LastOf(1, PutTama);
    ExpectCellAt(cell, 38, 48, true, "ball");
}
