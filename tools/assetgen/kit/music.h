// Music kit: notes, chords, patterns and tracks, written as Standard MIDI Files.
//
// Music kit: notes, chords, patterns and tracks, written as Standard MIDI
// Files (format 1: a tempo track, then one track per part; General MIDI
// programs; drums on channel 10).
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core.h"

namespace ag {

// General MIDI program numbers (0-based) used by the pieces; any 0..127 works.
namespace gm {
enum Program : int {
    Piano = 0, BrightPiano = 1, ElectricPiano = 4, Harpsichord = 6, Celesta = 8, Glockenspiel = 9,
    MusicBox = 10, Vibraphone = 11, Marimba = 12, Xylophone = 13, TubularBells = 14,
    Organ = 16, RockOrgan = 18, Accordion = 21, Harmonica = 22,
    NylonGuitar = 24, SteelGuitar = 25, CleanGuitar = 27, MutedGuitar = 28, OverdriveGuitar = 29,
    DistortionGuitar = 30,
    AcousticBass = 32, FingerBass = 33, PickBass = 34, FretlessBass = 35, SlapBass = 36,
    SynthBass1 = 38, SynthBass2 = 39,
    Violin = 40, Viola = 41, Cello = 42, Contrabass = 43, PizzicatoStrings = 45, Harp = 46, Timpani = 47,
    Strings = 48, SlowStrings = 49, SynthStrings = 50, Choir = 52, Voice = 53, OrchestraHit = 55,
    Trumpet = 56, Trombone = 57, Tuba = 58, FrenchHorn = 60, Brass = 61, SynthBrass = 62,
    SopranoSax = 64, AltoSax = 65, Oboe = 68, Bassoon = 70, Clarinet = 71,
    Piccolo = 72, Flute = 73, Recorder = 74, PanFlute = 75, Ocarina = 79,
    SquareLead = 80, SawLead = 81, CalliopeLead = 82, ChiffLead = 83, VoiceLead = 85, FifthsLead = 86,
    BassLead = 87, NewAgePad = 88, WarmPad = 89, PolySynth = 90, ChoirPad = 91, BowedPad = 92,
    MetalPad = 93, HaloPad = 94, SweepPad = 95, Crystal = 98, Atmosphere = 99, Brightness = 100,
    Sitar = 104, Banjo = 105, Kalimba = 108, Bagpipe = 109, Fiddle = 110,
    SteelDrums = 114, TaikoDrum = 116, SynthDrum = 118, ReverseCymbal = 119,
};
// Drum notes on channel 10.
enum Drum : int {
    Kick = 36, SideStick = 37, Snare = 38, Clap = 39, Snare2 = 40, LowTom = 41, ClosedHat = 42,
    LowTom2 = 43, PedalHat = 44, MidTom = 45, OpenHat = 46, MidTom2 = 47, HighTom = 48, Crash = 49,
    HighTom2 = 50, Ride = 51, China = 52, RideBell = 53, Tambourine = 54, Splash = 55, Cowbell = 56,
    Crash2 = 57, Shaker = 70, MuteTriangle = 80, OpenTriangle = 81
};
}  // namespace gm

// "C4" = 60, "A4" = 69, sharps '#', flats 'b': "F#3", "Bb2". -1 on error.
int NoteNumber(std::string_view name);

// Scales and chords as semitone offsets.
extern const std::vector<int> kMajor, kMinor, kDorian, kMixolydian, kHarmonicMinor, kPentatonic;
extern const std::vector<int> kTriad, kMinorTriad, kSeventh, kMaj7, kMin7, kSus4, kPower;
// Scale degree (0-based, may be negative or beyond 7) of a scale on a root.
int Degree(int root, const std::vector<int>& scale, int degree);

struct MidiNote {
    int tick, length, key, velocity;
};
struct MidiCtl {        // controller or program change at a time
    int tick, kind, a, b;  // kind 0: controller a = b; kind 1: program a; kind 2: pitch bend a (0..16383)
};

struct Track {
    std::string name;
    int channel = 0;    // 0-based; 9 is the drum channel (channel 10)
    int program = 0;
    int volume = 100, pan = 64, reverb = 40, chorus = 0;
    int ppq = 480;
    std::vector<MidiNote> notes;
    std::vector<MidiCtl> controls;

    int Tick(double beat) const;
    // A note at a beat position lasting `beats` (times are in quarter notes).
    void Note(double beat, double beats, int key, int velocity = 90);
    void Chord(double beat, double beats, int root, const std::vector<int>& intervals, int velocity = 80);
    // A melody in text: space separated items "NOTE:BEATS" with NOTE a name
    // ("C5", "F#4"), or "r" for a rest; "NOTE" alone lasts `defaultBeats`.
    // Returns the beat after the last item.
    double Melody(double beat, std::string_view text, int velocity = 90, double defaultBeats = 1.0);
    // A step pattern: each character is one step of `stepBeats`; 'x' hit at
    // velocity, 'X' accent (velocity + 20), 'o' soft (velocity - 30), '.'/'-'
    // nothing. Good for drums and ostinati. Returns the beat after it.
    double Pattern(double beat, std::string_view steps, double stepBeats, int key, int velocity = 90,
                   double noteBeats = 0);
    void Control(double beat, int controller, int value);
    void Program(double beat, int program);
};

struct Song {
    std::string title;
    double bpm = 120;
    int ppq = 480;
    int beatsPerBar = 4;
    double lengthBeats = 0;     // end of the piece: it loops from here
    std::vector<std::pair<double, double>> tempoChanges;   // (beat, bpm) after the start
    // A deque: AddTrack hands out references that must survive later additions.
    std::deque<Track> tracks;

    // Add a part; drums: channel 9 (program ignored).
    Track& AddTrack(const std::string& name, int channel, int program, int volume = 100, int pan = 64);
};

Bytes SmfBytes(const Song& song);

}  // namespace ag
