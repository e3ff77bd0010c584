// "select.mid": the calm selection theme.
//
// F major, 92 beats a minute, about 89 seconds before it loops: a two-bar
// intro, then A A' B A'' (eight bars each) with flute, then glockenspiel and
// vibraphone on the tune, a string pad and harp arpeggios for harmony, a round
// bass and soft brushes.
#include "kit.h"

using namespace ag;

namespace {

struct Bar {
    const char* root;   // chord root, octave 3
    const std::vector<int>* quality;
};

Bytes SelectTheme() {
    Song s;
    s.title = "Choose your flyer";
    s.bpm = 92;
    const std::vector<Bar> a = {{"F3", &kMaj7}, {"D3", &kMin7}, {"Bb2", &kMaj7}, {"C3", &kSeventh},
                                {"F3", &kTriad}, {"A2", &kMin7}, {"Bb2", &kTriad}, {"C3", &kSus4}};
    const std::vector<Bar> a2 = {{"F3", &kMaj7}, {"D3", &kMin7}, {"Bb2", &kMaj7}, {"C3", &kSeventh},
                                 {"F3", &kTriad}, {"A2", &kMin7}, {"Bb2", &kTriad}, {"F3", &kTriad}};
    const std::vector<Bar> b = {{"Bb2", &kTriad}, {"C3", &kTriad}, {"A2", &kMinorTriad}, {"D3", &kMinorTriad},
                                {"G2", &kMin7},   {"C3", &kSeventh}, {"F3", &kTriad}, {"F3", &kSus4}};
    const std::vector<Bar> intro = {{"F3", &kMaj7}, {"C3", &kSus4}};
    std::vector<Bar> form;
    for (auto* part : {&intro, &a, &a2, &b, &a2}) form.insert(form.end(), part->begin(), part->end());
    s.lengthBeats = form.size() * 4.0;

    const char* tuneA =
        "A4:1 C5:1 F5:1.5 E5:0.5 D5:2 C5:1 A4:1 Bb4:1 D5:1 F5:1 D5:1 C5:3 r:1 "
        "A4:1 C5:1 F5:1 G5:1 A5:2 G5:1 E5:1 F5:1 D5:1 Bb4:1 C5:1 G4:1 A4:1 C5:2";
    const char* tuneA2 =
        "A4:1 C5:1 F5:1.5 E5:0.5 D5:2 C5:1 A4:1 Bb4:1 D5:1 F5:1 D5:1 C5:3 r:1 "
        "A4:1 C5:1 F5:1 G5:1 A5:2 G5:1 E5:1 F5:1 D5:1 Bb4:1 C5:1 A4:1 G4:1 F4:2";
    const char* answerA2 = "A4:1 C5:1 F5:1 G5:1 A5:2 G5:1 E5:1 F5:1 D5:1 Bb4:1 C5:1 A4:1 G4:1 F4:2";
    const char* tuneB =
        "D5:1.5 C5:0.5 Bb4:1 D5:1 E5:1.5 D5:0.5 C5:1 E5:1 C5:1 E5:1 A5:2 F5:1 E5:1 D5:2 "
        "Bb4:1 D5:1 G5:1.5 F5:0.5 E5:1 C5:1 G4:2 A4:1 C5:1 F5:1 E5:1 F5:3 r:1";

    Track& lead = s.AddTrack("Flute", 0, gm::Flute, 96, 60);
    Track& bell = s.AddTrack("Glockenspiel", 1, gm::Glockenspiel, 70, 80);
    Track& pad = s.AddTrack("Strings", 2, gm::SlowStrings, 72, 50);
    Track& harp = s.AddTrack("Harp", 3, gm::Harp, 80, 76);
    Track& bass = s.AddTrack("Bass", 4, gm::FingerBass, 92, 64);
    Track& drums = s.AddTrack("Brushes", 9, 0, 70, 64);
    lead.reverb = 70;
    bell.reverb = 80;
    pad.reverb = 90;

    // tune: flute on A, flute + glockenspiel an octave up on A', flute on B,
    // the last A on the glockenspiel's softer cousin (program change)
    double t = 8;
    lead.Melody(t, tuneA, 88);
    t += 32;
    lead.Melody(t, tuneA2, 92);
    bell.Melody(t + 16, answerA2, 60);   // joins for the answer half
    t += 32;
    lead.Melody(t, tuneB, 96);
    t += 32;
    bell.Program(t, gm::Vibraphone);
    bell.Control(t, 7, 96);
    bell.Melody(t, tuneA2, 84);
    lead.Melody(t + 16, "r:14 F5:2", 70);

    for (size_t i = 0; i < form.size(); ++i) {
        double at = i * 4.0;
        int root = NoteNumber(form[i].root);
        const auto& q = *form[i].quality;
        // pad: the chord held, voiced around middle C
        pad.Chord(at, 3.9, root + 12, q, 58);
        // harp: up-down arpeggio in eighths
        std::vector<int> tones;
        for (int o : {0, 12})
            for (int iv : q) tones.push_back(root + 12 + o + iv);
        static const int order[8] = {0, 1, 2, 3, 4, 3, 2, 1};
        for (int k = 0; k < 8; ++k)
            harp.Note(at + k * 0.5, 0.5, tones[size_t(order[k]) % tones.size()], k == 0 ? 78 : 62);
        // bass: root and fifth, a walk-up into the next bar
        if (i >= 2) {
            bass.Note(at, 1.8, root - 12, 92);
            bass.Note(at + 2, 1.4, root - 12 + 7, 80);
            bass.Note(at + 3.5, 0.5, root - 12 + (q[1] == 3 ? 3 : 4), 70);
        }
        // brushes from the first verse on: kick on 1, side stick on 3,
        // shaker eighths, a soft crash at each section start
        if (i >= 2) {
            drums.Pattern(at, "x.......", 0.5, gm::Kick, 72);
            drums.Pattern(at, "....x...", 0.5, gm::SideStick, 64);
            drums.Pattern(at, "oxoxoxox", 0.5, gm::Shaker, 60);
            if ((i - 2) % 8 == 0) drums.Note(at, 1, gm::Crash, 60);
        }
    }
    return SmfBytes(s);
}

}  // namespace

AG_REGISTER(RegisterSelectMusic) { AddFile("select.mid", "music", SelectTheme); }
