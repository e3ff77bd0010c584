// Replay files: recording a run's input words and random state, encoding and decoding the file, playing it back.
#include "shell/replay.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>

#include "enemy/enemy.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "shell/shell.h"
#include "shell/user_files.h"
#include "shot/shot.h"
#include "stage/stage_table.h"
#include "state/play_state.h"

namespace replay {
namespace {

constexpr char kMagic[8] = {'P', 'Q', 'R', 'E', 'P', 'L', 'A', 'Y'};
// Version 2's header lacks the data fingerprint.
constexpr size_t kHeaderBytes = 84;
size_t HeaderBytes(uint32_t version) { return version == 2 ? 76 : kHeaderBytes; }
constexpr size_t kRunBytes = 5, kEventBytes = 5;
// A day of play at about 65 reads a second; a longer file is not a run. A
// run has an end or a close event or two; a thousand is plenty.
constexpr uint64_t kMaxSteps = 8000000, kMaxEvents = 1000;

void Put(std::vector<uint8_t>& b, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; i++) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint64_t Get(const uint8_t* p, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; i++) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}
int32_t GetInt(const uint8_t* p) { return static_cast<int32_t>(static_cast<uint32_t>(Get(p, 4))); }

struct Recorder {
    bool on = false;
    bool inRun = false;
    std::string path;
    Replay r;
    uint32_t step = 0;
    bool finished = false;      // r holds a whole run
};
Recorder rec;

struct Player {
    bool on = false;
    Replay r;
    size_t runPos = 0;
    uint32_t runUsed = 0;
    size_t eventPos = 0;
    uint32_t step = 0;
    bool outOfStep = false;
};
Player play;

void RecordWord(int word) {
    if (!rec.inRun) return;
    uint8_t w = static_cast<uint8_t>(word & 63);
    if (!rec.r.words.empty() && rec.r.words.back().word == w)
        rec.r.words.back().count++;
    else
        rec.r.words.push_back({w, 1});
    rec.step++;
}

// Delivers the events due at the current step; outside a read only those
// that were noticed outside one.
void Deliver(bool atRead) {
    while (play.eventPos < play.r.events.size()) {
        const Event& e = play.r.events[play.eventPos];
        if (e.step > play.step || (!atRead && e.inRead && e.step == play.step)) return;
        play.eventPos++;
        if (e.kind == kEventEnd) {
            plat::PostMessage({plat::MsgType::Quit, 0});
        } else if (e.kind == kEventClose) {
            endPlayback(false);
        }
    }
}

int PlayWord() {
    Deliver(true);
    while (play.runPos < play.r.words.size() && play.runUsed >= play.r.words[play.runPos].count) {
        play.runPos++;
        play.runUsed = 0;
    }
    if (play.runPos >= play.r.words.size()) {
        play.outOfStep = true;
        endPlayback(true);
    }
    play.runUsed++;
    play.step++;
    return play.r.words[play.runPos].word;
}

}  // namespace

void (*endPlayback)(bool outOfStep) = EndPlayback;

uint32_t Checksum(const uint8_t* p, size_t n) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 16777619u;
    return h;
}

std::vector<uint8_t> Encode(const Replay& r) {
    std::vector<uint8_t> b(kMagic, kMagic + 8);
    Put(b, kVersion, 2);
    Put(b, r.endReason, 2);
    Put(b, r.seed, 4);
    for (int32_t v : {r.chno, r.lives, r.barrier, r.option, r.shotLv, r.score, r.stage, r.campaign,
                      r.optCharacter, r.optShotLv, r.optOption})
        Put(b, static_cast<uint32_t>(v), 4);
    Put(b, r.finalHash, 8);
    Put(b, r.words.size(), 4);
    Put(b, r.events.size(), 4);
    Put(b, r.dataFingerprint, 8);
    for (const WordRun& w : r.words) {
        Put(b, w.word, 1);
        Put(b, w.count, 4);
    }
    for (const Event& e : r.events) {
        Put(b, e.step, 4);
        Put(b, e.kind | (e.inRead ? 0x80 : 0), 1);
    }
    Put(b, r.layout, 4);
    Put(b, r.carried.size(), 4);
    b.insert(b.end(), r.carried.begin(), r.carried.end());
    Put(b, Checksum(b.data(), b.size()), 4);
    return b;
}

namespace {
// What a file's fixed parts say about its length, checked before anything
// else is read. Once `size` covers the carried state's length field, `need`
// is the whole file's length; before that, the length up to that field's end
// (read that much and ask again). Never more than the longest replay.
bool DeclaredLength(const uint8_t* data, size_t size, uint32_t& version, uint64_t& need, std::string& error) {
    if (size < 8 || std::memcmp(data, kMagic, 8) != 0) {
        error = "not a replay file";
        return false;
    }
    version = size < 10 ? 0 : static_cast<uint32_t>(Get(data + 8, 2));
    const size_t header = HeaderBytes(version);
    if (size < header) {
        error = "the replay is cut short";
        return false;
    }
    if (version != 2 && version != kVersion) {
        error = "replay format version " + std::to_string(version) + " is not supported (this game reads versions 2 and " +
                std::to_string(kVersion) + ")";
        return false;
    }
    const uint64_t runs = Get(data + 68, 4), events = Get(data + 72, 4);
    if (runs > kMaxSteps || events > kMaxEvents) {
        error = "the replay is damaged (longer than a day of play)";
        return false;
    }
    // After the events: the play state's layout and length, the state, the checksum.
    const uint64_t carriedLength = header + runs * kRunBytes + events * kEventBytes + 4;
    need = carriedLength + 4;
    if (size < need) return true;
    const uint64_t carried = Get(data + carriedLength, 4);
    if (carried > 2 * playstate::TotalBytes()) {
        error = "the replay is damaged (play state too long)";
        return false;
    }
    need += carried + 4;
    return true;
}
}  // namespace

bool Decode(const uint8_t* data, size_t size, Replay& out, std::string& error) {
    out = Replay{};
    uint32_t version = 0;
    uint64_t need = 0;
    if (!DeclaredLength(data, size, version, need, error)) return false;
    if (size < need) {
        error = "the replay is cut short";
        return false;
    }
    if (size > need) {
        error = "the replay has bytes after its end";
        return false;
    }
    if (Checksum(data, size - 4) != Get(data + size - 4, 4)) {
        error = "the replay is damaged (checksum mismatch)";
        return false;
    }
    const uint64_t runs = Get(data + 68, 4), events = Get(data + 72, 4);
    Replay r;
    r.endReason = static_cast<uint8_t>(Get(data + 10, 2));
    r.seed = static_cast<uint32_t>(Get(data + 12, 4));
    int32_t* fields[] = {&r.chno,     &r.lives, &r.barrier,      &r.option,    &r.shotLv,   &r.score,
                         &r.stage,    &r.campaign, &r.optCharacter, &r.optShotLv, &r.optOption};
    for (int i = 0; i < 11; i++) *fields[i] = GetInt(data + 16 + 4 * i);
    r.finalHash = Get(data + 60, 8);
    if (version >= 3) r.dataFingerprint = Get(data + 76, 8);
    auto bad = [&](const char* what) {
        error = std::string("the replay is damaged (") + what + ")";
        return false;
    };
    // Every run starts with the score at 0 (the run record is reset for it).
    if (r.chno < 0 || r.chno > 9 || r.stage < 1 || r.stage > kLastStage || r.lives < -1 || r.lives > 10 ||
        r.barrier < 0 || r.barrier > 3 || r.option < 0 || r.option > 3 || r.shotLv < 0 || r.shotLv > 2 ||
        r.score != 0 || r.campaign < kModePlain || r.campaign > kModePractice || r.endReason > kEndQuit || r.optCharacter < -1 ||
        r.optCharacter > 9 || r.optShotLv < -1 || r.optShotLv > 2 || r.optOption < -1 || r.optOption > 3)
        return bad("run-start values out of range");
    const uint8_t* p = data + HeaderBytes(version);
    uint64_t steps = 0;
    for (uint64_t i = 0; i < runs; i++, p += kRunBytes) {
        WordRun w{p[0], static_cast<uint32_t>(Get(p + 1, 4))};
        if (w.word > 63 || w.count == 0) return bad("input word out of range");
        steps += w.count;
        if (steps > kMaxSteps) return bad("longer than a day of play");
        r.words.push_back(w);
    }
    uint32_t last = 0;
    for (uint64_t i = 0; i < events; i++, p += kEventBytes) {
        Event e{static_cast<uint32_t>(Get(p, 4)), static_cast<uint8_t>(p[4] & 0x7F), (p[4] & 0x80) != 0};
        if ((e.kind != kEventEnd && e.kind != kEventClose) || e.step < last || e.step > 2 * kMaxSteps)
            return bad("event out of order");
        last = e.step;
        r.events.push_back(e);
    }
    r.layout = static_cast<uint32_t>(Get(p, 4));
    if (r.layout != playstate::LayoutId()) {
        error = "the replay was made by a version of the game that keeps its play state differently";
        return false;
    }
    r.carried.assign(p + 8, data + size - 4);
    if (!playstate::Unpack(r.carried.data(), r.carried.size(), false)) return bad("play state");
    out = std::move(r);
    return true;
}

bool ReadFile(const std::string& path, Replay& out, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<uint8_t> bytes(kHeaderBytes);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    uint32_t version = 0;
    uint64_t need = 0;
    bool ok = !std::ferror(f) && DeclaredLength(bytes.data(), got, version, need, error);
    if (ok && need > got) {  // up to the carried state's length, then ask again
        bytes.resize(need);
        got += std::fread(bytes.data() + got, 1, bytes.size() - got, f);
        ok = !std::ferror(f) && DeclaredLength(bytes.data(), got, version, need, error);
    }
    if (ok) {
        // One byte past the declared end tells a longer file from a whole one.
        bytes.resize(std::max<uint64_t>(need + 1, got));
        got += std::fread(bytes.data() + got, 1, bytes.size() - got, f);
        ok = !std::ferror(f) && Decode(bytes.data(), got, out, error);
    }
    if (std::ferror(f)) error = std::strerror(errno);
    std::fclose(f);
    return ok;
}

void StartRecorder(const std::string& path) {
    rec = Recorder{};
    rec.on = true;
    rec.path = path;
    inputTap.observe = RecordWord;
}

void StartPlayback(const Replay& r) {
    play = Player{};
    play.on = true;
    play.r = r;
    inputTap.source = PlayWord;
}

bool Playing() { return play.on; }
const Replay& PlaybackReplay() { return play.r; }
const Replay* FinishedRun() { return rec.finished && !rec.inRun ? &rec.r : nullptr; }
bool OutOfStep() { return play.outOfStep; }

void RunBegins(int optCharacter, int optShotLv, int optOption, int campaign) {
    if (!rec.on) return;
    rec.r = Replay{};
    rec.r.optCharacter = optCharacter;
    rec.r.optShotLv = optShotLv;
    rec.r.optOption = optOption;
    rec.r.campaign = campaign;
    rec.r.seed = GameRandState();
    rec.r.chno = GameState.chno;
    rec.r.lives = GameState.lives;
    rec.r.barrier = GameState.barrier;
    rec.r.option = GameState.option;
    rec.r.shotLv = GameState.shotLv;
    rec.r.score = GameState.score;
    rec.r.stage = stageNo;
    rec.r.layout = playstate::LayoutId();
    rec.r.carried = playstate::Pack();
    // The data cannot change under a running game: one hash per stage set.
    static std::map<std::pair<int, int>, uint64_t> fingerprints;
    auto known = fingerprints.try_emplace({stageNo, campaign}, 0);
    if (known.second) known.first->second = DataFingerprint(RunStages(stageNo, campaign != 0));
    rec.r.dataFingerprint = known.first->second;
    rec.step = 0;
    rec.inRun = true;
}

void RunEnds(EndReason why) {
    if (!rec.inRun) return;
    rec.inRun = false;
    if (why == kEndQuit && (rec.r.events.empty() || rec.r.events.back().kind != kEventClose))
        rec.r.events.push_back({rec.step, kEventEnd, false});
    rec.r.endReason = why;
    rec.r.finalHash = RunStateHash();
    rec.finished = true;
    if (rec.path.empty()) return;
    std::string error;
    if (!WriteFileReplacing(rec.path, Encode(rec.r), error)) {
        std::cerr << "pelloquinade: the replay was not saved: " << error << "\n";
        ShowNotice(Notice::ReplayNotSaved);
    }
}

void OnGateStep() {
    if (rec.inRun) rec.step++;
    if (play.on) play.step++;
}

void OnMessageLoop() {
    if (play.on) Deliver(false);
}

void OnClose() {
    if (!rec.inRun) return;
    rec.r.events.push_back({rec.step, kEventClose, InsideInputRead()});
    RunEnds(kEndQuit);
}

}  // namespace replay

uint64_t RunStateHash() { return playstate::Hash(); }
