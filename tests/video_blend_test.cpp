// Blended copies and whole-screen effects, checked against reference pixels.
#include <string>
#include <vector>

#include "core/core.h"
#include "video/pixel_ops.h"
#include "video_test_util.h"

namespace {

constexpr uint16_t kBg = 0x1234;

Surface* Solid(int w, int h, uint16_t v) {
    Surface* s = MakeSurface(w, h);
    s->pixels.assign(s->pixels.size(), v);
    return s;
}

}  // namespace

using VideoBlend = VideoTest;
using VideoEffect = VideoTest;

TEST_F(VideoBlend, AlphaExamples) {
    Surface* white = Solid(8, 8, 0xFFFF);
    At(white, 3, 3) = 0x07E0;
    Fill(WorkSurface, 0);
    PutSpriteAlpha(0, 0, white, RECT{0, 0, 8, 8}, 17, 31);
    EXPECT_EQ(At(WorkSurface, 0, 0), Rgb565(30, 60, 30));  // level 31 is not the identity
    EXPECT_EQ(At(WorkSurface, 3, 3), 0);                     // pure green is skipped

    Fill(WorkSurface, 0xFFFF);
    PutSpriteAlpha(0, 0, white, RECT{0, 0, 8, 8}, 0, 0);
    EXPECT_EQ(At(WorkSurface, 7, 7), Rgb565(30, 60, 30));   // level 0 still dims the screen
    EXPECT_EQ(At(WorkSurface, 3, 3), 0xFFFF);
    EXPECT_EQ(At(WorkSurface, 8, 8), 0xFFFF);

    // Levels beyond 31 act as 31.
    Fill(WorkSurface, 0);
    PutSpriteAlpha(0, 0, white, RECT{0, 0, 8, 8}, 16, 40);
    EXPECT_EQ(At(WorkSurface, 0, 0), Rgb565(30, 60, 30));
    FreeSurface(white);
}

TEST_F(VideoBlend, AddExamples) {
    Surface* s = Solid(10, 10, Rgb565(16, 32, 16));
    At(s, 1, 0) = 0x07E0;
    Fill(WorkSurface, Rgb565(20, 40, 20));
    PutSpriteAdd(0, 0, s, RECT{0, 0, 10, 10}, 0, 0);
    // Level 0 adds nothing, except one green step under the pure green pixel.
    EXPECT_EQ(CountNot(Rgb565(20, 40, 20)), 1);
    EXPECT_EQ(At(WorkSurface, 1, 0), Rgb565(20, 41, 20));
    Fill(WorkSurface, Rgb565(20, 40, 20));
    PutSpriteAdd(0, 0, s, RECT{0, 0, 10, 10}, 17, 31);
    EXPECT_EQ(At(WorkSurface, 0, 0), Rgb565(31, 63, 31));
    EXPECT_EQ(At(WorkSurface, 1, 0), Rgb565(20, 63, 20));  // green adds like any colour

    // The beam technique passes 32: clamped to 31.
    Fill(WorkSurface, 0);
    PutSpriteAdd(0, 0, s, RECT{0, 0, 10, 10}, 0, 32);
    EXPECT_EQ(At(WorkSurface, 0, 0), Rgb565(16, 32, 16));
    // Level 0: one green step under a sprite green of 63.
    Fill(WorkSurface, 0);
    PutSpriteAdd(0, 0, s, RECT{0, 0, 10, 10}, 0, 0);
    EXPECT_EQ(At(WorkSurface, 1, 0), Rgb565(0, 1, 0));
    EXPECT_EQ(At(WorkSurface, 0, 0), 0);
    FreeSurface(s);
}

TEST_F(VideoBlend, SilhouetteAndClipping) {
    Surface* s = Solid(32, 32, 0x1111);
    At(s, 0, 0) = 0x07E0;
    PutSilhouette(-31, 0, s, RECT{0, 0, 32, 32}, 0xFFFF);  // only column 31 shows
    EXPECT_EQ(CountNot(kBg), 32);
    EXPECT_EQ(At(WorkSurface, 0, 5), 0xFFFF);
    Fill(WorkSurface, kBg);
    PutSilhouette(10, 10, s, RECT{0, 0, 32, 32}, 0xFFFF);
    EXPECT_EQ(At(WorkSurface, 10, 10), kBg);
    EXPECT_EQ(CountNot(kBg), 32 * 32 - 1);
    Fill(WorkSurface, kBg);
    PutSpriteAlpha(300, 0, s, RECT{0, 0, 32, 32}, 0, 31);
    EXPECT_EQ(CountNot(kBg), 20 * 32 - 1);  // less the pure green corner
    Fill(WorkSurface, kBg);
    PutSpriteAdd(0, 0, s, RECT{0, 0, 40, 8}, 0, 31);   // rect leaves the sheet: nothing
    PutSpriteAlpha(0, 0, nullptr, RECT{0, 0, 8, 8}, 0, 31);
    EXPECT_EQ(CountNot(kBg), 0);
    FreeSurface(s);
}

// A surface that cannot be taken (no pixel store) is reported by its message
// box and the copy skipped; an empty slot is silent.
TEST_F(VideoBlend, LockFailuresShowTheirMessages) {
    Surface* s = Solid(16, 16, 0x1111);
    testing::internal::CaptureStderr();
    PutSpriteAlpha(0, 0, nullptr, RECT{0, 0, 8, 8}, 0, 31);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    std::vector<uint16_t> kept;
    kept.swap(s->pixels);
    testing::internal::CaptureStderr();
    PutSpriteAdd(0, 0, s, RECT{0, 0, 8, 8}, 0, 31);
    const std::string aho = testing::internal::GetCapturedStderr();
    EXPECT_NE(aho.find("AHO"), std::string::npos);
    EXPECT_EQ(aho.find("MAHO"), std::string::npos);
    EXPECT_EQ(CountNot(kBg), 0);
    kept.swap(s->pixels);

    kept.swap(WorkSurface->pixels);
    testing::internal::CaptureStderr();
    PutSilhouette(0, 0, s, RECT{0, 0, 8, 8}, 0xFFFF);
    DarkenScreen(8);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("MAHO"), std::string::npos);
    EXPECT_NE(err.find("MAHO", err.find("MAHO") + 4), std::string::npos);
    kept.swap(WorkSurface->pixels);
    EXPECT_EQ(CountNot(kBg), 0);
    FreeSurface(s);
}

TEST_F(VideoEffect, Darken) {
    for (int i = 0; i < 320 * 240; i++) WorkSurface->pixels[i] = static_cast<uint16_t>(i * 7919);
    const std::vector<uint16_t> before = WorkSurface->pixels;
    DarkenScreen(32);
    DarkenScreen(-1);
    EXPECT_EQ(WorkSurface->pixels, before);
    DarkenScreen(16);
    for (int i = 0; i < 320 * 240; i++) {
        const uint16_t v = before[i];
        ASSERT_EQ(WorkSurface->pixels[i], Rgb565((v >> 11) / 2, ((v >> 5) & 63) / 2, (v & 31) / 2));
    }
    Fill(WorkSurface, 0xFFFF);
    DarkenScreen(31);
    EXPECT_EQ(At(WorkSurface, 5, 5), Rgb565(30, 61, 30));
    DarkenScreen(0);
    EXPECT_EQ(CountNot(0), 0);
}

TEST_F(VideoEffect, Whiten) {
    Fill(WorkSurface, Rgb565(10, 20, 10));
    At(WorkSurface, 1, 1) = Rgb565(30, 60, 28);
    WhitenRect(RECT{0, 0, 4, 4}, 5);
    EXPECT_EQ(At(WorkSurface, 0, 0), Rgb565(15, 30, 15));
    EXPECT_EQ(At(WorkSurface, 1, 1), Rgb565(31, 63, 31));
    EXPECT_EQ(At(WorkSurface, 4, 0), Rgb565(10, 20, 10));
    // Leaving the surface: clipped, the inside still whitened.
    WhitenRect(RECT{300, 230, 400, 300}, 31);
    EXPECT_EQ(At(WorkSurface, 319, 239), 0xFFFF);
    EXPECT_EQ(At(WorkSurface, 299, 239), Rgb565(10, 20, 10));
    // RGB555: every channel gains the level.
    PixelFormat565 = 0;
    Fill(WorkSurface, (10 << 10) | (20 << 5) | 29);
    WhitenRect(RECT{0, 0, 320, 240}, 4);
    EXPECT_EQ(At(WorkSurface, 100, 100), (14 << 10) | (24 << 5) | 31);
}

TEST_F(VideoEffect, Mosaic) {
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) At(WorkSurface, x, y) = static_cast<uint16_t>(x * 240 + y);
    const std::vector<uint16_t> before = WorkSurface->pixels;
    MosaicRect(RECT{0, 0, 320, 240}, 1);
    EXPECT_EQ(WorkSurface->pixels, before);
    MosaicRect(RECT{0, 0, 320, 240}, 8);
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++)
            ASSERT_EQ(At(WorkSurface, x, y), before[(y & ~7) * 320 + (x & ~7)]) << x << "," << y;

    // Narrow edge blocks, and a rectangle leaving the surface keeps its grid.
    WorkSurface->pixels = before;
    MosaicRect(RECT{-4, 230, 13, 300}, 8);
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) {
            uint16_t want = before[y * 320 + x];
            if (x < 13 && y >= 230) {
                const int bx = x < 4 ? 0 : (x < 12 ? 4 : 12), by = y < 238 ? 230 : 238;
                want = before[by * 320 + bx];
            }
            ASSERT_EQ(At(WorkSurface, x, y), want) << x << "," << y;
        }
}

TEST_F(VideoEffect, Zoom) {
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) At(WorkSurface, x, y) = static_cast<uint16_t>(x * 240 + y);
    const std::vector<uint16_t> before = WorkSurface->pixels;
    ZoomScreen(160, 300, 120);  // the region would end at x = 380
    ZoomScreen(320, 160, 120);
    ZoomScreen(0, 160, 120);
    ZoomScreen(100, 160, 240);
    EXPECT_EQ(WorkSurface->pixels, before);
    ZoomScreen(160, 160, 120);  // region (80, 60, 240, 180) doubled
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++)
            ASSERT_EQ(At(WorkSurface, x, y), before[(60 + y / 2) * 320 + 80 + x / 2]) << x << "," << y;
    // A region raised to the top-left corner.
    WorkSurface->pixels = before;
    ZoomScreen(100, 10, 10);  // h = 75, region (0, 0, 100, 75)
    EXPECT_EQ(At(WorkSurface, 319, 239), before[(239 * 75 / 240) * 320 + 319 * 100 / 320]);
}

TEST_F(VideoEffect, CopySurfaceRect) {
    Surface* src = MakeSurface(64, 48);
    for (size_t i = 0; i < src->pixels.size(); i++) src->pixels[i] = static_cast<uint16_t>(i + 1);
    CopySurfaceRect(WorkSurface, src, RECT{8, 4, 40, 20}, 100, 50);
    EXPECT_EQ(CountNot(kBg), 32 * 16);
    EXPECT_EQ(At(WorkSurface, 100, 50), At(src, 8, 4));
    EXPECT_EQ(At(WorkSurface, 131, 65), At(src, 39, 19));

    // Rectangles leaving either surface copy only the part both have.
    Fill(WorkSurface, kBg);
    CopySurfaceRect(WorkSurface, src, RECT{-8, 40, 72, 60}, 300, 230);  // src cols 0..63, rows 40..47
    EXPECT_EQ(CountNot(kBg), 12 * 8);
    EXPECT_EQ(At(WorkSurface, 308, 230), At(src, 0, 40));
    EXPECT_EQ(At(WorkSurface, 319, 237), At(src, 11, 47));
    Fill(WorkSurface, kBg);
    CopySurfaceRect(WorkSurface, src, RECT{0, 0, 64, 48}, -60, -40);
    EXPECT_EQ(CountNot(kBg), 4 * 8);
    EXPECT_EQ(At(WorkSurface, 0, 0), At(src, 60, 40));
    CopySurfaceRect(WorkSurface, nullptr, RECT{0, 0, 8, 8}, 0, 0);
    CopySurfaceRect(nullptr, src, RECT{0, 0, 8, 8}, 0, 0);

    // Snapshot of the whole work surface, and an overlapping copy within one surface.
    Surface* snap = MakeSurface(320, 240);
    CopySurfaceRect(snap, WorkSurface, RECT{0, 0, 320, 240}, 0, 0);
    EXPECT_EQ(snap->pixels, WorkSurface->pixels);
    CopySurfaceRect(src, src, RECT{0, 0, 64, 40}, 0, 8);
    EXPECT_EQ(At(src, 5, 47), 5 + 39 * 64 + 1);
    EXPECT_EQ(At(src, 5, 8), 5 + 1);
    FreeSurface(snap);
    FreeSurface(src);
}

// The SSE2 kernels against the table-driven reference, over random pixels
// (with pure green mixed in), every level, both formats and all tail lengths.
TEST(VideoKernels, VectorPathsMatchReference) {
    GameSrand(12345);
    auto pixel = [](int fmt) -> uint16_t {
        const int r = GameRand();
        if ((r & 7) == 0) return fmt ? 0x07E0 : 0x03E0;
        if ((r & 7) == 1) return 0xFFFF;
        return static_cast<uint16_t>(GameRand() ^ (r << 1));
    };
    for (int fmt = 0; fmt < 2; fmt++)
        for (int level = 0; level < 32; level++)
            for (int n = 0; n < 70; n += (n < 20 ? 1 : 7)) {
                std::vector<uint16_t> src(n), dst(n);
                for (int i = 0; i < n; i++) {
                    src[i] = pixel(fmt);
                    dst[i] = pixel(fmt);
                }
                auto a = dst, b = dst;
                vid::AlphaRow(a.data(), src.data(), n, level, fmt);
                vid::AlphaRowRef(b.data(), src.data(), n, level, fmt);
                ASSERT_EQ(a, b) << "alpha fmt " << fmt << " level " << level << " n " << n;
                a = b = dst;
                vid::AddRow(a.data(), src.data(), n, level, fmt);
                vid::AddRowRef(b.data(), src.data(), n, level, fmt);
                ASSERT_EQ(a, b) << "add fmt " << fmt << " level " << level << " n " << n;
                a = b = dst;
                vid::DarkenRow(a.data(), n, level, fmt);
                vid::DarkenRowRef(b.data(), n, level, fmt);
                ASSERT_EQ(a, b) << "darken fmt " << fmt << " level " << level << " n " << n;
                a = b = dst;
                vid::WhitenRow(a.data(), n, level, fmt);
                vid::WhitenRowRef(b.data(), n, level, fmt);
                ASSERT_EQ(a, b) << "whiten fmt " << fmt << " level " << level << " n " << n;
                a = b = dst;
                vid::KeyedRow(a.data(), src.data(), n, vid::GreenMask(fmt));
                vid::KeyedRowRef(b.data(), src.data(), n, vid::GreenMask(fmt));
                ASSERT_EQ(a, b) << "keyed n " << n;
                a = b = dst;
                vid::SilhouetteRow(a.data(), src.data(), n, vid::GreenMask(fmt), 0xFFFF);
                for (int i = 0; i < n; i++)
                    if (src[i] != vid::GreenMask(fmt)) b[i] = 0xFFFF;
                ASSERT_EQ(a, b) << "silhouette n " << n;
            }
}

// Spot values of the tables: RGB565 green blends at half precision with
// bit 5 always clear; RGB555 keeps all five bits.
TEST(VideoKernels, TableSpotChecks) {
    uint16_t d = 0;
    const uint16_t s565 = (2 << 11) | (1 << 5) | 2;  // red 2, green 1, blue 2
    vid::AlphaRowRef(&d, &s565, 1, 31, 1);
    EXPECT_EQ(d, (1 << 11) | 1);  // (2 * 31) >> 5 = 1; green (1 * 31) >> 6 = 0
    d = 0;
    const uint16_t g3 = 3 << 5;
    vid::AlphaRowRef(&d, &g3, 1, 31, 1);
    EXPECT_EQ(d, 1 << 6);         // ((3 * 31) >> 6) << 6
    d = 0;
    const uint16_t white555 = 0x7FFF;
    vid::AlphaRowRef(&d, &white555, 1, 31, 0);
    EXPECT_EQ(d, (30 << 10) | (30 << 5) | 30);
    d = (20 << 10) | (20 << 5) | 20;
    const uint16_t add555 = (16 << 10) | (16 << 5) | 16;
    vid::AddRowRef(&d, &add555, 1, 31, 0);
    EXPECT_EQ(d, 0x7FFF);
}
