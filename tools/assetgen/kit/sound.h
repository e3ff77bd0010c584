// Sound kit: oscillators, noise, envelopes, filters, mixing and speech, written as WAV files.
//
// Sound kit: oscillators, noise, envelopes, pitch sweeps, filters, mixing,
// speech; written as 22050 Hz 16-bit mono PCM WAV files.
#pragma once

#include <string>
#include <vector>

#include "core.h"

namespace ag {

constexpr int kRate = 22050;

// A mono signal in [-1, 1] (values beyond are clipped when written).
struct Sound {
    std::vector<float> s;
    int Size() const { return int(s.size()); }
    double Seconds() const { return double(s.size()) / kRate; }
};

int Samples(double seconds);
Sound Silence(double seconds);

enum class Wave { Sine, Square, Saw, Triangle, Noise };

// An oscillator sweeping its frequency exponentially from f0 to f1 over the
// sound (f1 <= 0: constant f0). duty is the pulse width of Square.
// Noise ignores the frequency unless f0 > 0, where it is sample-and-hold
// noise changing f0..f1 times a second (a pitched crunch).
Sound Tone(Wave w, double seconds, double f0, double f1 = 0, double duty = 0.5, uint32_t seed = 1);
// White noise.
Sound Noise(double seconds, uint32_t seed);

// Envelopes. ADSR with sustain level; the release ends at the sound's end.
struct Adsr {
    double attack = 0.005, decay = 0.05, sustain = 0.7, release = 0.1;
};
void ApplyAdsr(Sound& x, const Adsr& e);
// Exponential decay: amplitude e^(-t / tau) after an attack ramp.
void ApplyDecay(Sound& x, double tau, double attack = 0.002);
// Multiply by a piecewise-linear curve of (seconds, gain) points.
void ApplyCurve(Sound& x, const std::vector<std::pair<double, double>>& points);
// Vibrato / tremolo helpers.
void ApplyTremolo(Sound& x, double hz, double depth);

// Filters (one-pole / biquad, deterministic). Sweeps move the cutoff
// exponentially from c0 to c1 over the sound.
void LowPass(Sound& x, double cutoffHz);
void HighPass(Sound& x, double cutoffHz);
void LowPassSweep(Sound& x, double c0, double c1);
void BandPass(Sound& x, double centreHz, double q);
void Distort(Sound& x, double drive);      // soft clip (tanh)
void Crush(Sound& x, int bits, int hold);  // bit depth and sample hold for grit

// Mixing.
void Mix(Sound& dst, const Sound& src, double atSeconds, double gain = 1.0);  // grows dst as needed
void Gain(Sound& x, double g);
void Normalize(Sound& x, double peak = 0.9);
void FadeIn(Sound& x, double seconds);
void FadeOut(Sound& x, double seconds);
void TrimSilence(Sound& x, double threshold = 0.01);
Sound Concat(const std::vector<Sound>& parts);
Sound Resample(const Sound& x, int fromRate);   // to kRate, linear
Sound PitchShift(const Sound& x, double ratio); // resampling (also changes length)

// Speech. Each character has one fixed voice setting. Built with the
// espeak-ng library, the line is spoken by it in this process (resampled and
// normalised); without it a synthesised stand-in (a pitched, formant-filtered
// babble with the line's syllable rhythm) is made, so the file always exists.
// The library keeps some state from line to line: speak lines in a fixed order.
struct Voice {
    std::string espeakVoice = "en+f3";   // espeak-ng -v
    int pitch = 50;                       // espeak-ng -p 0..99
    int speed = 160;                      // espeak-ng -s words per minute
    double standInHz = 220;               // base pitch of the stand-in
    double pitchRatio = 1.0;              // post pitch shift (1 = none), e.g. for a tiny robot
};
Sound Speech(const Voice& v, const std::string& text);
bool SpeechAvailable();      // the espeak-ng library is built in and starts
void ForceSpeechStandIn(bool on);   // tests: use the stand-in even when espeak-ng exists

// WAV: RIFF/WAVE, PCM, 22050 Hz, 16-bit, mono.
Bytes WavBytes(const Sound& x);
// Read a PCM WAV (8/16-bit, mono/stereo, any rate) into a Sound at kRate.
bool ReadWav(const Bytes& file, Sound& out);

}  // namespace ag
