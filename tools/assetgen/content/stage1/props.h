// Stage 1's scenery props: tone sets and the shapes painted into the map layers.
//
// Stage 1's scenery props: tone sets and the shapes (clouds, islands, pines,
// spires, cabins, the castle, boughs) painted into the map layers.
#pragma once

#include <cstdint>
#include <functional>

#include "kit.h"

namespace stage1 {

using ag::C;
using ag::Canvas;
using ag::Rgb;

struct Tones {
    int shade, body, light, rim;
};

// Depth tones: far things are hazier and lighter, near things darker.
constexpr Tones kCloudFar{ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3, ag::P_AMBER0};
constexpr Tones kCloudMid{ag::P_DUSK0, ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3};
constexpr Tones kCloudNear{ag::P_DUSK0, ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3};
constexpr Tones kCloudUnder{ag::P_DUSK0, ag::P_DUSK1, ag::P_DUSK2, ag::P_DUSK3};
constexpr Tones kFront{ag::P_INK, ag::P_INK, ag::P_DUSK0, ag::P_DUSK1};
constexpr Tones kSnowFar{ag::P_DUSK1, ag::P_DUSK2, ag::P_METAL1, ag::P_METAL2};
constexpr Tones kSnowMid{ag::P_DUSK0, ag::P_METAL0, ag::P_METAL1, ag::P_METAL2};
constexpr Tones kSnowNear{ag::P_INK, ag::P_DUSK0, ag::P_METAL1, ag::P_METAL2};
constexpr Tones kRock{ag::P_INK, ag::P_DUSK0, ag::P_DUSK1, ag::P_AMBER0};


Rgb Mix(int a, int b, int level, int x, int y);
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
double Tri(double x, double p, double ph);
double Sin(double x, double p, double ph);
Rgb ShadeShape(const std::function<bool(int, int)>& solid, int x, int y, Tones t, int bottomFade);
void Puff(Canvas& cv, int cx, int cy, int r, Tones t);
Canvas CloudHeap(int w, int h, uint32_t seed, Tones t);
Canvas Streak(int w, int h, uint32_t seed);
Canvas Island(int w, int h, uint32_t seed, bool ruin, bool far);
Canvas Pine(int w, int h, Tones t, int snow, int trunk);
Canvas Spire(int w, int h, uint32_t seed);
Canvas Cabin(int w, int h, bool lamp);
Canvas Lantern(int h);
Canvas Castle(int w, int h);
Canvas FrontTuft(int w, int h, uint32_t seed, bool hanging);
Canvas Bough(int w, int h, uint32_t seed);
// Puts a prop on a layer picture at a tile position.
void Stamp(Canvas& layer, const Canvas& s, int col, int row);

}  // namespace stage1
