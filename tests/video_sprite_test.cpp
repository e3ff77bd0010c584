// Sprite copies: clipping, key colour, boxes, the wave effect, and agreement with SDL's blit.
#include <vector>

#include "core/core.h"
#include "platform/sdl_blit_bench.h"
#include "video/pixel_ops.h"
#include "video_test_util.h"

namespace {

// A sheet whose every pixel is distinct and nonzero.
Surface* NumberedSheet(int w, int h) {
    Surface* s = MakeSurface(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) s->pixels[static_cast<size_t>(y) * w + x] = static_cast<uint16_t>(1 + y * w + x);
    return s;
}

constexpr uint16_t kBg = 0x1234;

}  // namespace

using VideoSprite = VideoTest;

TEST_F(VideoSprite, ClipEdges) {
    Surface* sheet = NumberedSheet(32, 32);
    const RECT all{0, 0, 32, 32};

    PutSprite(320, 0, sheet, all, 16);
    PutSprite(0, 240, sheet, all, 16);
    PutSprite(-32, 0, sheet, all, 16);
    PutSprite(0, -32, sheet, all, 16);
    EXPECT_EQ(CountNot(kBg), 0);

    PutSprite(319, 239, sheet, all, 16);
    EXPECT_EQ(CountNot(kBg), 1);
    EXPECT_EQ(At(WorkSurface, 319, 239), At(sheet, 0, 0));

    Fill(WorkSurface, kBg);
    PutSprite(-31, 10, sheet, all, 16);  // only the rightmost column, in column 0
    EXPECT_EQ(CountNot(kBg), 32);
    for (int y = 0; y < 32; y++) EXPECT_EQ(At(WorkSurface, 0, 10 + y), At(sheet, 31, y));

    Fill(WorkSurface, kBg);
    PutSprite(300, -5, sheet, all, 16);  // left 20 columns, rows 5..31
    EXPECT_EQ(CountNot(kBg), 20 * 27);
    EXPECT_EQ(At(WorkSurface, 300, 0), At(sheet, 0, 5));
    EXPECT_EQ(At(WorkSurface, 319, 26), At(sheet, 19, 31));
    FreeSurface(sheet);
}

TEST_F(VideoSprite, WideSourceRightEdgeMeasuredFromRectLeft) {
    Surface* sheet = NumberedSheet(400, 4);
    PutSprite(-50, 0, sheet, RECT{0, 0, 400, 4}, 16);
    // The copy ends 320 + x = 270 columns into the screen.
    for (int x = 0; x < 270; x++) ASSERT_EQ(At(WorkSurface, x, 0), At(sheet, x + 50, 0));
    for (int x = 270; x < 320; x++) ASSERT_EQ(At(WorkSurface, x, 0), kBg);
    EXPECT_EQ(CountNot(kBg), 270 * 4);
    FreeSurface(sheet);
}

TEST_F(VideoSprite, RefusedCopiesDrawNothing) {
    Surface* sheet = NumberedSheet(32, 32);
    PutSprite(0, 0, sheet, RECT{16, 0, 48, 16}, 16);   // past the sheet's right edge
    PutSprite(0, 0, sheet, RECT{-1, 0, 8, 8}, 16);     // before its left edge
    PutSprite(0, 0, sheet, RECT{0, 30, 16, 40}, 17);   // past its bottom
    PutSprite(0, 0, sheet, RECT{8, 8, 8, 16}, 16);     // empty
    PutSprite(0, 0, sheet, RECT{8, 8, 4, 16}, 16);     // inverted
    PutSprite(0, 0, nullptr, RECT{0, 0, 8, 8}, 17);    // empty slot
    PutSprite(INT32_MIN, INT32_MIN, sheet, RECT{INT32_MIN, 0, INT32_MAX, 8}, 16);
    EXPECT_EQ(CountNot(kBg), 0);
    Surface* saved = WorkSurface;
    WorkSurface = nullptr;
    PutSprite(0, 0, sheet, RECT{0, 0, 8, 8}, 16);      // no work surface: nothing, no crash
    WorkSurface = saved;
    FreeSurface(sheet);
}

TEST_F(VideoSprite, KeyedAndPlainFlags) {
    Surface* sheet = NumberedSheet(24, 3);
    for (int x = 0; x < 24; x += 3) At(sheet, x, 1) = 0x07E0;
    SetKeyColor(sheet, 0x07E0);
    PutSprite(10, 10, sheet, RECT{0, 0, 24, 3}, 17);
    for (int x = 0; x < 24; x++)
        EXPECT_EQ(At(WorkSurface, 10 + x, 11), x % 3 == 0 ? kBg : At(sheet, x, 1)) << x;
    PutSprite(10, 10, sheet, RECT{0, 0, 24, 3}, 16);
    EXPECT_EQ(At(WorkSurface, 10, 11), 0x07E0);

    // A key of 0 makes black, not nothing, transparent.
    SetKeyColor(sheet, 0);
    At(sheet, 5, 0) = 0;
    Fill(WorkSurface, kBg);
    PutSprite(0, 0, sheet, RECT{0, 0, 24, 3}, 17);
    EXPECT_EQ(At(WorkSurface, 5, 0), kBg);
    EXPECT_EQ(At(WorkSurface, 0, 1), 0x07E0);
    FreeSurface(sheet);
}

TEST_F(VideoSprite, PutBoxEdgesAndFormats) {
    PutBox(WorkSurface, 300, 0, 400, 10, 0, 255, 255);
    EXPECT_EQ(CountNot(kBg), 20 * 10);
    EXPECT_EQ(At(WorkSurface, 300, 0), 0xFFE0);  // yellow
    EXPECT_EQ(At(WorkSurface, 319, 9), 0xFFE0);

    Fill(WorkSurface, kBg);
    PutBox(WorkSurface, -10, 0, 5, 10, 0, 0, 255);
    EXPECT_EQ(CountNot(kBg), 5 * 10);
    EXPECT_EQ(At(WorkSurface, 4, 9), 0xF800);

    // A box wider than the screen starting left of it ends 320 + left in.
    Fill(WorkSurface, kBg);
    PutBox(WorkSurface, -10, 0, 400, 1, 0, 0, 0);
    EXPECT_EQ(CountNot(kBg), 310);
    EXPECT_EQ(At(WorkSurface, 309, 0), 0);

    Fill(WorkSurface, kBg);
    PutBox(WorkSurface, 320, 0, 330, 5, 0, 0, 0);
    PutBox(WorkSurface, 0, -20, 5, -1, 0, 0, 0);
    PutBox(nullptr, 0, 0, 5, 5, 0, 0, 0);
    EXPECT_EQ(CountNot(kBg), 0);

    PixelFormat565 = 0;
    PutBox(WorkSurface, 0, 0, 1, 1, 0, 255, 255);
    PutBox(WorkSurface, 1, 0, 2, 1, 0x18, 0x48, 0x88);
    EXPECT_EQ(At(WorkSurface, 0, 0), 0x7FE0);
    EXPECT_EQ(At(WorkSurface, 1, 0), (0x11 << 10) | (0x09 << 5) | 0x03);
}

TEST_F(VideoSprite, WaveAmplitudeZeroIsPlainCopy) {
    Surface* sheet = NumberedSheet(40, 30);
    const RECT r{4, 6, 36, 26};
    PutSpriteWave(50, 20, 0, 7, 13, sheet, r, 16);
    std::vector<uint16_t> wave = WorkSurface->pixels;
    Fill(WorkSurface, kBg);
    PutSprite(50, 20 + r.top, sheet, r, 16);
    EXPECT_EQ(wave, WorkSurface->pixels);
    FreeSurface(sheet);
}

TEST_F(VideoSprite, WaveShiftsRowsBySine) {
    Surface* sheet = NumberedSheet(40, 4);
    PutSpriteWave(100, 0, 25, 0, 90, sheet, RECT{0, 0, 40, 2}, 16);    // s = 126: +31
    PutSpriteWave(100, 50, 25, 0, 270, sheet, RECT{0, 0, 40, 2}, 16);  // s = -126: -31
    EXPECT_EQ(At(WorkSurface, 131, 0), At(sheet, 0, 0));
    EXPECT_EQ(At(WorkSurface, 130, 0), kBg);
    EXPECT_EQ(At(WorkSurface, 69, 51), At(sheet, 0, 1));
    EXPECT_EQ(At(WorkSurface, 68, 51), kBg);
    FreeSurface(sheet);
}

TEST_F(VideoSprite, WaveOnTheWorkSurfaceReadsEachRowWhole) {
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) At(WorkSurface, x, y) = static_cast<uint16_t>(x + 1000 * (y & 7));
    const std::vector<uint16_t> before = WorkSurface->pixels;
    // Row y moves by 25 * GetSin(3 * y) / 100 pixels, onto itself.
    PutSpriteWave(0, 0, 25, 3, 0, WorkSurface, RECT{0, 0, 320, 240}, 16);
    for (int y = 0; y < 240; y++) {
        const int dx = 25 * GetSin(3 * y) / 100;
        for (int x = 0; x < 320; x++) {
            const int sx = x - dx;
            const uint16_t want = (sx >= 0 && sx < 320) ? before[y * 320 + sx] : before[y * 320 + x];
            ASSERT_EQ(At(WorkSurface, x, y), want) << x << "," << y;
        }
    }
}

// Our keyed tile copies give the same pixels as SDL's keyed blit.
TEST_F(VideoSprite, KeyedTilesAndWideSpritesMatchSdl) {
    Surface* sheet = MakeSurface(256, 64);
    GameSrand(7);
    for (auto& p : sheet->pixels) p = (GameRand() & 3) == 0 ? 0x07E0 : static_cast<uint16_t>(GameRand() * 2 + 1);
    SetKeyColor(sheet, 0x07E0);
    std::vector<plat::SdlTileJob> jobs;
    for (int i = 0; i < 500; i++)
        jobs.push_back({16 * (GameRand() % 16), 16 * (GameRand() % 4), GameRand() % 352 - 16, GameRand() % 272 - 16});
    std::vector<plat::SdlRectJob> wide;  // wide pieces of every width, some cut by the edges
    for (int i = 0; i < 40; i++) {
        const int w = 17 + GameRand() % 200, h = 1 + GameRand() % 64;
        wide.push_back({GameRand() % (257 - w), GameRand() % (65 - h), w, h, GameRand() % 400 - 60, GameRand() % 260 - 40});
    }
    for (bool rle : {false, true}) {
        plat::SdlBlitAnchor* a = plat::SdlAnchorCreate(sheet->pixels.data(), 256, 64, 0x07E0, rle);
        ASSERT_NE(a, nullptr);
        Fill(WorkSurface, kBg);
        plat::SdlAnchorFill(a, WorkSurface->pixels.data());
        plat::SdlAnchorBlit(a, jobs.data(), static_cast<int>(jobs.size()), 16);
        for (const auto& j : jobs) PutSprite(j.dx, j.dy, sheet, RECT{j.sx, j.sy, j.sx + 16, j.sy + 16}, 17);
        plat::SdlAnchorBlitRects(a, wide.data(), static_cast<int>(wide.size()));
        for (const auto& j : wide) PutSprite(j.dx, j.dy, sheet, RECT{j.sx, j.sy, j.sx + j.w, j.sy + j.h}, 17);
        std::vector<uint16_t> theirs(320 * 240);
        plat::SdlAnchorRead(a, theirs.data());
        EXPECT_EQ(theirs, WorkSurface->pixels) << "rle " << rle;
        plat::SdlAnchorDestroy(a);
    }
    FreeSurface(sheet);
}
