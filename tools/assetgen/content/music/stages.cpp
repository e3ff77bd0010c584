// The stage themes "stg1.mid" .. "stg6.mid" and the boss theme "boss1.mid".
//
// Each piece is written by one small composer from its own key, mode, tempo,
// chord plan, form, instruments and grooves: sections of eight bars whose tune
// is a two-bar motif stated, answered, restated and closed, over a bass line,
// a harmony part and drums with a fill at the end of every section.
#include <algorithm>
#include <cmath>
#include <map>

#include "kit.h"

using namespace ag;

namespace {

enum class Harm { Pad, Arp, Stabs, Power };
enum class Bass { Eighths, RootFifth, Octaves, Gallop };
enum class Drums { Rock, Four, Shuffle, HalfTime, Blast, Reel, Drip };

struct Piece {
    const char* file;
    const char* title;
    double bpm;
    int tonic;                          // MIDI note of the key's root around octave 4 of the tune
    const std::vector<int>* scale;
    uint32_t seed;
    std::map<char, std::vector<int>> sections;  // per letter: chord scale degrees, one per bar ('I' = intro)
    const char* form;                   // letters in order; the piece loops back to its start
    int lead, harmony, bass;            // General MIDI programs
    int doubling;                       // doubles the tune an octave down on the last statements (-1: none)
    Harm harm;
    Bass bassStyle;
    Drums drums;
    double busy;                        // 0..1: how many short notes the tune uses
};

// One bar rhythms of the tune (beats), plain to busy.
const std::vector<std::vector<double>> kCells = {
    {2, 2},           {1, 1, 2},          {2, 1, 1},        {1, 1, 1, 1},     {1.5, 0.5, 2},
    {1.5, 0.5, 1, 1}, {1, 0.5, 0.5, 2},   {0.5, 0.5, 1, 2}, {1.5, 1.5, 1},    {0.5, 0.5, 1, 1, 1},
    {1, 0.5, 0.5, 1, 1}, {0.5, 0.5, 0.5, 0.5, 1, 1}, {0.75, 0.75, 0.5, 1, 1}, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 1}};

struct MotifNote {
    double beats;
    int step;  // scale degrees from the previous note
};
using Motif = std::vector<MotifNote>;

std::vector<double> PickCell(Rng& r, double busy) {
    int n = int(kCells.size());
    int hi = std::clamp(int(std::lround(3 + busy * (n - 3))), 3, n);
    return kCells[size_t(r.Range(hi))];
}

int PickStep(Rng& r) {
    static const int steps[] = {-2, -1, -1, -1, 1, 1, 1, 2, 0, 2, -2, 3, -3, 4};
    return steps[r.Range(int(std::size(steps)))];
}

Motif MakeBar(Rng& r, double busy) {
    Motif m;
    for (double b : PickCell(r, busy)) m.push_back({b, PickStep(r)});
    return m;
}

bool IsChordTone(int deg, int chord) { return ((deg - chord) % 7 + 7) % 7 % 2 == 0 && ((deg - chord) % 7 + 7) % 7 != 6; }

int NearestChordTone(int deg, int chord, int bias) {
    for (int d = 0; d <= 3; ++d) {
        int first = bias >= 0 ? deg + d : deg - d, second = bias >= 0 ? deg - d : deg + d;
        if (IsChordTone(first, chord)) return first;
        if (IsChordTone(second, chord)) return second;
    }
    return deg;
}

int PitchClassIn(int pitch, int low) { return low + ((pitch - low) % 12 + 12) % 12; }

struct Composer {
    const Piece& p;
    Song song;
    Track* lead = nullptr;
    Track* dbl = nullptr;
    Track* harm = nullptr;
    Track* bass = nullptr;
    Track* drums = nullptr;
    int deg = 2;                       // the tune's current scale degree (0 = tonic)

    explicit Composer(const Piece& piece) : p(piece) {}

    int Tune(int d) const { return Degree(p.tonic, *p.scale, d); }
    int ChordRoot(int chord) const { return Degree(p.tonic - 12, *p.scale, chord); }

    // Plays motif notes from `beat` over the bars' chords; strong beats land on chord tones.
    double Play(const Motif& m, double beat, const std::vector<int>& chords, size_t firstBar, int vel, bool doubled) {
        double at = beat;
        for (const MotifNote& n : m) {
            size_t bar = firstBar + size_t((at - beat) / 4);
            int chord = chords[std::min(bar, chords.size() - 1)];
            deg += n.step;
            if (deg > 9) deg -= 7;
            if (deg < -3) deg += 7;
            double inBar = std::fmod(at - beat, 4.0);
            if (std::fabs(inBar - std::round(inBar)) < 1e-6 && int(std::lround(inBar)) % 2 == 0)
                deg = NearestChordTone(deg, chord, n.step);
            int key = Tune(deg);
            int v = vel + (std::fabs(inBar) < 1e-6 ? 12 : 0);
            lead->Note(at, n.beats * 0.92, key, v);
            if (doubled && dbl) dbl->Note(at, n.beats * 0.92, key - 12, v - 16);
            at += n.beats;
        }
        return at;
    }

    void Melody(char letter, double beat, const std::vector<int>& chords, bool doubled, bool last) {
        Rng r(p.seed * 131 + uint32_t(letter));
        Motif a = MakeBar(r, p.busy), b = MakeBar(r, p.busy), b2 = MakeBar(r, p.busy), c = MakeBar(r, p.busy);
        int startDeg = letter == 'A' ? 4 : letter == 'B' ? 2 : 5;
        for (size_t bar = 0; bar + 1 < chords.size(); bar += 8) {
            deg = NearestChordTone(startDeg, chords[bar], 1);
            double t = beat + bar * 4.0;
            int vel = 92;
            Motif ab = a, ab2 = a, cad = c;
            ab.insert(ab.end(), b.begin(), b.end());
            ab2.insert(ab2.end(), b2.begin(), b2.end());
            Play(ab, t, chords, bar, vel, doubled);                 // statement
            Play(ab2, t + 8, chords, bar + 2, vel - 4, doubled);    // answer
            deg = NearestChordTone(startDeg + 1, chords[std::min(bar + 4, chords.size() - 1)], 1);
            Play(ab, t + 16, chords, bar + 4, vel, doubled);        // restated a step higher
            Play(cad, t + 24, chords, bar + 6, vel - 2, doubled);   // closing bar, then a long note
            int chord = chords[std::min(bar + 7, chords.size() - 1)];
            deg = NearestChordTone(last ? 0 : deg, chord, -1);
            lead->Note(t + 28, 3.5, Tune(deg), vel);
            if (doubled && dbl) dbl->Note(t + 28, 3.5, Tune(deg) - 12, vel - 16);
        }
    }

    std::vector<int> ChordTones(int chord, int low) const {
        std::vector<int> t;
        for (int k : {0, 2, 4}) t.push_back(PitchClassIn(Degree(p.tonic, *p.scale, chord + k), low));
        std::sort(t.begin(), t.end());
        return t;
    }

    void HarmonyBar(double at, int chord, bool light) {
        int vel = light ? 56 : 66;
        switch (p.harm) {
            case Harm::Pad:
                for (int k : ChordTones(chord, 55)) harm->Note(at, 3.95, k, vel);
                break;
            case Harm::Arp: {
                std::vector<int> t = ChordTones(chord, 60);
                t.push_back(t[0] + 12);
                static const int order[8] = {0, 1, 2, 3, 2, 1, 0, 1};
                for (int i = 0; i < 8; ++i) harm->Note(at + i * 0.5, 0.45, t[size_t(order[i])], vel - (i % 2) * 8);
                break;
            }
            case Harm::Stabs:
                for (int i = 0; i < 4; ++i)
                    for (int k : ChordTones(chord, 57)) harm->Note(at + i + 0.5, 0.3, k, vel);
                break;
            case Harm::Power: {
                int root = PitchClassIn(ChordRoot(chord), 40);
                for (int i = 0; i < 8; ++i) {
                    int v = vel + (i % 2 == 0 ? 6 : -6);
                    for (int k : {0, 7, 12}) harm->Note(at + i * 0.5, 0.42, root + k, v);
                }
                break;
            }
        }
    }

    void BassBar(double at, int chord, int next) {
        int root = PitchClassIn(ChordRoot(chord), 33);   // A1..G#2
        int fifth = root + 7;
        switch (p.bassStyle) {
            case Bass::Eighths:
                for (int i = 0; i < 8; ++i) bass->Note(at + i * 0.5, 0.45, i == 7 ? root + 12 : root, i % 2 ? 84 : 98);
                break;
            case Bass::RootFifth:
                bass->Note(at, 1.8, root, 98);
                bass->Note(at + 2, 1.3, fifth, 86);
                bass->Note(at + 3.5, 0.45, PitchClassIn(ChordRoot(next), 33) - 1, 76);  // leads into the next root
                break;
            case Bass::Octaves:
                for (int i = 0; i < 8; ++i) bass->Note(at + i * 0.5, 0.4, root + (i % 2) * 12, i % 2 ? 88 : 100);
                break;
            case Bass::Gallop:
                for (int i = 0; i < 4; ++i) {
                    bass->Note(at + i, 0.45, root, 100);
                    bass->Note(at + i + 0.5, 0.22, root, 84);
                    bass->Note(at + i + 0.75, 0.22, i == 3 ? fifth : root, 84);
                }
                break;
        }
    }

    void DrumBar(double at, bool intro, bool fill, bool crash) {
        Track& d = *drums;
        if (crash) d.Note(at, 1, gm::Crash, 100);
        const char* kick = "x.......x.......";
        const char* snare = "....x.......x...";
        const char* hat = "x.x.x.x.x.x.x.x.";
        int hatKey = gm::ClosedHat;
        switch (p.drums) {
            case Drums::Rock: kick = "x.....x.x......."; break;
            case Drums::Four:
                kick = "x...x...x...x...";
                hat = "..x...x...x...x.";
                hatKey = gm::OpenHat;
                break;
            case Drums::Shuffle:
                kick = "x.....x.x.....x.";
                hat = "x.ox.ox.x.ox.ox.";
                hatKey = gm::Ride;
                break;
            case Drums::HalfTime:
                kick = "x.......x.x.....";
                snare = "........x.......";
                hat = "x.o.x.o.x.o.x.o.";
                break;
            case Drums::Reel:   // stage 3: a running reel, the kick skipping ahead of the beat
                kick = "x..x..x.x..x..x.";
                snare = "....x.......x..x";
                hat = "xxx.xxx.xxx.xxx.";
                break;
            case Drums::Drip:  // water dripping in a cave: side stick, shaker, a lone high tom
                kick = "x.........x.....";
                snare = "......x.......x.";
                hat = "..x..x.x..x..x.x";
                hatKey = gm::Shaker;
                break;
            case Drums::Blast:
                kick = "x.xxx.xxx.xxx.xx";
                snare = "....X.......X...";
                hat = "x.x.x.x.x.x.x.x.";
                hatKey = gm::RideBell;
                break;
        }
        if (intro) {
            d.Pattern(at, "x.......x.......", 0.25, gm::Kick, 90);
            d.Pattern(at, "x.x.x.x.x.x.x.x.", 0.25, gm::ClosedHat, 56);
            return;
        }
        d.Pattern(at, hat, 0.25, hatKey, 66);
        if (fill) {
            // the last beat rolls down the toms into the next section
            std::string k(kick), s(snare);
            for (size_t i = 12; i < 16; ++i) k[i] = s[i] = '.';
            d.Pattern(at, k, 0.25, gm::Kick, 100);
            d.Pattern(at, s, 0.25, gm::Snare, 100);
            const int toms[4] = {gm::HighTom, gm::MidTom, gm::LowTom, gm::LowTom2};
            for (int i = 0; i < 4; ++i) d.Note(at + 3 + i * 0.25, 0.25, toms[i], 96 + i * 6);
            return;
        }
        d.Pattern(at, kick, 0.25, gm::Kick, 100);
        d.Pattern(at, snare, 0.25, p.drums == Drums::Drip ? gm::SideStick : gm::Snare, 98);
        if (p.drums == Drums::Drip) d.Pattern(at, "...........x....", 0.25, gm::HighTom2, 70);
        if (p.drums == Drums::Four) d.Pattern(at, "....x.......x...", 0.25, gm::Clap, 70);
        if (p.drums == Drums::Reel) d.Pattern(at, "..x...x...x...x.", 0.25, gm::Tambourine, 62);
    }

    Bytes Write() {
        song.title = p.title;
        song.bpm = p.bpm;
        song.AddTrack("Lead", 0, p.lead, 104, 70);
        song.AddTrack("Harmony", 1, p.harmony, p.harm == Harm::Power ? 70 : 82, 44);
        song.AddTrack("Bass", 2, p.bass, 100, 64);
        song.AddTrack("Drums", 9, 0, 96, 64);
        if (p.doubling >= 0) song.AddTrack("Double", 3, p.doubling, 80, 86);
        lead = &song.tracks[0];
        harm = &song.tracks[1];
        bass = &song.tracks[2];
        drums = &song.tracks[3];
        if (p.doubling >= 0) dbl = &song.tracks[4];
        lead->reverb = 60;
        harm->reverb = 70;

        std::map<char, int> seen;
        int statements = 0;
        for (const char* f = p.form; *f; ++f) statements += *f != 'I';
        double at = 0;
        int stated = 0;
        for (const char* f = p.form; *f; ++f) {
            const std::vector<int>& chords = p.sections.at(*f);
            bool intro = *f == 'I';
            if (!intro) {
                ++stated;
                Melody(*f, at, chords, stated > statements - 2, stated == statements);
            }
            for (size_t bar = 0; bar < chords.size(); ++bar) {
                double t = at + bar * 4.0;
                int next = chords[(bar + 1) % chords.size()];
                HarmonyBar(t, chords[bar], intro);
                if (!intro || bar >= chords.size() / 2) BassBar(t, chords[bar], next);
                DrumBar(t, intro && bar + 1 < chords.size(), bar + 1 == chords.size(), bar == 0 && !intro);
            }
            at += chords.size() * 4.0;
            seen[*f]++;
        }
        song.lengthBeats = at;
        double seconds = at * 60 / p.bpm;
        if (seconds < 60 || seconds > 120) Fail(Format("%s: %.1f s before the loop, not 60-120", p.file, seconds));
        return SmfBytes(song);
    }
};

const std::vector<Piece>& Pieces() {
    static const std::vector<Piece> pieces = {
        {"stg1.mid", "Morning sortie", 150, NoteNumber("D5"), &kMajor, 11,
         {{'I', {0, 0, 3, 4}},
          {'A', {0, 4, 5, 3, 0, 4, 3, 4}},
          {'B', {5, 3, 0, 4, 5, 3, 1, 4}},
          {'C', {3, 4, 2, 5, 3, 4, 4, 4}}},
         "IAABACBA", gm::SquareLead, gm::CleanGuitar, gm::PickBass, gm::Trumpet, Harm::Stabs, Bass::Eighths,
         Drums::Rock, 0.55},
        {"stg2.mid", "Lanterns on the quay", 108, NoteNumber("A4"), &kDorian, 222,
         {{'I', {0, 0, 3, 3}},
          {'A', {0, 3, 0, 4, 5, 3, 6, 4}},
          {'B', {3, 6, 2, 5, 3, 6, 4, 4}},
          {'C', {5, 4, 3, 4, 5, 6, 4, 4}}},
         "IABCBA", gm::Accordion, gm::NylonGuitar, gm::AcousticBass, gm::Fiddle, Harm::Arp, Bass::RootFifth,
         Drums::Shuffle, 0.5},
        {"stg3.mid", "Russet canopy", 164, NoteNumber("D5"), &kMinor, 33,
         {{'I', {0, 0, 5, 6}},
          {'A', {0, 5, 6, 4, 0, 5, 3, 4}},
          {'B', {3, 6, 2, 5, 3, 6, 4, 4}},
          {'C', {5, 6, 0, 0, 5, 6, 4, 4}}},
         "IAABACAB", gm::Flute, gm::Harp, gm::FingerBass, gm::Violin, Harm::Arp, Bass::Octaves,
         Drums::Reel, 0.65},
        {"stg4.mid", "Crystal hollows", 108, NoteNumber("E5"), &kDorian, 44,
         {{'I', {0, 0, 6, 6}},
          {'A', {0, 6, 3, 0, 0, 6, 3, 4}},
          {'B', {5, 5, 6, 6, 3, 3, 4, 4}},
          {'C', {3, 0, 6, 5, 3, 0, 4, 4}}},
         "IABACB", gm::Ocarina, gm::HaloPad, gm::FretlessBass, gm::Glockenspiel, Harm::Pad, Bass::RootFifth,
         Drums::Drip, 0.5},
        {"stg5.mid", "Storm ceiling", 172, NoteNumber("F#5"), &kMinor, 55,
         {{'I', {0, 5, 6, 4}},
          {'A', {0, 5, 6, 4, 0, 5, 6, 6}},
          {'B', {3, 4, 5, 6, 3, 4, 6, 6}},
          {'C', {5, 6, 0, 0, 5, 6, 4, 4}}},
         "IAABCABC", gm::SawLead, gm::PolySynth, gm::SynthBass2, gm::SynthStrings, Harm::Stabs, Bass::Octaves,
         Drums::Four, 0.35},
        {"stg6.mid", "Last light", 144, NoteNumber("Bb4"), &kMixolydian, 66,
         {{'I', {0, 6, 3, 0}},
          {'A', {0, 6, 3, 0, 0, 6, 3, 4}},
          {'B', {5, 3, 6, 0, 5, 3, 4, 4}},
          {'C', {3, 3, 0, 0, 6, 6, 4, 4}}},
         "IABABCA", gm::Brass, gm::ChoirPad, gm::FingerBass, gm::FrenchHorn, Harm::Pad, Bass::Eighths,
         Drums::Rock, 0.45},
        {"boss1.mid", "Crown of teeth", 176, NoteNumber("G4"), &kHarmonicMinor, 77,
         {{'I', {0, 0, 0, 4}},
          {'A', {0, 0, 5, 4, 0, 0, 3, 4}},
          {'B', {3, 4, 0, 5, 3, 4, 4, 4}}},
         "IAABABA", gm::SynthBrass, gm::DistortionGuitar, gm::SynthBass1, gm::Strings, Harm::Power, Bass::Gallop,
         Drums::Blast, 0.4},
    };
    return pieces;
}

}  // namespace

AG_REGISTER(RegisterStageMusic) {
    for (const Piece& p : Pieces()) {
        const Piece* piece = &p;
        AddFile(p.file, "music", [piece] { return Composer(*piece).Write(); });
    }
}
