// Sound synthesis, effects, speech and the WAV writer.
#include "sound.h"

#ifdef AG_HAVE_ESPEAK
#include <espeak-ng/speak_lib.h>
#endif

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace ag {

namespace {
constexpr double kPi = 3.14159265358979323846;
bool g_forceStandIn = false;
}  // namespace

int Samples(double seconds) { return std::max(0, int(std::lround(seconds * kRate))); }

Sound Silence(double seconds) {
    Sound x;
    x.s.assign(size_t(Samples(seconds)), 0.0f);
    return x;
}

Sound Tone(Wave w, double seconds, double f0, double f1, double duty, uint32_t seed) {
    Sound x = Silence(seconds);
    int n = x.Size();
    if (f1 <= 0) f1 = f0;
    double phase = 0;
    Rng rng(seed);
    float held = float(rng.Signed());
    for (int i = 0; i < n; ++i) {
        double t = n > 1 ? double(i) / (n - 1) : 0;
        double f = f0 * std::pow(f1 / f0, t);
        double prev = phase;
        phase += f / kRate;
        phase -= std::floor(phase);
        double v = 0;
        switch (w) {
            case Wave::Sine: v = std::sin(2 * kPi * phase); break;
            case Wave::Square: v = phase < duty ? 0.8 : -0.8; break;
            case Wave::Saw: v = 2.0 * phase - 1.0; break;
            case Wave::Triangle: v = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; break;
            case Wave::Noise:
                if (f0 <= 0 || phase < prev) held = float(rng.Signed());
                v = held;
                break;
        }
        x.s[size_t(i)] = float(v);
    }
    return x;
}

Sound Noise(double seconds, uint32_t seed) {
    Sound x = Silence(seconds);
    Rng rng(seed);
    for (auto& v : x.s) v = float(rng.Signed());
    return x;
}

void ApplyAdsr(Sound& x, const Adsr& e) {
    int n = x.Size();
    int a = Samples(e.attack), d = Samples(e.decay), r = Samples(e.release);
    int relStart = std::max(0, n - r);
    for (int i = 0; i < n; ++i) {
        double g;
        if (i < a)
            g = double(i) / std::max(1, a);
        else if (i < a + d)
            g = 1.0 - (1.0 - e.sustain) * double(i - a) / std::max(1, d);
        else
            g = e.sustain;
        if (i >= relStart) g *= 1.0 - double(i - relStart) / std::max(1, r);
        x.s[size_t(i)] *= float(g);
    }
}

void ApplyDecay(Sound& x, double tau, double attack) {
    int a = Samples(attack);
    for (int i = 0; i < x.Size(); ++i) {
        double t = double(i) / kRate;
        double g = std::exp(-t / tau);
        if (i < a) g *= double(i) / a;
        x.s[size_t(i)] *= float(g);
    }
}

void ApplyCurve(Sound& x, const std::vector<std::pair<double, double>>& pts) {
    if (pts.empty()) return;
    size_t k = 0;
    for (int i = 0; i < x.Size(); ++i) {
        double t = double(i) / kRate;
        while (k + 1 < pts.size() && pts[k + 1].first <= t) ++k;
        double g;
        if (t <= pts[0].first)
            g = pts[0].second;
        else if (k + 1 >= pts.size())
            g = pts.back().second;
        else {
            double u = (t - pts[k].first) / std::max(1e-9, pts[k + 1].first - pts[k].first);
            g = pts[k].second + (pts[k + 1].second - pts[k].second) * u;
        }
        x.s[size_t(i)] *= float(g);
    }
}

void ApplyTremolo(Sound& x, double hz, double depth) {
    for (int i = 0; i < x.Size(); ++i)
        x.s[size_t(i)] *= float(1.0 - depth * 0.5 * (1 - std::cos(2 * kPi * hz * i / kRate)));
}

void LowPass(Sound& x, double c) { LowPassSweep(x, c, c); }

void LowPassSweep(Sound& x, double c0, double c1) {
    double y = 0;
    int n = x.Size();
    for (int i = 0; i < n; ++i) {
        double t = n > 1 ? double(i) / (n - 1) : 0;
        double c = c0 * std::pow(c1 / c0, t);
        double a = 1.0 - std::exp(-2 * kPi * c / kRate);
        y += a * (x.s[size_t(i)] - y);
        x.s[size_t(i)] = float(y);
    }
}

void HighPass(Sound& x, double c) {
    double a = std::exp(-2 * kPi * c / kRate);
    double prevIn = 0, y = 0;
    for (auto& v : x.s) {
        y = a * (y + v - prevIn);
        prevIn = v;
        v = float(y);
    }
}

void BandPass(Sound& x, double f, double q) {
    // RBJ biquad band-pass (constant peak gain)
    double w0 = 2 * kPi * f / kRate, alpha = std::sin(w0) / (2 * q);
    double b0 = alpha, b1 = 0, b2 = -alpha, a0 = 1 + alpha, a1 = -2 * std::cos(w0), a2 = 1 - alpha;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (auto& v : x.s) {
        double in = v;
        double y = (b0 * in + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0;
        x2 = x1;
        x1 = in;
        y2 = y1;
        y1 = y;
        v = float(y);
    }
}

void Distort(Sound& x, double drive) {
    for (auto& v : x.s) v = float(std::tanh(v * drive) / std::tanh(drive));
}

void Crush(Sound& x, int bits, int hold) {
    double steps = std::pow(2.0, bits - 1);
    float h = 0;
    for (int i = 0; i < x.Size(); ++i) {
        if (hold <= 1 || i % hold == 0) h = float(std::round(x.s[size_t(i)] * steps) / steps);
        x.s[size_t(i)] = h;
    }
}

void Mix(Sound& dst, const Sound& src, double at, double gain) {
    int off = Samples(at);
    if (dst.Size() < off + src.Size()) dst.s.resize(size_t(off + src.Size()), 0.0f);
    for (int i = 0; i < src.Size(); ++i) dst.s[size_t(off + i)] += float(src.s[size_t(i)] * gain);
}

void Gain(Sound& x, double g) {
    for (auto& v : x.s) v = float(v * g);
}

void Normalize(Sound& x, double peak) {
    float m = 0;
    for (float v : x.s) m = std::max(m, std::fabs(v));
    if (m > 1e-6f) Gain(x, peak / m);
}

void FadeIn(Sound& x, double seconds) {
    int n = std::min(x.Size(), Samples(seconds));
    for (int i = 0; i < n; ++i) x.s[size_t(i)] *= float(double(i) / n);
}

void FadeOut(Sound& x, double seconds) {
    int n = std::min(x.Size(), Samples(seconds));
    for (int i = 0; i < n; ++i) x.s[size_t(x.Size() - 1 - i)] *= float(double(i) / n);
}

void TrimSilence(Sound& x, double th) {
    int a = 0, b = x.Size();
    while (a < b && std::fabs(x.s[size_t(a)]) < th) ++a;
    while (b > a && std::fabs(x.s[size_t(b - 1)]) < th) --b;
    x.s = std::vector<float>(x.s.begin() + a, x.s.begin() + b);
}

Sound Concat(const std::vector<Sound>& parts) {
    Sound out;
    for (auto& p : parts) out.s.insert(out.s.end(), p.s.begin(), p.s.end());
    return out;
}

static Sound ResampleRatio(const Sound& x, double step) {
    Sound out;
    if (x.s.empty() || step <= 0) return out;
    size_t n = size_t(double(x.s.size() - 1) / step) + 1;
    out.s.resize(n);
    for (size_t i = 0; i < n; ++i) {
        double p = i * step;
        size_t k = size_t(p);
        double f = p - double(k);
        float a = x.s[k], b = k + 1 < x.s.size() ? x.s[k + 1] : a;
        out.s[i] = float(a + (b - a) * f);
    }
    return out;
}

Sound Resample(const Sound& x, int fromRate) {
    if (fromRate == kRate) return x;
    return ResampleRatio(x, double(fromRate) / kRate);
}

Sound PitchShift(const Sound& x, double ratio) { return ResampleRatio(x, ratio); }

Bytes WavBytes(const Sound& x) {
    Bytes b;
    uint32_t data = uint32_t(x.s.size()) * 2;
    PutText(b, "RIFF");
    PutLe32(b, 36 + data);
    PutText(b, "WAVE");
    PutText(b, "fmt ");
    PutLe32(b, 16);
    PutLe16(b, 1);          // PCM
    PutLe16(b, 1);          // mono
    PutLe32(b, kRate);
    PutLe32(b, kRate * 2);  // bytes per second
    PutLe16(b, 2);          // block align
    PutLe16(b, 16);
    PutText(b, "data");
    PutLe32(b, data);
    for (float v : x.s) {
        double c = std::clamp(double(v), -1.0, 1.0);
        int q = int(std::lround(c * 32767.0));
        PutLe16(b, uint32_t(uint16_t(int16_t(q))));
    }
    return b;
}

bool ReadWav(const Bytes& f, Sound& out) {
    auto le16 = [&](size_t p) { return uint32_t(f[p]) | (uint32_t(f[p + 1]) << 8); };
    auto le32 = [&](size_t p) { return le16(p) | (le16(p + 2) << 16); };
    if (f.size() < 12 || std::string(f.begin(), f.begin() + 4) != "RIFF" ||
        std::string(f.begin() + 8, f.begin() + 12) != "WAVE")
        return false;
    size_t p = 12;
    int channels = 0, rate = 0, bits = 0, tag = 0;
    while (p + 8 <= f.size()) {
        std::string id(f.begin() + long(p), f.begin() + long(p) + 4);
        uint32_t size = le32(p + 4);
        size_t body = p + 8;
        if (id == "fmt " && body + 16 <= f.size()) {
            tag = int(le16(body));
            channels = int(le16(body + 2));
            rate = int(le32(body + 4));
            bits = int(le16(body + 14));
        } else if (id == "data") {
            if (tag != 1 || channels < 1 || rate <= 0 || (bits != 8 && bits != 16)) return false;
            size_t end = std::min(f.size(), body + size);
            // espeak-ng writing to a file may leave the size field at its
            // streaming placeholder: take what is there
            if (size == 0 || size == 0xFFFFFFFFu || size == 0x7FFFFFFFu) end = f.size();
            Sound raw;
            size_t frame = size_t(channels) * size_t(bits / 8);
            for (size_t q = body; q + frame <= end; q += frame) {
                double sum = 0;
                for (int c = 0; c < channels; ++c) {
                    if (bits == 16)
                        sum += int16_t(le16(q + size_t(c) * 2)) / 32768.0;
                    else
                        sum += (int(f[q + size_t(c)]) - 128) / 128.0;
                }
                raw.s.push_back(float(sum / channels));
            }
            out = Resample(raw, rate);
            return true;
        }
        p = body + size + (size & 1);
    }
    return false;
}

void ForceSpeechStandIn(bool on) { g_forceStandIn = on; }

#ifdef AG_HAVE_ESPEAK
namespace {

// The speech library runs in this process, one line at a time. Its noise
// source draws on the C library's rand(), and so does the sound server's
// client library loaded with it when it first sets up its per-user files;
// every line therefore starts from one fixed seed, and the words come out the
// same on every run, with or without those files.
constexpr unsigned kSpeechSeed = 1;
std::mutex g_speechLock;
std::vector<short>* g_speechOut = nullptr;

int OnSpeech(short* wav, int n, espeak_EVENT*) {
    if (wav && n > 0 && g_speechOut) g_speechOut->insert(g_speechOut->end(), wav, wav + n);
    return 0;
}

void EndSpeech() { espeak_Terminate(); }

// The library's output rate, starting it on first use; 0 when it cannot
// start. The caller holds g_speechLock.
int SpeechRate() {
    static int rate = -1;
    if (rate < 0) {
        rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate > 0) {
            espeak_SetSynthCallback(OnSpeech);
            std::atexit(EndSpeech);
        } else {
            rate = 0;
        }
    }
    return rate;
}

}  // namespace

bool SpeechAvailable() {
    std::lock_guard<std::mutex> hold(g_speechLock);
    return !g_forceStandIn && SpeechRate() > 0;
}

static bool Speak(const Voice& v, const std::string& text, Sound& out) {
    std::lock_guard<std::mutex> hold(g_speechLock);
    const int rate = SpeechRate();
    if (rate <= 0 || espeak_SetVoiceByName(v.espeakVoice.c_str()) != EE_OK) return false;
    espeak_SetParameter(espeakPITCH, v.pitch, 0);
    espeak_SetParameter(espeakRATE, v.speed, 0);
    std::vector<short> pcm;
    g_speechOut = &pcm;
    std::srand(kSpeechSeed);
    espeak_ERROR e =
        espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    if (e == EE_OK) e = espeak_Synchronize();
    g_speechOut = nullptr;
    if (e != EE_OK) return false;
    Sound raw;
    raw.s.reserve(pcm.size());
    for (short q : pcm) raw.s.push_back(float(q / 32768.0));
    out = Resample(raw, rate);
    return out.Size() > kRate / 20;
}
#else
bool SpeechAvailable() { return false; }
static bool Speak(const Voice&, const std::string&, Sound&) { return false; }
#endif

// The stand-in: one voiced "syllable" per vowel group of the text, a buzz
// through two formant filters with a falling intonation.
static Sound StandIn(const Voice& v, const std::string& text) {
    static const double formants[5][2] = {{730, 1090}, {530, 1840}, {270, 2290}, {570, 840}, {300, 870}};
    Sound out;
    uint32_t seed = HashText(text);
    int syll = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = char(std::tolower(static_cast<unsigned char>(text[i])));
        const char* vowels = "aeiou";
        const char* at = std::strchr(vowels, c);
        if (!at || c == 0) {
            if (c == ' ' || c == ',' || c == '!' || c == '.') Mix(out, Silence(0.04), out.Seconds());
            continue;
        }
        while (i + 1 < text.size() && std::strchr(vowels, std::tolower(static_cast<unsigned char>(text[i + 1]))))
            ++i;
        int vi = int(at - vowels);
        double dur = 0.11 + (Hash32(seed + syll) % 5) * 0.01;
        double f0 = v.standInHz * (1.15 - 0.05 * syll);
        Sound src = Tone(Wave::Saw, dur, f0 * 1.05, f0 * 0.92);
        Sound a = src, b = src;
        BandPass(a, formants[vi][0], 5);
        BandPass(b, formants[vi][1], 7);
        Sound syl = a;
        Mix(syl, b, 0, 0.6);
        Sound cons = Noise(0.025, seed + syll);
        HighPass(cons, 2500);
        Gain(cons, 0.3);
        Sound both = cons;
        Mix(both, syl, 0.02);
        ApplyAdsr(both, Adsr{0.01, 0.03, 0.8, 0.04});
        Mix(out, both, out.Seconds());
        ++syll;
    }
    if (out.s.empty()) out = Tone(Wave::Saw, 0.2, v.standInHz);
    return out;
}

Sound Speech(const Voice& v, const std::string& text) {
    Sound x;
    if (g_forceStandIn || !Speak(v, text, x)) x = StandIn(v, text);
    TrimSilence(x, 0.004);
    if (v.pitchRatio != 1.0) x = PitchShift(x, v.pitchRatio);
    HighPass(x, 60);
    Normalize(x, 0.9);
    FadeIn(x, 0.003);
    FadeOut(x, 0.01);
    return x;
}

}  // namespace ag
