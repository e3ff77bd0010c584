// Drawing workloads: the scenery's worst tile frame and a strip stage's wide
// scenery pieces against SDL's keyed blit, full-screen blends and effects,
// additive bullets and a synthetic worst frame.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/core.h"
#include "platform/sdl_blit_bench.h"
#include "video/pixel_ops.h"
#include "video/video.h"

namespace {

struct Scene {
    Surface* tiles = nullptr;     // 1024 x 512 scenery sheet, keyed
    Surface* picture = nullptr;   // 320 x 240 picture for the blends
    Surface* enemies = nullptr;   // 256 x 256 enemy sheet, keyed
    Surface* bullets = nullptr;   // 64 x 64 bullet sheet
    std::vector<plat::SdlTileJob> tileJobs;  // (a): two views of 1890 tiles
    Surface* wide = nullptr;      // 1024 x 768 sheet of wide scenery pieces, keyed
    std::vector<plat::SdlRectJob> wideJobs;  // (f): 23 pieces, 1.6 screens
    struct Job { int x, y; RECT r; };
    std::vector<Job> enemyJobs, bulletJobs;
    plat::SdlBlitAnchor* sdlPlain = nullptr;
    plat::SdlBlitAnchor* sdlRle = nullptr;
    plat::SdlBlitAnchor* sdlWide = nullptr;
    plat::SdlBlitAnchor* sdlWideRle = nullptr;
};

uint16_t RandomColour() { return static_cast<uint16_t>((GameRand() << 1) ^ GameRand()); }

// Tiles mix solid, round, striped and sparse shapes, so the key is hit
// in runs of every length as in drawn scenery.
void PaintTile(Surface* s, int tx, int ty, int kind) {
    const uint16_t base = RandomColour();
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            bool opaque = true;
            switch (kind) {
                case 1: opaque = (x - 8) * (x - 8) + (y - 8) * (y - 8) < 49; break;
                case 2: opaque = (y & 4) == 0; break;
                case 3: opaque = ((x * 7 + y * 3) % 11) == 0; break;
                default: break;
            }
            uint16_t v = static_cast<uint16_t>(base + x * 33 + y * 2049);
            if (v == 0x07E0) v = 0x07E1;
            s->pixels[static_cast<size_t>(ty + y) * s->width + tx + x] = opaque ? v : 0x07E0;
        }
}

// Scenery seen from afar: opaque below a skyline, with keyed windows and
// gaps, so the key comes in long runs and short ones.
void PaintWide(Surface* s) {
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) {
            const int sky = 60 + ((x / 24) * 37) % 90;
            const bool window = ((x / 6) % 5 == 1) && ((y / 8) % 4 == 2);
            const bool opaque = y % 240 >= sky && !window;
            uint16_t v = static_cast<uint16_t>(x * 33 + y * 2049);
            if (v == 0x07E0) v = 0x07E1;
            s->pixels[static_cast<size_t>(y) * s->width + x] = opaque ? v : 0x07E0;
        }
}

Scene& TheScene() {
    static Scene sc = [] {
        Scene s;
        PixelFormat565 = 1;
        if (!WorkSurface) WorkSurface = MakeSurface(320, 240);
        GameSrand(2024);
        s.tiles = MakeSurface(1024, 512);
        for (int ty = 0; ty < 512; ty += 16)
            for (int tx = 0; tx < 1024; tx += 16) PaintTile(s.tiles, tx, ty, GameRand() % 4);
        SetKeyColor(s.tiles, 0x07E0);
        s.picture = MakeSurface(320, 240);
        for (auto& p : s.picture->pixels) p = RandomColour();
        s.enemies = MakeSurface(256, 256);
        for (int ty = 0; ty < 256; ty += 16)
            for (int tx = 0; tx < 256; tx += 16) PaintTile(s.enemies, tx, ty, 1 + GameRand() % 2);
        SetKeyColor(s.enemies, 0x07E0);
        s.bullets = MakeSurface(64, 64);
        for (auto& p : s.bullets->pixels) p = static_cast<uint16_t>(RandomColour() & 0x7BEF);

        // Six layers of 15 x 21 tiles at their own offsets; the second view of
        // a vertical transition is the same again, shifted by part of a screen.
        for (int view = 0; view < 2; view++)
            for (int layer = 0; layer < 6; layer++) {
                const int ofs = 37 * layer + 5;
                for (int r = 0; r < 15; r++)
                    for (int c = 0; c <= 20; c++) {
                        const int t = GameRand() % 2048;
                        s.tileJobs.push_back({(t & 63) * 16, (t >> 6) * 16, c * 16 - (ofs & 15),
                                              r * 16 + (view ? 100 : 0)});
                    }
            }
        for (int i = 0; i < 100; i++) {
            const int sx = (GameRand() % 8) * 32, sy = (GameRand() % 8) * 32;
            s.enemyJobs.push_back({GameRand() % 352 - 32, GameRand() % 272 - 32, RECT{sx, sy, sx + 32, sy + 32}});
        }
        for (int i = 0; i < 1000; i++) {
            const int sx = (GameRand() % 8) * 8, sy = (GameRand() % 8) * 8;
            s.bulletJobs.push_back({GameRand() % 328 - 8, GameRand() % 248 - 8, RECT{sx, sy, sx + 8, sy + 8}});
        }
        // A strip stage's frame: four 240-high strips across the screen (the
        // outer ones cut by its edges) and nineteen 48 x 48 parts in front.
        s.wide = MakeSurface(1024, 768);
        PaintWide(s.wide);
        SetKeyColor(s.wide, 0x07E0);
        const int strip[4][2] = {{96, -40}, {128, 56}, {320, 184}, {96, 280}};  // width, x
        for (int i = 0; i < 4; i++)
            s.wideJobs.push_back({(i * 256) % 704, (i % 3) * 240, strip[i][0], 240, strip[i][1], 0});
        for (int i = 0; i < 19; i++)
            s.wideJobs.push_back({(GameRand() % 20) * 48, 720, 48, 48, GameRand() % 300 - 10, 150 + GameRand() % 80});
        s.sdlPlain = plat::SdlAnchorCreate(s.tiles->pixels.data(), 1024, 512, 0x07E0, false);
        s.sdlRle = plat::SdlAnchorCreate(s.tiles->pixels.data(), 1024, 512, 0x07E0, true);
        s.sdlWide = plat::SdlAnchorCreate(s.wide->pixels.data(), 1024, 768, 0x07E0, false);
        s.sdlWideRle = plat::SdlAnchorCreate(s.wide->pixels.data(), 1024, 768, 0x07E0, true);
        return s;
    }();
    return sc;
}

void DrawTiles(const Scene& s) {
    for (const auto& j : s.tileJobs) PutSprite(j.dx, j.dy, s.tiles, RECT{j.sx, j.sy, j.sx + 16, j.sy + 16}, 17);
}

void DrawBullets(const Scene& s) {
    for (const auto& j : s.bulletJobs) PutSpriteAdd(j.x, j.y, s.bullets, j.r, 0, 31);
}

// --- (a) the scenery's worst frame: 2 x 1890 keyed 16 x 16 tiles
void BM_TilesKeyed(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        DrawTiles(s);
        benchmark::ClobberMemory();
    }
    st.counters["tiles"] = static_cast<double>(s.tileJobs.size());
}
BENCHMARK(BM_TilesKeyed)->Unit(benchmark::kMicrosecond);

// The same copies through a plain per-pixel loop, for scale.
void BM_TilesKeyedScalar(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        for (const auto& j : s.tileJobs) {
            vid::Clip c;
            if (!vid::ClipSprite(j.dx, j.dy, RECT{j.sx, j.sy, j.sx + 16, j.sy + 16}, s.tiles, WorkSurface, c)) continue;
            for (int r = 0; r < c.h; r++)
                vid::KeyedRowRef(vid::Row(WorkSurface, c.dy + r) + c.dx, vid::Row(s.tiles, c.sy + r) + c.sx, c.w, 0x07E0);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TilesKeyedScalar)->Unit(benchmark::kMicrosecond);

void BM_TilesSdlKeyed(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        plat::SdlAnchorBlit(s.sdlPlain, s.tileJobs.data(), static_cast<int>(s.tileJobs.size()), 16);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TilesSdlKeyed)->Unit(benchmark::kMicrosecond);

void BM_TilesSdlKeyedRle(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        plat::SdlAnchorBlit(s.sdlRle, s.tileJobs.data(), static_cast<int>(s.tileJobs.size()), 16);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TilesSdlKeyedRle)->Unit(benchmark::kMicrosecond);

// --- (f) wide keyed sprites: a strip stage's scenery, 1.6 screens from 23 pieces
void BM_WideKeyed(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        for (const auto& j : s.wideJobs) PutSprite(j.dx, j.dy, s.wide, RECT{j.sx, j.sy, j.sx + j.w, j.sy + j.h}, 17);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WideKeyed)->Unit(benchmark::kMicrosecond);

void BM_WideKeyedSdl(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        plat::SdlAnchorBlitRects(s.sdlWide, s.wideJobs.data(), static_cast<int>(s.wideJobs.size()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WideKeyedSdl)->Unit(benchmark::kMicrosecond);

void BM_WideKeyedSdlRle(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        plat::SdlAnchorBlitRects(s.sdlWideRle, s.wideJobs.data(), static_cast<int>(s.wideJobs.size()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WideKeyedSdlRle)->Unit(benchmark::kMicrosecond);

// --- (b) full-screen blends
void BM_AlphaFullScreen(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        PutSpriteAlpha(0, 0, s.picture, RECT{0, 0, 320, 240}, 0, 16);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AlphaFullScreen)->Unit(benchmark::kMicrosecond);

void BM_AddFullScreen(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        PutSpriteAdd(0, 0, s.picture, RECT{0, 0, 320, 240}, 0, 12);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AddFullScreen)->Unit(benchmark::kMicrosecond);

// --- (c) whole-screen effects
void BM_DarkenScreen(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        st.PauseTiming();
        CopySurfaceRect(WorkSurface, s.picture, RECT{0, 0, 320, 240}, 0, 0);
        st.ResumeTiming();
        DarkenScreen(16);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DarkenScreen)->Unit(benchmark::kMicrosecond);

void BM_MosaicRect8(benchmark::State& st) {
    TheScene();
    for (auto _ : st) {
        MosaicRect(RECT{0, 0, 320, 240}, 8);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MosaicRect8)->Unit(benchmark::kMicrosecond);

void BM_ZoomScreen(benchmark::State& st) {
    TheScene();
    for (auto _ : st) {
        ZoomScreen(160, 160, 120);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ZoomScreen)->Unit(benchmark::kMicrosecond);

void BM_WhitenScreen(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        st.PauseTiming();
        CopySurfaceRect(WorkSurface, s.picture, RECT{0, 0, 320, 240}, 0, 0);
        st.ResumeTiming();
        WhitenRect(RECT{0, 0, 320, 240}, 8);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WhitenScreen)->Unit(benchmark::kMicrosecond);

// --- (d) 1000 additive 8 x 8 bullets
void BM_AdditiveBullets(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        DrawBullets(s);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AdditiveBullets)->Unit(benchmark::kMicrosecond);

// --- (e) a synthetic worst frame: (a) + 100 keyed 32 x 32 enemies + (d) + darken
void BM_WorstFrame(benchmark::State& st) {
    Scene& s = TheScene();
    for (auto _ : st) {
        DrawTiles(s);
        for (const auto& j : s.enemyJobs) PutSprite(j.x, j.y, s.enemies, j.r, 17);
        DrawBullets(s);
        DarkenScreen(16);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WorstFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
