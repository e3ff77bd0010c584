// The whole game's options screen: the settings a player changes in the game,
// one row each, changed with left and right (keys: press the new key), put in
// force at once and written to the settings file on leaving.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

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

// The screen's rows are the option table's menu entries, then two of its own.
struct Row {
    const OptionRow* option = nullptr;  // nullptr: reset or back
    const char* label = nullptr;
    bool reset = false;
};

std::vector<Row> MenuRows() {
    std::vector<Row> rows;
    for (const OptionRow& o : GameOptions())
        if (o.label && o.key && o.read && o.land) rows.push_back({&o, o.label});
    rows.push_back({nullptr, "Reset to defaults", true});
    rows.push_back({nullptr, "Back"});
    return rows;
}

const char* const kPadNames[] = {"a", "b", "x", "y", "back", "start", "leftshoulder", "rightshoulder",
                                 "leftstick", "rightstick"};
constexpr int kPadCount = static_cast<int>(sizeof kPadNames / sizeof kPadNames[0]);
constexpr uint32_t kBindWaitMs = 10000;  // a binding nobody answers is given up

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void Apply(const RunOptions& r, const RunOptions& before) {
    const plat::Options &o = r.plat, &b = before.plat;
    plat::SetVolumes(o.musicVolume, o.sfxVolume);
    if (o.windowed != b.windowed || o.scale != b.scale) plat::SetDisplayMode(!o.windowed, o.scale);
    plat::SetBindings(o.keys, o.padButtons, o.padDeadZone);
    launch.reduceFlashing = r.reduceFlashing;  // the next stage set-up draws hits by it
}

bool Same(const OptionValue& a, const OptionValue& b) {
    return a.number == b.number && a.second == b.second && a.text == b.text;
}

std::string ValueText(const OptionRow& o, const OptionValue& v) {
    switch (o.kind) {
        case OptionKind::Switch: return v.number ? "YES" : "NO";
        case OptionKind::Number: return v.number == 0 && o.zeroWord ? Upper(o.zeroWord) : std::to_string(v.number);
        default: return Upper(v.text);
    }
}

// Left (-1) or right (+1) on a row; true when a value changed.
bool Step(RunOptions& r, const OptionRow& o, int dir) {
    OptionValue v = o.read(r);
    const OptionValue old = v;
    switch (o.kind) {
        case OptionKind::Switch: v.number = !v.number; break;
        case OptionKind::Number: v.number = std::clamp(v.number + dir * o.step, o.lo, o.hi); break;
        case OptionKind::PadButton: {
            int at = 0;
            while (at < kPadCount && v.text != kPadNames[at]) at++;
            at = (at == kPadCount) ? 0 : (at + dir + kPadCount) % kPadCount;
            v.text = kPadNames[at];
            break;
        }
        default: return false;
    }
    o.land(r, v);
    return !Same(v, old);
}

// A key for row `o`: refused when the game keeps it, or a key row that is not
// on this screen (pause, screenshot) has it; a key another row of the screen
// has is swapped with it. "" when taken, else why not.
std::string Bind(RunOptions& r, const OptionRow& o, const std::string& key) {
    if (plat::KeyReserved(key)) return Upper(key) + " IS KEPT BY THE GAME";
    for (const OptionRow& other : GameOptions())
        if (&other != &o && other.kind == OptionKind::KeyName && other.read && other.land &&
            plat::SameKey(other.read(r).text, key)) {
            if (!other.label) return Upper(key) + " IS KEPT BY THE GAME";
            other.land(r, o.read(r));
        }
    OptionValue v;
    v.text = key;
    o.land(r, v);
    return "";
}

bool IsAltKey(const std::string& k) { return k == "Left Alt" || k == "Right Alt"; }

// What a key row's label names ("Key: up" -> "UP").
std::string Action(const char* label) {
    std::string s = label;
    const size_t colon = s.find(": ");
    return Upper(colon == std::string::npos ? s : s.substr(colon + 2));
}

void Draw(const std::vector<Row>& rows, const RunOptions& r, int sel, int binding, int frame,
          const std::string& notice) {
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; i++) {
        const Row& row = rows[i];
        const int y = 30 + 11 * i + (i >= count - 2 ? 4 : 0);
        if (i == sel) PutBox(WorkSurface, 12, y - 2, 308, y + 9, 70, 30, 50);
        const Ink ink = i == sel ? Ink::Highlight : Ink::Plain;
        PutText(20, y, Upper(row.label), ink);
        if (i == binding) {
            if ((frame / 12) % 2 == 0) PutText(176, y, "PRESS A KEY", Ink::Highlight);
            continue;
        }
        if (!row.option) continue;
        const OptionRow& o = *row.option;
        const OptionValue v = o.read(r);
        const std::string value = ValueText(o, v);
        if (o.kind == OptionKind::Number) {
            // A ten-step gauge of where the value lies in its range.
            const long span = std::max(1L, o.hi - o.lo);
            for (int k = 0; k < 10; k++) {
                const bool lit = (v.number - o.lo) * 10 >= span * (k + 1);
                PutBox(WorkSurface, 176 + 6 * k, y, 181 + 6 * k, y + 8, lit ? 120 : 60, lit ? 230 : 60,
                       lit ? 255 : 60);
            }
            PutText(240, y, value, ink);
        } else if (o.kind == OptionKind::KeyName || o.kind == OptionKind::PadButton) {
            PutText(176, y, value, ink);
        } else {
            PutText(176, y, "< " + value + " >", ink);
        }
    }
    if (!notice.empty())
        PutTextCentered(230, notice, Ink::Warning);
    else if (binding >= 0)
        PutTextCentered(230, "THE KEY FOR " + Action(rows[binding].label), Ink::Dim);
    else
        PutTextCentered(230, "LEFT RIGHT: CHANGE   " + Upper(r.plat.keys[4]) + ": SET KEY   " +
                                 Upper(r.plat.keys[5]) + ": BACK",
                        Ink::Dim);
}

}  // namespace

RunOptions OptionsInForce() {
    RunOptions r = launch;
    r.plat = plat::GetOptions();
    plat::GetVolumes(r.plat.musicVolume, r.plat.sfxVolume);
    return r;
}

void h_Options(void (*save)(const Settings& changed)) {
    const std::vector<Row> rows = MenuRows();
    const int count = static_cast<int>(rows.size());
    RunOptions start = OptionsInForce();
    RunOptions r = start;
    Backdrop back = screens::LoadBackdrop(screens::Heading::Options);
    PlayMidi("select.mid");
    int prev = 0;
    screens::BeginMenuInput(prev);
    int sel = 0, binding = -1;
    uint32_t bindSince = 0, noticeSince = 0;
    std::string notice, pendingAlt;
    for (int frame = 0;; frame++) {
        // The volume keys and Alt+Enter work here too: the rows show what they
        // left. Alt+Enter keeps its own setting, so the screen counts from it.
        plat::GetVolumes(r.plat.musicVolume, r.plat.sfxVolume);
        if (r.plat.windowed != plat::GetOptions().windowed)
            r.plat.windowed = start.plat.windowed = plat::GetOptions().windowed;
        screens::PutBackdrop(back);
        if (!notice.empty() && plat::GetTicks() - noticeSince > 2500) notice.clear();
        Draw(rows, r, sel, binding, frame, notice);
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
                std::string why = Bind(r, *rows[binding].option, key);
                if (why.empty()) {
                    Apply(r, r);
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
        const Row& row = rows[sel];
        if (edge == IN_UP) sel = (sel + count - 1) % count;
        if (edge == IN_DOWN) sel = (sel + 1) % count;
        if ((edge == IN_LEFT || edge == IN_RIGHT) && row.option) {
            RunOptions before = r;
            if (Step(r, *row.option, edge == IN_RIGHT ? 1 : -1)) {
                Apply(r, before);
                PlayWave(1, "se\\se-1.wav", 0);  // heard at the effects volume as it now stands
            }
        }
        if (edge == IN_B1) {
            if (row.option && row.option->kind == OptionKind::KeyName) {
                binding = sel;
                bindSince = plat::GetTicks();
                notice.clear();
                pendingAlt.clear();
            } else if (row.reset) {
                RunOptions defaults;
                defaults.campaign = r.campaign;  // a value whose default depends on the mode
                const RunOptions before = r;
                for (const Row& each : rows)
                    if (each.option) each.option->land(r, each.option->read(defaults));
                Apply(r, before);
            } else if (!row.option) {
                break;
            } else {
                RunOptions before = r;
                if (Step(r, *row.option, 1)) Apply(r, before);
            }
        }
        if (edge == IN_B2 || in.escape) break;
    }
    StopMidi();
    plat::DropMessages(plat::MsgType::MusicEnd);
    FreeBackdrop(back);
    // Only what changed is written, so entries the player never touched stay as
    // they were; with nothing changed the file is left alone (or not created).
    Settings changed;
    for (const Row& row : rows)
        if (row.option && !Same(row.option->read(r), row.option->read(start)))
            changed.values[row.option->key] = row.option->read(r);
    if (save && !changed.values.empty()) save(changed);
}
