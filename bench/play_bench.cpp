// Play as it is drawn: the heaviest frame of each stage (the most pixels
// drawn), taken from the campaign flight (campaign_flight.h) as the list of
// its drawing calls on copies of the generated sheets it drew from, drawn
// again; and the worst play frame of all with a voice starting and the frame
// presented, as play has it. The drawing calls are caught by wrapping them
// when this program is linked (ld --wrap), so the game's own code draws
// unchanged.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

#include "campaign_flight.h"

namespace {

enum class Op { Sprite, Alpha, Add, Silhouette, Wave, Box, Darken, Whiten, Mosaic, Zoom, Copy, Fill };

struct Call {
    Op op;
    Surface* a = nullptr;  // the source (Copy: the destination)
    Surface* b = nullptr;  // Copy: the source
    RECT r{};
    int v[8] = {};
};

struct Frame {
    std::vector<Call> calls;
    std::vector<std::unique_ptr<Surface>> sheets;  // copies of the surfaces drawn from
    long pixels = -1;                              // pixels the calls cover (before clipping)
    long n = -1;                                   // play frame of its stage
};

bool recording = false;
Frame current;
Frame heaviest[kLastStage + 1];

long Pixels(const Call& c) {
    const long area = static_cast<long>(c.r.right - c.r.left) * (c.r.bottom - c.r.top);
    switch (c.op) {
        case Op::Box: return static_cast<long>(c.v[2] - c.v[0]) * (c.v[3] - c.v[1]);
        case Op::Darken: case Op::Zoom: case Op::Fill: return 320 * 240;
        default: return area;
    }
}

// Keeps the real call while a frame is being recorded.
template <class Fn>
void Catch(const Call& c, Fn real) {
    if (recording) {
        current.calls.push_back(c);
        current.pixels += Pixels(c);
    }
    real();
}

// Keeps the frame just recorded when it covered the most pixels so far in
// its stage, with copies of the surfaces it drew from (the work surface
// stays itself). Pixels rather than time, so every run picks the same frame.
void Keep(int stage, long n) {
    Frame& h = heaviest[stage];
    if (current.pixels <= h.pixels) return;
    h = Frame{};
    h.pixels = current.pixels;
    h.n = n;
    h.calls = current.calls;
    std::map<Surface*, Surface*> copies;
    for (Call& c : h.calls)
        for (Surface** s : {&c.a, &c.b}) {
            if (!*s || *s == WorkSurface) continue;
            auto it = copies.find(*s);
            if (it == copies.end()) {
                h.sheets.push_back(std::make_unique<Surface>(**s));
                it = copies.emplace(*s, h.sheets.back().get()).first;
            }
            *s = it->second;
        }
}

void RecordedPass() {
    current = Frame{};
    current.pixels = 0;
    recording = true;
    GameFrame();
    recording = false;
}

void Counted(int stage, long n, bool) {
    if (stage >= 1 && stage <= kLastStage) Keep(stage, n);
}

bool Flown() {
    static const bool ok = [] {
        flight::Hooks h;
        h.pass = RecordedPass;
        h.frame = Counted;
        return flight::Fly(PELLO_BENCH_DATA_DIR, h);
    }();
    return ok;
}

void Draw(const Frame& f) {
    for (const Call& c : f.calls) {
        const int* v = c.v;
        switch (c.op) {
            case Op::Sprite: PutSprite(v[0], v[1], c.a, c.r, v[2]); break;
            case Op::Alpha: PutSpriteAlpha(v[0], v[1], c.a, c.r, v[2], v[3]); break;
            case Op::Add: PutSpriteAdd(v[0], v[1], c.a, c.r, v[2], v[3]); break;
            case Op::Silhouette: PutSilhouette(v[0], v[1], c.a, c.r, static_cast<uint16_t>(v[2])); break;
            case Op::Wave: PutSpriteWave(v[0], v[1], v[2], v[3], v[4], c.a, c.r, v[5]); break;
            case Op::Box: PutBox(c.a, v[0], v[1], v[2], v[3], v[4], v[5], v[6]); break;
            case Op::Darken: DarkenScreen(v[0]); break;
            case Op::Whiten: WhitenRect(c.r, v[0]); break;
            case Op::Mosaic: MosaicRect(c.r, v[0]); break;
            case Op::Zoom: ZoomScreen(v[0], v[1], v[2]); break;
            case Op::Copy: CopySurfaceRect(c.a, c.b, c.r, v[0], v[1]); break;
            case Op::Fill: FillScreen(static_cast<uint16_t>(v[0])); break;
        }
    }
}

// --- the heaviest frame of each stage, drawn from its own sheets
void BM_StageFrame(benchmark::State& st) {
    const int stage = static_cast<int>(st.range(0));
    if (!Flown() || heaviest[stage].n < 0) {
        st.SkipWithError("no generated data for this stage");
        return;
    }
    const Frame& f = heaviest[stage];
    for (auto _ : st) {
        Draw(f);
        benchmark::ClobberMemory();
    }
    st.counters["calls"] = static_cast<double>(f.calls.size());
    st.counters["frame"] = static_cast<double>(f.n);
    st.counters["screens"] = static_cast<double>(f.pixels) / (320 * 240);
}
BENCHMARK(BM_StageFrame)->DenseRange(1, kLastStage)->Unit(benchmark::kMicrosecond);

// --- the worst play frame: the heaviest frame of all, with the longest
// voice (stage 4's boss) starting and the frame presented
void BM_WorstPlayFrameWithVoice(benchmark::State& st) {
    if (!Flown()) {
        st.SkipWithError("no generated data");
        return;
    }
    const Frame* worst = &heaviest[1];
    for (const Frame& f : heaviest)
        if (f.pixels > worst->pixels) worst = &f;
    for (auto _ : st) {
        Draw(*worst);
        PlayWave(0, "wav\\demo_s4b.wav", 0);
        FlipScreen(false);
        benchmark::ClobberMemory();
    }
    st.counters["calls"] = static_cast<double>(worst->calls.size());
}
BENCHMARK(BM_WorstPlayFrameWithVoice)->Unit(benchmark::kMicrosecond);

}  // namespace

// The wrapped drawing calls (the names are the calls' linker names).
#define WRAP(name) extern "C" void __real_##name
WRAP(_Z9PutSpriteiiP7Surface4RECTi)(int, int, Surface*, RECT, int);
WRAP(_Z14PutSpriteAlphaiiP7Surface4RECTii)(int, int, Surface*, RECT, int, int);
WRAP(_Z12PutSpriteAddiiP7Surface4RECTii)(int, int, Surface*, RECT, int, int);
WRAP(_Z13PutSilhouetteiiP7Surface4RECTt)(int, int, Surface*, RECT, uint16_t);
WRAP(_Z13PutSpriteWaveiiiiiP7Surface4RECTi)(int, int, int, int, int, Surface*, RECT, int);
WRAP(_Z6PutBoxP7Surfaceiiiiiii)(Surface*, int, int, int, int, int, int, int);
WRAP(_Z12DarkenScreeni)(int);
WRAP(_Z10WhitenRect4RECTi)(RECT, int);
WRAP(_Z10MosaicRect4RECTi)(RECT, int);
WRAP(_Z10ZoomScreeniii)(int, int, int);
WRAP(_Z15CopySurfaceRectP7SurfaceS0_4RECTii)(Surface*, Surface*, RECT, int, int);
WRAP(_Z10FillScreent)(uint16_t);
#undef WRAP

extern "C" {
void __wrap__Z9PutSpriteiiP7Surface4RECTi(int x, int y, Surface* s, RECT r, int f) {
    Catch({Op::Sprite, s, nullptr, r, {x, y, f}}, [&] { __real__Z9PutSpriteiiP7Surface4RECTi(x, y, s, r, f); });
}
void __wrap__Z14PutSpriteAlphaiiP7Surface4RECTii(int x, int y, Surface* s, RECT r, int f, int l) {
    Catch({Op::Alpha, s, nullptr, r, {x, y, f, l}},
          [&] { __real__Z14PutSpriteAlphaiiP7Surface4RECTii(x, y, s, r, f, l); });
}
void __wrap__Z12PutSpriteAddiiP7Surface4RECTii(int x, int y, Surface* s, RECT r, int f, int l) {
    Catch({Op::Add, s, nullptr, r, {x, y, f, l}}, [&] { __real__Z12PutSpriteAddiiP7Surface4RECTii(x, y, s, r, f, l); });
}
void __wrap__Z13PutSilhouetteiiP7Surface4RECTt(int x, int y, Surface* s, RECT r, uint16_t p) {
    Catch({Op::Silhouette, s, nullptr, r, {x, y, p}}, [&] { __real__Z13PutSilhouetteiiP7Surface4RECTt(x, y, s, r, p); });
}
void __wrap__Z13PutSpriteWaveiiiiiP7Surface4RECTi(int x, int y, int a, int f, int p, Surface* s, RECT r, int fl) {
    Catch({Op::Wave, s, nullptr, r, {x, y, a, f, p, fl}},
          [&] { __real__Z13PutSpriteWaveiiiiiP7Surface4RECTi(x, y, a, f, p, s, r, fl); });
}
void __wrap__Z6PutBoxP7Surfaceiiiiiii(Surface* s, int l, int t, int r, int b, int bl, int g, int rd) {
    Catch({Op::Box, s, nullptr, RECT{}, {l, t, r, b, bl, g, rd}},
          [&] { __real__Z6PutBoxP7Surfaceiiiiiii(s, l, t, r, b, bl, g, rd); });
}
void __wrap__Z12DarkenScreeni(int l) {
    Catch({Op::Darken, nullptr, nullptr, RECT{}, {l}}, [&] { __real__Z12DarkenScreeni(l); });
}
void __wrap__Z10WhitenRect4RECTi(RECT r, int l) {
    Catch({Op::Whiten, nullptr, nullptr, r, {l}}, [&] { __real__Z10WhitenRect4RECTi(r, l); });
}
void __wrap__Z10MosaicRect4RECTi(RECT r, int size) {
    Catch({Op::Mosaic, nullptr, nullptr, r, {size}}, [&] { __real__Z10MosaicRect4RECTi(r, size); });
}
void __wrap__Z10ZoomScreeniii(int w, int cx, int cy) {
    Catch({Op::Zoom, nullptr, nullptr, RECT{}, {w, cx, cy}}, [&] { __real__Z10ZoomScreeniii(w, cx, cy); });
}
void __wrap__Z15CopySurfaceRectP7SurfaceS0_4RECTii(Surface* d, Surface* s, RECT r, int x, int y) {
    Catch({Op::Copy, d, s, r, {x, y}}, [&] { __real__Z15CopySurfaceRectP7SurfaceS0_4RECTii(d, s, r, x, y); });
}
void __wrap__Z10FillScreent(uint16_t p) {
    Catch({Op::Fill, nullptr, nullptr, RECT{}, {p}}, [&] { __real__Z10FillScreent(p); });
}
}
