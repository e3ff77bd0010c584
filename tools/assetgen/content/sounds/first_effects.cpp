// The first sound effects: an enemy destroyed and the boss-defeat blast.
//
// The first sound effects: "se\se-2.wav", an enemy destroyed (short, punchy,
// heard often), and "se\se-1.wav", the boss-defeat blast (heavy, repeated
// every 8 frames while the boss breaks apart).
#include "kit.h"

using namespace ag;

namespace {

Bytes EnemyDown() {
    // a bright pop falling in pitch over a short crunchy noise burst
    Sound pop = Tone(Wave::Square, 0.16, 880, 140, 0.35);
    ApplyDecay(pop, 0.045);
    Sound crunch = Tone(Wave::Noise, 0.22, 6000, 900, 0.5, 7);
    LowPassSweep(crunch, 7000, 600);
    ApplyDecay(crunch, 0.06);
    Sound out;
    Mix(out, pop, 0, 0.55);
    Mix(out, crunch, 0.004, 0.7);
    Normalize(out, 0.85);
    FadeOut(out, 0.02);
    return WavBytes(out);
}

Bytes BossBlast() {
    // a deep thump, a rumbling noise body and a ringing crack on top
    Sound thump = Tone(Wave::Sine, 0.5, 110, 32);
    ApplyDecay(thump, 0.16);
    Sound body = Noise(0.9, 11);
    LowPassSweep(body, 2400, 160);
    ApplyCurve(body, {{0, 0}, {0.01, 1}, {0.2, 0.6}, {0.9, 0}});
    Sound crack = Tone(Wave::Noise, 0.25, 9000, 2000, 0.5, 12);
    HighPass(crack, 1200);
    ApplyDecay(crack, 0.05);
    Sound out;
    Mix(out, thump, 0, 0.9);
    Mix(out, body, 0, 0.8);
    Mix(out, crack, 0, 0.5);
    Distort(out, 1.8);
    Normalize(out, 0.9);
    FadeOut(out, 0.05);
    return WavBytes(out);
}

}  // namespace

AG_REGISTER(RegisterFirstEffects) {
    AddFile("se/se-2.wav", "sfx", EnemyDown);
    AddFile("se/se-1.wav", "sfx", BossBlast);
}
