// The sound effects of enemies, bosses and techniques.
//
// Enemy and technique effects: "se\se-3.wav" (big-ball turret), "se\se-20.wav"
// (trap opens), "se\se-21.wav" (beam cannon charges), "se\se-22.wav" (boss
// lunge), "se\se-30.wav" (lasers), "se\se-31.wav" (mouth beam), and the
// technique sounds "se\cs-1.wav" (beam release), "se\cs-2.wav" (meteor
// release), "se\cs-3.wav" (technique start).
#include "kit.h"

using namespace ag;

namespace {

Sound Finish(Sound x, double peak, double fade) {
    Normalize(x, peak);
    FadeOut(x, fade);
    return x;
}

Bytes BigBall() {
    // a fat "bwomp": a falling square with a puff of air, then a low ring
    Sound body = Tone(Wave::Square, 0.38, 260, 90, 0.3);
    LowPass(body, 1800);
    ApplyDecay(body, 0.12, 0.004);
    Sound puff = Noise(0.2, 31);
    BandPass(puff, 900, 1.2);
    ApplyDecay(puff, 0.05);
    Sound ring = Tone(Wave::Sine, 0.38, 130, 110);
    ApplyDecay(ring, 0.15);
    Sound out;
    Mix(out, body, 0, 0.7);
    Mix(out, puff, 0, 0.5);
    Mix(out, ring, 0.02, 0.6);
    return WavBytes(Finish(out, 0.85, 0.04));
}

Bytes TrapOpens() {
    // two metal clanks and a grinding hinge rising between them
    auto clank = [](uint32_t seed, double f) {
        Sound hit = Noise(0.12, seed);
        BandPass(hit, f * 3, 4);
        ApplyDecay(hit, 0.02);
        Sound ring = Tone(Wave::Square, 0.25, f, f * 0.98, 0.2);
        Sound ring2 = Tone(Wave::Sine, 0.25, f * 2.76);
        Mix(ring, ring2, 0, 0.6);
        LowPass(ring, 3000);
        ApplyDecay(ring, 0.06);
        Sound out;
        Mix(out, hit, 0, 0.8);
        Mix(out, ring, 0, 0.4);
        return out;
    };
    Sound grind = Tone(Wave::Noise, 0.3, 180, 420, 0.5, 33);
    BandPass(grind, 1400, 2);
    ApplyCurve(grind, {{0, 0}, {0.05, 0.6}, {0.25, 0.5}, {0.3, 0}});
    Sound out;
    Mix(out, clank(34, 640), 0, 1.0);
    Mix(out, grind, 0.06, 0.7);
    Mix(out, clank(35, 480), 0.34, 1.0);
    return WavBytes(Finish(out, 0.85, 0.03));
}

Bytes BeamCharge() {
    // a whine climbing over a second, its wobble speeding up, with sparkle
    Sound whine = Tone(Wave::Saw, 1.15, 160, 1900);
    LowPassSweep(whine, 900, 6000);
    Sound whine2 = Tone(Wave::Square, 1.15, 241, 2860, 0.4);
    LowPass(whine2, 4000);
    Mix(whine, whine2, 0, 0.35);
    ApplyTremolo(whine, 9, 0.3);
    ApplyCurve(whine, {{0, 0}, {0.15, 0.35}, {0.9, 0.8}, {1.05, 1.0}, {1.15, 0}});
    Sound fizz = Tone(Wave::Noise, 1.15, 2000, 9000, 0.5, 36);
    HighPass(fizz, 3000);
    ApplyCurve(fizz, {{0, 0}, {0.8, 0.25}, {1.1, 0.4}, {1.15, 0}});
    Sound out;
    Mix(out, whine, 0, 0.8);
    Mix(out, fizz, 0, 0.6);
    return WavBytes(Finish(out, 0.8, 0.02));
}

Bytes BossLunge() {
    // a heavy whoosh falling past with a growl under it
    Sound air = Noise(0.65, 37);
    LowPassSweep(air, 5000, 300);
    ApplyCurve(air, {{0, 0}, {0.12, 1}, {0.35, 0.7}, {0.65, 0}});
    Sound growl = Tone(Wave::Saw, 0.6, 95, 55);
    LowPass(growl, 700);
    ApplyTremolo(growl, 28, 0.6);
    ApplyCurve(growl, {{0, 0}, {0.08, 1}, {0.45, 0.6}, {0.6, 0}});
    Sound out;
    Mix(out, air, 0, 0.9);
    Mix(out, growl, 0.03, 0.8);
    Distort(out, 1.4);
    return WavBytes(Finish(out, 0.85, 0.04));
}

Bytes Lasers() {
    // four quick zaps, each a pulse falling from high to low
    Sound out;
    for (int i = 0; i < 4; ++i) {
        Sound zap = Tone(Wave::Square, 0.16, 2600 - i * 150, 260, 0.25);
        Sound sub = Tone(Wave::Saw, 0.16, 1300 - i * 75, 140);
        Mix(zap, sub, 0, 0.5);
        LowPass(zap, 6000);
        ApplyDecay(zap, 0.06, 0.001);
        Mix(out, zap, i * 0.07, 1.0 - i * 0.12);
    }
    return WavBytes(Finish(out, 0.8, 0.03));
}

Bytes MouthBeam() {
    // a roar: a low buzz and rushing noise swelling, holding, dying off
    Sound buzz = Tone(Wave::Saw, 1.4, 70, 58);
    Sound buzz2 = Tone(Wave::Saw, 1.4, 105.5, 87);
    Mix(buzz, buzz2, 0, 0.7);
    LowPass(buzz, 1600);
    ApplyTremolo(buzz, 13, 0.35);
    Sound rush = Noise(1.4, 38);
    LowPassSweep(rush, 1200, 4500);
    Sound out;
    Mix(out, buzz, 0, 0.9);
    Mix(out, rush, 0, 0.6);
    Distort(out, 2.2);
    ApplyCurve(out, {{0, 0}, {0.2, 1}, {1.0, 0.9}, {1.4, 0}});
    return WavBytes(Finish(out, 0.85, 0.05));
}

Bytes TechniqueRelease() {
    // the beam lets go: a bright chord sweeping upwards over a blast
    Sound out;
    for (double f : {220.0, 277.2, 329.6, 440.0}) {
        Sound v = Tone(Wave::Saw, 1.2, f, f * 2);
        LowPassSweep(v, 1500, 7000);
        ApplyCurve(v, {{0, 0}, {0.02, 1}, {0.5, 0.6}, {1.2, 0}});
        Mix(out, v, 0, 0.3);
    }
    Sound blast = Noise(0.9, 39);
    LowPassSweep(blast, 8000, 400);
    ApplyDecay(blast, 0.22);
    Sound thump = Tone(Wave::Sine, 0.6, 120, 40);
    ApplyDecay(thump, 0.18);
    Mix(out, blast, 0, 0.7);
    Mix(out, thump, 0, 0.8);
    Distort(out, 1.3);
    return WavBytes(Finish(out, 0.9, 0.08));
}

Bytes MeteorRelease() {
    // a falling whistle and a deep impact with rumble
    Sound whistle = Tone(Wave::Sine, 0.7, 2400, 300);
    Sound edge = Tone(Wave::Noise, 0.7, 3000, 800, 0.5, 40);
    BandPass(edge, 1500, 1.5);
    Mix(whistle, edge, 0, 0.3);
    ApplyCurve(whistle, {{0, 0}, {0.1, 0.7}, {0.65, 1}, {0.7, 0}});
    Sound boom = Tone(Wave::Sine, 0.9, 90, 28);
    ApplyDecay(boom, 0.3, 0.003);
    Sound rumble = Noise(1.0, 41);
    LowPassSweep(rumble, 2500, 120);
    ApplyDecay(rumble, 0.35);
    Sound out;
    Mix(out, whistle, 0, 0.6);
    Mix(out, boom, 0.68, 1.0);
    Mix(out, rumble, 0.68, 0.8);
    Distort(out, 1.6);
    return WavBytes(Finish(out, 0.9, 0.1));
}

Bytes TechniqueStart() {
    // a magic shimmer: bell tones climbing an arpeggio over a soft swell
    Sound out;
    const double notes[] = {523.3, 659.3, 784.0, 1046.5, 1318.5, 1568.0};
    for (int i = 0; i < 6; ++i) {
        Sound bell = Tone(Wave::Sine, 0.45, notes[i]);
        Sound over = Tone(Wave::Sine, 0.45, notes[i] * 3.01);
        Mix(bell, over, 0, 0.25);
        ApplyDecay(bell, 0.14, 0.002);
        Mix(out, bell, i * 0.07, 0.6);
    }
    Sound swell = Tone(Wave::Triangle, 0.85, 261.6, 523.3);
    ApplyTremolo(swell, 7, 0.4);
    ApplyCurve(swell, {{0, 0}, {0.4, 0.5}, {0.85, 0}});
    Sound air = Noise(0.85, 42);
    HighPass(air, 5000);
    ApplyCurve(air, {{0, 0}, {0.45, 0.15}, {0.85, 0}});
    Mix(out, swell, 0, 0.5);
    Mix(out, air, 0, 1.0);
    return WavBytes(Finish(out, 0.8, 0.05));
}

}  // namespace

AG_REGISTER(RegisterEnemyAndTechniqueEffects) {
    AddFile("se/se-3.wav", "sfx", BigBall);
    AddFile("se/se-20.wav", "sfx", TrapOpens);
    AddFile("se/se-21.wav", "sfx", BeamCharge);
    AddFile("se/se-22.wav", "sfx", BossLunge);
    AddFile("se/se-30.wav", "sfx", Lasers);
    AddFile("se/se-31.wav", "sfx", MouthBeam);
    AddFile("se/cs-1.wav", "sfx", TechniqueRelease);
    AddFile("se/cs-2.wav", "sfx", MeteorRelease);
    AddFile("se/cs-3.wav", "sfx", TechniqueStart);
}
