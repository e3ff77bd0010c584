// Songs written as Standard MIDI Files.
#include "music.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace ag {

const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kMixolydian = {0, 2, 4, 5, 7, 9, 10};
const std::vector<int> kHarmonicMinor = {0, 2, 3, 5, 7, 8, 11};
const std::vector<int> kPentatonic = {0, 2, 4, 7, 9};
const std::vector<int> kTriad = {0, 4, 7};
const std::vector<int> kMinorTriad = {0, 3, 7};
const std::vector<int> kSeventh = {0, 4, 7, 10};
const std::vector<int> kMaj7 = {0, 4, 7, 11};
const std::vector<int> kMin7 = {0, 3, 7, 10};
const std::vector<int> kSus4 = {0, 5, 7};
const std::vector<int> kPower = {0, 7, 12};

int NoteNumber(std::string_view n) {
    if (n.empty()) return -1;
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};   // A B C D E F G
    char l = char(std::toupper(static_cast<unsigned char>(n[0])));
    if (l < 'A' || l > 'G') return -1;
    int v = base[l - 'A'];
    size_t i = 1;
    while (i < n.size() && (n[i] == '#' || n[i] == 'b')) {
        v += n[i] == '#' ? 1 : -1;
        ++i;
    }
    if (i >= n.size()) return -1;
    bool neg = false;
    if (n[i] == '-') {
        neg = true;
        ++i;
    }
    if (i >= n.size() || !std::isdigit(static_cast<unsigned char>(n[i]))) return -1;
    int oct = 0;
    while (i < n.size() && std::isdigit(static_cast<unsigned char>(n[i]))) oct = oct * 10 + (n[i++] - '0');
    if (i != n.size()) return -1;
    if (neg) oct = -oct;
    int key = (oct + 1) * 12 + v;
    return (key < 0 || key > 127) ? -1 : key;
}

int Degree(int root, const std::vector<int>& scale, int degree) {
    int n = int(scale.size());
    int oct = degree >= 0 ? degree / n : -((-degree + n - 1) / n);
    int idx = degree - oct * n;
    return root + oct * 12 + scale[size_t(idx)];
}

int Track::Tick(double beat) const { return int(std::lround(beat * ppq)); }

void Track::Note(double beat, double beats, int key, int velocity) {
    if (key < 0 || key > 127) {
        Fail(Format("track %s: note %d out of range", name.c_str(), key));
        return;
    }
    int t = Tick(beat), len = std::max(1, Tick(beat + beats) - t);
    notes.push_back(MidiNote{t, len, key, std::clamp(velocity, 1, 127)});
}

void Track::Chord(double beat, double beats, int root, const std::vector<int>& iv, int velocity) {
    for (int i : iv) Note(beat, beats, root + i, velocity);
}

double Track::Melody(double beat, std::string_view text, int velocity, double defaultBeats) {
    size_t p = 0;
    while (p < text.size()) {
        while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
        if (p >= text.size()) break;
        size_t e = p;
        while (e < text.size() && !std::isspace(static_cast<unsigned char>(text[e]))) ++e;
        std::string_view item = text.substr(p, e - p);
        p = e;
        double beats = defaultBeats;
        size_t colon = item.find(':');
        std::string_view name = item.substr(0, colon);
        if (colon != std::string_view::npos) beats = std::atof(std::string(item.substr(colon + 1)).c_str());
        if (name != "r" && name != "R") {
            int key = NoteNumber(name);
            if (key < 0)
                Fail("track " + this->name + ": bad note '" + std::string(item) + "'");
            else
                Note(beat, beats * 0.95, key, velocity);
        }
        beat += beats;
    }
    return beat;
}

double Track::Pattern(double beat, std::string_view steps, double stepBeats, int key, int velocity,
                      double noteBeats) {
    if (noteBeats <= 0) noteBeats = stepBeats * 0.9;
    for (char c : steps) {
        if (c == 'x') Note(beat, noteBeats, key, velocity);
        if (c == 'X') Note(beat, noteBeats, key, velocity + 20);
        if (c == 'o') Note(beat, noteBeats, key, velocity - 30);
        if (c == '|' || c == ' ') continue;   // visual separators take no time
        beat += stepBeats;
    }
    return beat;
}

void Track::Control(double beat, int controller, int value) { controls.push_back(MidiCtl{Tick(beat), 0, controller, value}); }
void Track::Program(double beat, int prog) { controls.push_back(MidiCtl{Tick(beat), 1, prog, 0}); }

Track& Song::AddTrack(const std::string& name, int channel, int program, int volume, int pan) {
    Track t;
    t.name = name;
    t.channel = channel;
    t.program = program;
    t.volume = volume;
    t.pan = pan;
    t.ppq = ppq;
    tracks.push_back(t);
    return tracks.back();
}

namespace {

void PutVarLen(Bytes& b, uint32_t v) {
    uint8_t tmp[5];
    int n = 0;
    tmp[n++] = uint8_t(v & 0x7F);
    while (v >>= 7) tmp[n++] = uint8_t((v & 0x7F) | 0x80);
    while (n) b.push_back(tmp[--n]);
}

struct Ev {
    int tick;
    int order;      // at equal ticks: note-offs, then controls, then note-ons
    int seq;
    Bytes data;
};

Bytes Chunk(const Bytes& body) {
    Bytes c;
    PutText(c, "MTrk");
    PutBe32(c, uint32_t(body.size()));
    c.insert(c.end(), body.begin(), body.end());
    return c;
}

Bytes Serialize(std::vector<Ev>& evs, int endTick) {
    std::stable_sort(evs.begin(), evs.end(), [](const Ev& a, const Ev& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        if (a.order != b.order) return a.order < b.order;
        return a.seq < b.seq;
    });
    Bytes body;
    int now = 0;
    for (auto& e : evs) {
        PutVarLen(body, uint32_t(e.tick - now));
        now = e.tick;
        body.insert(body.end(), e.data.begin(), e.data.end());
    }
    PutVarLen(body, uint32_t(std::max(0, endTick - now)));
    body.push_back(0xFF);
    body.push_back(0x2F);
    body.push_back(0x00);
    return Chunk(body);
}

Bytes MetaText(int type, const std::string& s) {
    Bytes d = {0xFF, uint8_t(type)};
    PutVarLen(d, uint32_t(s.size()));
    PutText(d, s);
    return d;
}

Bytes Tempo(double bpm) {
    uint32_t us = uint32_t(std::lround(60000000.0 / bpm));
    return Bytes{0xFF, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)};
}

}  // namespace

Bytes SmfBytes(const Song& song) {
    int endTick = int(std::lround(song.lengthBeats * song.ppq));
    // the piece loops at its length: a note past it would move the loop point
    for (auto& t : song.tracks)
        for (auto& n : t.notes)
            if (song.lengthBeats > 0 && n.tick + n.length > endTick)
                Fail(Format("%s, track %s: a note at beat %.2f ends after the piece's length (%.1f beats)",
                            song.title.c_str(), t.name.c_str(), double(n.tick) / song.ppq, song.lengthBeats));
    for (auto& t : song.tracks)
        for (auto& n : t.notes) endTick = std::max(endTick, n.tick + n.length);

    Bytes out;
    PutText(out, "MThd");
    PutBe32(out, 6);
    PutBe16(out, 1);
    PutBe16(out, uint32_t(song.tracks.size() + 1));
    PutBe16(out, uint32_t(song.ppq));

    // tempo map
    {
        std::vector<Ev> evs;
        int seq = 0;
        evs.push_back(Ev{0, 0, seq++, MetaText(0x03, song.title)});
        evs.push_back(Ev{0, 0, seq++, Tempo(song.bpm)});
        evs.push_back(Ev{0, 0, seq++, Bytes{0xFF, 0x58, 0x04, uint8_t(song.beatsPerBar), 2, 24, 8}});
        for (auto& [beat, bpm] : song.tempoChanges)
            evs.push_back(Ev{int(std::lround(beat * song.ppq)), 1, seq++, Tempo(bpm)});
        auto c = Serialize(evs, endTick);
        out.insert(out.end(), c.begin(), c.end());
    }
    for (auto& t : song.tracks) {
        if (t.channel < 0 || t.channel > 15) {
            Fail("track " + t.name + ": channel out of range");
            continue;
        }
        uint8_t ch = uint8_t(t.channel);
        std::vector<Ev> evs;
        int seq = 0;
        evs.push_back(Ev{0, 0, seq++, MetaText(0x03, t.name)});
        if (t.channel != 9) evs.push_back(Ev{0, 1, seq++, Bytes{uint8_t(0xC0 | ch), uint8_t(t.program & 0x7F)}});
        evs.push_back(Ev{0, 1, seq++, Bytes{uint8_t(0xB0 | ch), 7, uint8_t(std::clamp(t.volume, 0, 127))}});
        evs.push_back(Ev{0, 1, seq++, Bytes{uint8_t(0xB0 | ch), 10, uint8_t(std::clamp(t.pan, 0, 127))}});
        evs.push_back(Ev{0, 1, seq++, Bytes{uint8_t(0xB0 | ch), 91, uint8_t(std::clamp(t.reverb, 0, 127))}});
        evs.push_back(Ev{0, 1, seq++, Bytes{uint8_t(0xB0 | ch), 93, uint8_t(std::clamp(t.chorus, 0, 127))}});
        for (auto& c : t.controls) {
            if (c.kind == 0)
                evs.push_back(Ev{c.tick, 1, seq++, Bytes{uint8_t(0xB0 | ch), uint8_t(c.a & 0x7F), uint8_t(c.b & 0x7F)}});
            else if (c.kind == 1)
                evs.push_back(Ev{c.tick, 1, seq++, Bytes{uint8_t(0xC0 | ch), uint8_t(c.a & 0x7F)}});
            else
                evs.push_back(Ev{c.tick, 1, seq++, Bytes{uint8_t(0xE0 | ch), uint8_t(c.a & 0x7F), uint8_t((c.a >> 7) & 0x7F)}});
        }
        for (auto& n : t.notes) {
            evs.push_back(Ev{n.tick, 2, seq++, Bytes{uint8_t(0x90 | ch), uint8_t(n.key), uint8_t(n.velocity)}});
            evs.push_back(Ev{n.tick + n.length, 0, seq++, Bytes{uint8_t(0x80 | ch), uint8_t(n.key), 0}});
        }
        auto c = Serialize(evs, endTick);
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

}  // namespace ag
