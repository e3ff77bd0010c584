// Headless backend: no window and no devices. A virtual millisecond clock
// moves only when the game sleeps or finds the message queue empty, so every
// wait ends and runs are repeatable; input comes from a script; the last
// presented frame is hashed when asked for, and chosen ones are written as
// BMP files.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/backends.h"

namespace plat {
namespace {

struct DumpRange {
    uint64_t from, to, step;
};

struct Headless {
    uint32_t clock = 1000;
    uint32_t timeLimit = 0;
    bool limitHit = false;
    bool displayOpen = false;
    bool loseNext = false;
    // Script.
    bool scripted = false;
    std::vector<ScriptRun> runs;
    size_t runPos = 0;
    long runUsed = 0;
    // Joystick set by tests.
    bool joyPresent = false;
    JoyCaps joyCaps{0, 65535, 0, 65535};
    int joyX = 32767, joyY = 32767;
    unsigned joyButtons = 0;
    // Frames.
    uint64_t frames = 0;
    uint64_t lastHash = 0;
    bool hashStale = false;         // lastHash is not yet the last frame's
    std::vector<DumpRange> dumps;
    std::string dumpDir = ".";
};
Headless hl;
// Key names the scripts press ("key NAME"), each kept once for the program's life.
std::vector<std::string> scriptKeys;

bool ParseDumpList(const std::string& text, std::vector<DumpRange>& out) {
    out.clear();
    if (text.empty()) return true;
    if (text == "all") {
        out.push_back({1, UINT64_MAX, 1});
        return true;
    }
    std::stringstream ss(text);
    std::string item;
    while (std::getline(ss, item, ',')) {
        unsigned long long a = 0, b = 0, step = 1;
        int used = 0;
        if (std::sscanf(item.c_str(), "%llu-%llu:%llu%n", &a, &b, &step, &used) == 3 &&
            used == static_cast<int>(item.size())) {
        } else if (std::sscanf(item.c_str(), "%llu-%llu%n", &a, &b, &used) == 2 &&
                   used == static_cast<int>(item.size())) {
            step = 1;
        } else if (std::sscanf(item.c_str(), "%llu%n", &a, &used) == 1 && used == static_cast<int>(item.size())) {
            b = a;
            step = 1;
        } else {
            return false;
        }
        if (a == 0 || b < a || step == 0) return false;
        out.push_back({a, b, step});
    }
    return true;
}

bool WantDump(uint64_t n) {
    for (const DumpRange& r : hl.dumps)
        if (n >= r.from && n <= r.to && (n - r.from) % r.step == 0) return true;
    return false;
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A 24-bit bottom-up BMP of a 320 x 240 frame.
void WriteFrameBmp(const uint16_t* px, bool rgb565, uint64_t n) {
    const int w = 320, h = 240, row = w * 3;
    std::vector<uint8_t> b;
    b.reserve(54 + row * h);
    b.push_back('B');
    b.push_back('M');
    Put32(b, 54 + row * h);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, w);
    Put32(b, h);
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);
    Put32(b, row * h);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = h - 1; y >= 0; y--) {
        for (int x = 0; x < w; x++) {
            uint16_t p = px[y * w + x];
            int r = rgb565 ? (p >> 11) & 31 : (p >> 10) & 31;
            int g = rgb565 ? (p >> 5) & 63 : ((p >> 5) & 31) << 1 | ((p >> 9) & 1);
            int bl = p & 31;
            b.push_back(static_cast<uint8_t>(bl << 3 | bl >> 2));
            b.push_back(static_cast<uint8_t>(g << 2 | g >> 4));
            b.push_back(static_cast<uint8_t>(r << 3 | r >> 2));
        }
    }
    char name[64];
    std::snprintf(name, sizeof name, "/frame_%06llu.bmp", static_cast<unsigned long long>(n));
    std::string path = hl.dumpDir + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(b.data(), 1, b.size(), f) != b.size())
        std::fprintf(stderr, "pelloquinade: cannot write %s\n", path.c_str());
    if (f) std::fclose(f);
}

void Advance(uint32_t ms) {
    hl.clock += ms;
    if (hl.timeLimit != 0 && !hl.limitHit && hl.clock - 1000u >= hl.timeLimit) {
        hl.limitHit = true;
        std::fprintf(stderr, "pelloquinade: headless run stopped at its time limit (%u ms of virtual time)\n",
                     static_cast<unsigned>(hl.timeLimit));
        common::RequestClose();
    }
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream ss;
    ss << in.rdbuf();
    text = ss.str();
    return true;
}

bool ParseWord(const std::string& tok, int& word) {
    if (tok == "-" || tok == "none") {
        word = 0;
        return true;
    }
    if (std::isdigit(static_cast<unsigned char>(tok[0]))) {
        // Decimal, so "010" is ten; hexadecimal only with 0x.
        bool hex = tok.size() > 2 && tok[0] == '0' && tok[1] == 'x';
        char* end = nullptr;
        long v = std::strtol(tok.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
        if (*end || v < 0 || v > 63) return false;
        word = static_cast<int>(v);
        return true;
    }
    static const struct {
        const char* name;
        int bit;
    } names[] = {{"up", 1}, {"down", 2}, {"right", 4}, {"left", 8}, {"z", 16}, {"x", 32}};
    word = 0;
    std::stringstream ss(tok);
    std::string part;
    while (std::getline(ss, part, '+')) {
        bool found = false;
        for (const auto& n : names)
            if (part == n.name) {
                word |= n.bit;
                found = true;
            }
        if (!found) return false;
    }
    return true;
}

}  // namespace

bool ParseInputScript(const std::string& text, std::vector<ScriptRun>& runs, std::string& error) {
    runs.clear();
    std::stringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        lineNo++;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::stringstream ls(line);
        std::string tok, rep, extra;
        if (!(ls >> tok)) continue;
        ls >> rep >> extra;
        auto fail = [&](const char* why) {
            error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        };
        if (!extra.empty()) return fail("too many fields");
        if (tok == "key") {
            for (char& c : rep)
                if (c == '_') c = ' ';
            if (rep.empty() || (!KeyNameKnown(rep) && rep != "alt+return"))
                return fail("key takes a key name, e.g. key a, key backspace, key left_shift");
            size_t k = 0;
            while (k < scriptKeys.size() && scriptKeys[k] != rep) k++;
            if (k == scriptKeys.size()) scriptKeys.push_back(rep);
            runs.push_back({kScriptKey + static_cast<int>(k), 1});
            continue;
        }
        long count = 1;
        if (!rep.empty()) {
            char* end = nullptr;
            count = (rep[0] == 'x' && rep.size() > 1) ? std::strtol(rep.c_str() + 1, &end, 10) : -1;
            if (count < 1 || (end && *end)) return fail("repeat count must look like x12");
        }
        if (tok == "esc" || tok == "close") {
            if (!rep.empty()) return fail("esc and close take no repeat count");
            runs.push_back({tok == "esc" ? kScriptEscape : kScriptClose, 1});
            continue;
        }
        int word = 0;
        if (!ParseWord(tok, word)) return fail("expected a number 0..63 or keys like up+z");
        runs.push_back({word, count});
    }
    return true;
}

void SetScriptedInput(const std::vector<ScriptRun>& runs) {
    hl.runs = runs;
    hl.runPos = 0;
    hl.runUsed = 0;
    hl.scripted = true;
}

void SetScriptedInput(const std::vector<int>& words) {
    std::vector<ScriptRun> runs;
    for (int w : words) runs.push_back({w, 1});
    SetScriptedInput(runs);
}

void AdvanceClock(uint32_t ms) { Advance(ms); }
uint64_t PresentedFrames() { return hl.frames; }
// Hashing a frame costs more than drawing most of them, and only some hashes
// are read: each is made when asked for.
uint64_t LastFrameHash() {
    if (hl.hashStale) {
        uint64_t h = 0xcbf29ce484222325ull;
        for (uint16_t p : LastFrame()) {
            h = (h ^ (p & 0xFF)) * 0x100000001b3ull;
            h = (h ^ (p >> 8)) * 0x100000001b3ull;
        }
        hl.lastHash = h;
        hl.hashStale = false;
    }
    return hl.lastHash;
}
void TestLoseSurfaces() { hl.loseNext = true; }
void TestSetJoystick(bool present, JoyCaps caps, int x, int y, unsigned buttons) {
    hl.joyPresent = present;
    hl.joyCaps = caps;
    hl.joyX = x;
    hl.joyY = y;
    hl.joyButtons = buttons;
}

namespace headless {

bool Startup(const Options& opt) {
    hl = Headless{};
    hl.timeLimit = opt.timeLimitMs;
    hl.dumpDir = opt.dumpDir.empty() ? "." : opt.dumpDir;
    if (!ParseDumpList(opt.dumpFrames, hl.dumps)) {
        std::fprintf(stderr, "pelloquinade: --dump-frames takes a list like 1,50-60,100-400:50 or all\n");
        return false;
    }
    if (!opt.inputScript.empty()) {
        std::string text, error;
        std::vector<ScriptRun> runs;
        if (!ReadFile(opt.inputScript, text)) {
            std::fprintf(stderr, "pelloquinade: cannot read input script %s\n", opt.inputScript.c_str());
            return false;
        }
        if (!ParseInputScript(text, runs, error)) {
            std::fprintf(stderr, "pelloquinade: %s: %s\n", opt.inputScript.c_str(), error.c_str());
            return false;
        }
        SetScriptedInput(runs);
    }
    return true;
}

void Shutdown() {
    std::fprintf(stderr, "pelloquinade: headless run ended after %u ms of virtual time, %llu frames presented, "
                 "last frame hash %016llx\n",
                 static_cast<unsigned>(hl.clock - 1000u), static_cast<unsigned long long>(hl.frames),
                 static_cast<unsigned long long>(LastFrameHash()));
}

bool OpenDisplay(bool) {
    hl.displayOpen = true;
    return true;
}
void CloseDisplay() { hl.displayOpen = false; }

bool Present(const uint16_t* px, bool rgb565) {
    hl.hashStale = true;
    hl.frames++;
    if (!hl.dumps.empty() && WantDump(hl.frames)) WriteFrameBmp(px, rgb565, hl.frames);
    bool lost = hl.loseNext;
    hl.loseNext = false;
    return lost;
}

void EmptyPoll() { Advance(1); }
uint32_t Ticks() { return hl.clock; }
void Sleep(uint32_t ms) { Advance(ms); }

void BeginInputQuery() {
    if (!hl.scripted) return;       // tests drive the keys with raw events instead
    while (hl.runPos < hl.runs.size() && hl.runs[hl.runPos].word >= kScriptEscape) {
        int ev = hl.runs[hl.runPos++].word;
        if (ev >= kScriptKey) {
            size_t k = static_cast<size_t>(ev - kScriptKey);
            if (k < scriptKeys.size()) {
                TestNamedKeyEvent(scriptKeys[k], true);
                TestNamedKeyEvent(scriptKeys[k], false);
            }
        } else if (ev == kScriptEscape) {
            common::Post({MsgType::KeyEscape, 0});
        } else {
            common::RequestClose();
        }
    }
    if (hl.runPos >= hl.runs.size()) {
        common::SetHeld(0);
        return;
    }
    common::SetHeld(hl.runs[hl.runPos].word);
    if (++hl.runUsed >= hl.runs[hl.runPos].count) {
        hl.runPos++;
        hl.runUsed = 0;
    }
}

int JoyCount() { return hl.joyPresent ? 1 : 0; }
bool JoyCapsOf(JoyCaps& caps) {
    if (!hl.joyPresent) return false;
    caps = hl.joyCaps;
    return true;
}
bool JoyPosition(int& x, int& y, unsigned& buttons) {
    if (!hl.joyPresent) return false;
    x = hl.joyX;
    y = hl.joyY;
    buttons = hl.joyButtons;
    return true;
}

}  // namespace headless
}  // namespace plat
