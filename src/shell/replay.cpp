// Replay files: recording a run's input words and random state, encoding and decoding the file, playing it back.
#include "shell/replay.h"

#include <cstdio>
#include <cstring>
#include <iostream>

#include "enemy/enemy.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "shell/shell.h"
#include "shell/user_files.h"
#include "shot/shot.h"
#include "state/play_state.h"

namespace replay {
namespace {

constexpr char kMagic[8] = {'P', 'Q', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr size_t kHeaderBytes = 76;
constexpr size_t kRunBytes = 5, kEventBytes = 5;
// A day of play at about 65 reads a second; a longer file is not a run.
constexpr uint64_t kMaxSteps = 8000000;

uint32_t Fnv32(const uint8_t* p, size_t n) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 16777619u;
    return h;
}

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
            EndPlayback(false);
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
        EndPlayback(true);
    }
    play.runUsed++;
    play.step++;
    return play.r.words[play.runPos].word;
}

}  // namespace

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
    Put(b, Fnv32(b.data(), b.size()), 4);
    return b;
}

bool Decode(const uint8_t* data, size_t size, Replay& out, std::string& error) {
    out = Replay{};
    if (size < 8 || std::memcmp(data, kMagic, 8) != 0) {
        error = "not a replay file";
        return false;
    }
    if (size < kHeaderBytes + 4) {
        error = "the replay is cut short";
        return false;
    }
    uint32_t version = static_cast<uint32_t>(Get(data + 8, 2));
    if (version != kVersion) {
        error = "replay format version " + std::to_string(version) + " is not supported (this game reads version " +
                std::to_string(kVersion) + ")";
        return false;
    }
    uint64_t runs = Get(data + 68, 4), events = Get(data + 72, 4);
    uint64_t need = kHeaderBytes + runs * kRunBytes + events * kEventBytes + 8 + 4;
    if (size < need) {
        error = "the replay is cut short";
        return false;
    }
    const uint64_t carriedAt = need - 4;
    need += Get(data + carriedAt - 4, 4);
    if (size < need) {
        error = "the replay is cut short";
        return false;
    }
    if (size > need) {
        error = "the replay has bytes after its end";
        return false;
    }
    if (Fnv32(data, size - 4) != Get(data + size - 4, 4)) {
        error = "the replay is damaged (checksum mismatch)";
        return false;
    }
    Replay r;
    r.endReason = static_cast<uint8_t>(Get(data + 10, 2));
    r.seed = static_cast<uint32_t>(Get(data + 12, 4));
    int32_t* fields[] = {&r.chno,     &r.lives, &r.barrier,      &r.option,    &r.shotLv,   &r.score,
                         &r.stage,    &r.campaign, &r.optCharacter, &r.optShotLv, &r.optOption};
    for (int i = 0; i < 11; i++) *fields[i] = GetInt(data + 16 + 4 * i);
    r.finalHash = Get(data + 60, 8);
    auto bad = [&](const char* what) {
        error = std::string("the replay is damaged (") + what + ")";
        return false;
    };
    if (r.chno < 0 || r.chno > 9 || r.stage < 1 || r.stage > 6 || r.lives < -1 || r.lives > 10 || r.barrier < 0 ||
        r.barrier > 3 || r.option < 0 || r.option > 3 || r.shotLv < 0 || r.shotLv > 2 || r.score < 0 ||
        (r.campaign != 0 && r.campaign != 1) || r.endReason > kEndQuit || r.optCharacter < -1 ||
        r.optCharacter > 9 || r.optShotLv < -1 || r.optShotLv > 2 || r.optOption < -1 || r.optOption > 3)
        return bad("run-start values out of range");
    const uint8_t* p = data + kHeaderBytes;
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
    r.carried.assign(data + carriedAt, data + size - 4);
    if (!playstate::Unpack(r.carried.data(), r.carried.size(), false)) return bad("play state");
    out = std::move(r);
    return true;
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
    if (rec.path.empty()) return;
    std::string error;
    if (!WriteFileReplacing(rec.path, Encode(rec.r), error))
        std::cerr << "pelloquinade: the replay was not saved: " << error << "\n";
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
