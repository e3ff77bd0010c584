// The whole game's options screen: the settings a player changes in the game,
// one row each, changed with left and right (keys: press the new key), put in
// force at once and written to the settings file on leaving.
#include <algorithm>
#include <cctype>
#include <string>

#include "input/input.h"
#include "platform/platform.h"
#include "screens/picture.h"
#include "shell/options.h"
#include "shell/whole_game.h"
#include "sound/sound.h"
#include "video/text.h"
#include "video/video.h"

namespace {

using screens::Backdrop;

// What the rows change: the values in force, as the platform holds them.
struct Values {
    int music = 100, sfx = 100;
    bool fullscreen = true;
    int scale = 0;
    std::string keys[8];
    std::string pad[3];
    int deadZone = 25;
};

Values FromOptions(const plat::Options& o, int music, int sfx) {
    Values v;
    v.music = music;
    v.sfx = sfx;
    v.fullscreen = !o.windowed;
    v.scale = o.scale;
    std::copy(o.keys, o.keys + 8, v.keys);
    std::copy(o.padButtons, o.padButtons + 3, v.pad);
    v.deadZone = o.padDeadZone;
    return v;
}

Values InForce() {
    int music = 0, sfx = 0;
    plat::GetVolumes(music, sfx);
    return FromOptions(plat::GetOptions(), music, sfx);
}

Values Defaults() {
    const plat::Options o;
    return FromOptions(o, o.musicVolume, o.sfxVolume);
}

void Apply(const Values& v, const Values& before) {
    plat::SetVolumes(v.music, v.sfx);
    if (v.fullscreen != before.fullscreen || v.scale != before.scale) plat::SetDisplayMode(v.fullscreen, v.scale);
    plat::SetBindings(v.keys, v.pad, v.deadZone);
}

enum class Kind { Music, Sfx, Display, Scale, Key, Pad, DeadZone, Reset, Back };
struct Row {
    const char* label;
    Kind kind;
    int index = 0;                  // which key or pad button
};
const Row kRows[] = {
    {"MUSIC VOLUME", Kind::Music},    {"EFFECTS VOLUME", Kind::Sfx},   {"DISPLAY", Kind::Display},
    {"WINDOW SCALE", Kind::Scale},    {"KEY UP", Kind::Key, 0},        {"KEY DOWN", Kind::Key, 1},
    {"KEY RIGHT", Kind::Key, 2},      {"KEY LEFT", Kind::Key, 3},      {"KEY SHOOT", Kind::Key, 4},
    {"KEY SECOND", Kind::Key, 5},     {"PAD SHOOT", Kind::Pad, 0},     {"PAD SECOND", Kind::Pad, 1},
    {"PAD PAUSE", Kind::Pad, 2},      {"PAD DEAD ZONE", Kind::DeadZone}, {"RESET TO DEFAULTS", Kind::Reset},
    {"BACK", Kind::Back},
};
constexpr int kRowCount = static_cast<int>(sizeof kRows / sizeof kRows[0]);
const char* const kPadNames[] = {"a", "b", "x", "y", "back", "start", "leftshoulder", "rightshoulder",
                                 "leftstick", "rightstick"};
constexpr int kPadCount = static_cast<int>(sizeof kPadNames / sizeof kPadNames[0]);
constexpr uint32_t kBindWaitMs = 10000;  // a binding nobody answers is given up

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string ValueText(const Values& v, const Row& r) {
    switch (r.kind) {
        case Kind::Music: return std::to_string(v.music);
        case Kind::Sfx: return std::to_string(v.sfx);
        case Kind::Display: return v.fullscreen ? "FULL SCREEN" : "WINDOW";
        case Kind::Scale: return v.scale == 0 ? "LARGEST" : "X" + std::to_string(v.scale);
        case Kind::Key: return Upper(v.keys[r.index]);
        case Kind::Pad: return Upper(v.pad[r.index]);
        case Kind::DeadZone: return std::to_string(v.deadZone) + "%";
        default: return "";
    }
}

// Left (-1) or right (+1) on a row; true when a value changed.
bool Step(Values& v, const Row& r, int dir) {
    auto within = [&](int& x, int lo, int hi, int step) {
        int old = x;
        x = std::clamp(x + dir * step, lo, hi);
        return x != old;
    };
    switch (r.kind) {
        case Kind::Music: return within(v.music, 0, 100, 10);
        case Kind::Sfx: return within(v.sfx, 0, 100, 10);
        case Kind::Display: v.fullscreen = !v.fullscreen; return true;
        case Kind::Scale: return within(v.scale, 0, 8, 1);
        case Kind::DeadZone: return within(v.deadZone, 0, 90, 5);
        case Kind::Pad: {
            int at = 0;
            while (at < kPadCount && v.pad[r.index] != kPadNames[at]) at++;
            at = (at == kPadCount) ? 0 : (at + dir + kPadCount) % kPadCount;
            v.pad[r.index] = kPadNames[at];
            return true;
        }
        default: return false;
    }
}

// A key for action `a`: refused when the game keeps it or it pauses; a key
// another direction or button has is swapped with it. "" when taken, else why not.
std::string Bind(Values& v, int a, const std::string& key) {
    if (plat::KeyReserved(key)) return Upper(key) + " IS KEPT BY THE GAME";
    if (Upper(key) == Upper(v.keys[6])) return Upper(key) + " PAUSES THE GAME";
    for (int i = 0; i < 6; i++)
        if (i != a && Upper(v.keys[i]) == Upper(key)) v.keys[i] = v.keys[a];
    v.keys[a] = key;
    return "";
}

bool IsAltKey(const std::string& k) { return k == "Left Alt" || k == "Right Alt"; }

void Draw(const Values& v, int sel, int binding, int frame, const std::string& notice) {
    for (int i = 0; i < kRowCount; i++) {
        const Row& r = kRows[i];
        const int y = 32 + 12 * i + (i >= kRowCount - 2 ? 4 : 0);
        if (i == sel) PutBox(WorkSurface, 12, y - 2, 308, y + 10, 70, 30, 50);
        const Ink ink = i == sel ? Ink::Highlight : Ink::Plain;
        PutText(20, y, r.label, ink);
        if (i == binding) {
            if ((frame / 12) % 2 == 0) PutText(176, y, "PRESS A KEY", Ink::Highlight);
            continue;
        }
        std::string value = ValueText(v, r);
        if (r.kind == Kind::Music || r.kind == Kind::Sfx) {
            const int level = r.kind == Kind::Music ? v.music : v.sfx;
            for (int k = 0; k < 10; k++) {
                bool lit = level >= 10 * (k + 1);
                PutBox(WorkSurface, 176 + 6 * k, y, 181 + 6 * k, y + 8, lit ? 120 : 60, lit ? 230 : 60,
                       lit ? 255 : 60);
            }
            PutText(240, y, value, ink);
        } else if (!value.empty()) {
            PutText(176, y, (r.kind == Kind::Key || r.kind == Kind::Pad ? "" : "< ") + value +
                                (r.kind == Kind::Key || r.kind == Kind::Pad ? "" : " >"), ink);
        }
    }
    if (!notice.empty())
        PutTextCentered(230, notice, Ink::Warning);
    else if (binding >= 0)
        PutTextCentered(230, "THE KEY FOR " + std::string(kRows[binding].label).substr(4), Ink::Dim);
    else
        PutTextCentered(230, "LEFT RIGHT: CHANGE   " + Upper(v.keys[4]) + ": SET KEY   " + Upper(v.keys[5]) + ": BACK",
                        Ink::Dim);
}

}  // namespace

void h_Options(void (*save)(const Settings& changed)) {
    const Values start = InForce();
    Values v = start;
    Backdrop back = screens::LoadBackdrop(screens::Heading::Options);
    PlayMidi("select.mid");
    int prev = 0;
    screens::BeginMenuInput(prev);
    int sel = 0, binding = -1;
    uint32_t bindSince = 0, noticeSince = 0;
    std::string notice, pendingAlt;
    for (int frame = 0;; frame++) {
        plat::GetVolumes(v.music, v.sfx);  // the volume keys work here too
        screens::PutBackdrop(back);
        if (!notice.empty() && plat::GetTicks() - noticeSince > 2500) notice.clear();
        Draw(v, sel, binding, frame, notice);
        FlipScreen();
        screens::MenuInput in = screens::ReadMenuInput(prev);
        const int edge = in.fresh ? in.word : 0;
        if (binding >= 0) {
            // Every key press answers, the reserved ones with a word; Alt binds on
            // its release, so that Alt+Enter is seen whole.
            std::string key;
            for (const std::string& t : in.typed) {
                if (IsAltKey(t)) {
                    pendingAlt = t;
                } else {
                    key = t;
                    pendingAlt.clear();
                }
            }
            if (in.escape && key.empty()) key = "Escape";
            if (key.empty() && !pendingAlt.empty() &&
                std::find(in.released.begin(), in.released.end(), pendingAlt) != in.released.end())
                key = pendingAlt;
            if (!key.empty()) {
                pendingAlt.clear();
                std::string why = Bind(v, kRows[binding].index, key);
                if (why.empty()) {
                    Apply(v, v);
                    binding = -1;
                } else {
                    notice = why;
                    noticeSince = plat::GetTicks();
                    bindSince = plat::GetTicks();
                }
            } else if (plat::GetTicks() - bindSince > kBindWaitMs) {
                binding = -1;
            }
            continue;
        }
        const Row& row = kRows[sel];
        if (edge == IN_UP) sel = (sel + kRowCount - 1) % kRowCount;
        if (edge == IN_DOWN) sel = (sel + 1) % kRowCount;
        if (edge == IN_LEFT || edge == IN_RIGHT) {
            Values before = v;
            if (Step(v, row, edge == IN_RIGHT ? 1 : -1)) {
                Apply(v, before);
                if (row.kind == Kind::Sfx) PlayWave(1, "se\\se-1.wav", 0);
            }
        }
        if (edge == IN_B1) {
            if (row.kind == Kind::Key) {
                binding = sel;
                bindSince = plat::GetTicks();
                notice.clear();
                pendingAlt.clear();
            } else if (row.kind == Kind::Reset) {
                Values before = v;
                v = Defaults();
                Apply(v, before);
            } else if (row.kind == Kind::Back) {
                break;
            } else {
                Values before = v;
                if (Step(v, row, 1)) Apply(v, before);
            }
        }
        if (edge == IN_B2 || in.escape) break;
    }
    StopMidi();
    plat::DropMessages(plat::MsgType::MusicEnd);
    FreeBackdrop(back);
    // Only what changed is written, so entries the player never touched stay as they were.
    Settings changed;
    if (v.music != start.music) changed.musicVolume = v.music;
    if (v.sfx != start.sfx) changed.sfxVolume = v.sfx;
    if (v.fullscreen != start.fullscreen) changed.fullscreen = v.fullscreen;
    if (v.scale != start.scale) changed.scale = v.scale;
    for (int i = 0; i < 6; i++)
        if (v.keys[i] != start.keys[i]) changed.keys[i] = v.keys[i];
    for (int i = 0; i < 3; i++)
        if (v.pad[i] != start.pad[i]) changed.padButtons[i] = v.pad[i];
    if (v.deadZone != start.deadZone) changed.padDeadZone = v.deadZone;
    if (save) save(changed);
}
