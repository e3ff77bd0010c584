// The game's option table: every command-line option and settings-file entry
// as one row, in --help's and the settings file's order.
#include <string>

#include "core/core.h"
#include "shell/options.h"
#include "stage/stage_table.h"

namespace {

using R = RunOptions;
using V = OptionValue;
using K = OptionKind;

V Num(long n) {
    V v;
    v.number = n;
    return v;
}
V Txt(const std::string& t) {
    V v;
    v.text = t;
    return v;
}

// Settings-file rows for the bindable keys and pad buttons, built from the
// platform's action names.
// The six play keys are the options screen's; pause and screenshot keys are
// set in the file only.
template <int I>
OptionRow KeyRow() {
    static const std::string key = std::string("key_") + plat::kKeyActions[I];
    static const std::string label = std::string("Key: ") + plat::kKeyActions[I];
    return {.key = key.c_str(), .kind = K::KeyName, .label = I < 6 ? label.c_str() : nullptr,
            .land = [](R& r, const V& v) { r.plat.keys[I] = v.text; },
            .read = [](const R& r) { return Txt(r.plat.keys[I]); }};
}

const char* const kPadKeys[3] = {"pad_shoot", "pad_second", "pad_pause"};
const char* const kPadLabels[3] = {"Pad: shoot", "Pad: second", "Pad: pause"};
template <int I>
OptionRow PadRow() {
    return {.key = kPadKeys[I], .kind = K::PadButton, .label = kPadLabels[I],
            .land = [](R& r, const V& v) { r.plat.padButtons[I] = v.text; },
            .read = [](const R& r) { return Txt(r.plat.padButtons[I]); }};
}

std::vector<OptionRow> MakeRows() {
    return {
        {.flag = "--window", .key = "fullscreen", .kind = K::Switch, .flagSets = 0,
         .help = "play in a window instead of full screen (Alt+Enter toggles)", .label = "Full screen", .saved = true,
         .land = [](R& r, const V& v) { r.plat.windowed = v.number == 0; },
         .read = [](const R& r) { return Num(r.plat.windowed ? 0 : 1); }},
        {.flag = "--scale", .key = "scale", .kind = K::Number, .lo = 0, .hi = 16, .flagLo = 1,
         .implies = "--window", .arg = "N", .needs = "a factor",
         .help = "window scale factor 1..16 (implies --window)", .label = "Window scale", .saved = true,
         .zeroWord = "largest", .land = [](R& r, const V& v) { r.plat.scale = static_cast<int>(v.number); },
         .read = [](const R& r) { return Num(r.plat.scale); }},
        {.flag = "--rgb555", .help = "use the 15-bit RGB555 pixel format",
         .land = [](R& r, const V&) { r.plat.rgb555 = true; }},
        {.flag = "--mute", .help = "no sound effects and no music",
         .land = [](R& r, const V&) { r.plat.mute = true; }},
        {.flag = "--music-volume", .key = "music_volume", .kind = K::Number, .lo = 0, .hi = 100, .step = 10,
         .arg = "N", .needs = "a volume", .help = "music volume 0..100 (F5/F6 change it in play)",
         .label = "Music volume", .saved = true,
         .land = [](R& r, const V& v) { r.plat.musicVolume = static_cast<int>(v.number); },
         .read = [](const R& r) { return Num(r.plat.musicVolume); }},
        {.flag = "--sfx-volume", .key = "sfx_volume", .kind = K::Number, .lo = 0, .hi = 100, .step = 10,
         .arg = "N", .needs = "a volume", .help = "sound effects volume 0..100 (F7/F8)",
         .label = "Effects volume", .saved = true,
         .land = [](R& r, const V& v) { r.plat.sfxVolume = static_cast<int>(v.number); },
         .read = [](const R& r) { return Num(r.plat.sfxVolume); }},
        KeyRow<0>(), KeyRow<1>(), KeyRow<2>(), KeyRow<3>(), KeyRow<4>(), KeyRow<5>(), KeyRow<6>(), KeyRow<7>(),
        PadRow<0>(), PadRow<1>(), PadRow<2>(),
        {.key = "pad_dead_zone", .kind = K::Number, .lo = 0, .hi = 90, .step = 5, .label = "Stick dead zone",
         .land = [](R& r, const V& v) { r.plat.padDeadZone = static_cast<int>(v.number); },
         .read = [](const R& r) { return Num(r.plat.padDeadZone); }},
        {.flag = "--soundfont", .kind = K::Path, .arg = "FILE", .help = "General MIDI soundfont for the music",
         .land = [](R& r, const V& v) { r.plat.soundfont = v.text; }},
        {.flag = "--character", .kind = K::Number, .lo = 0, .hi = 9, .arg = "N", .needs = "a character number",
         .help = "fly character N (0..9) whatever the selection says",
         .land = [](R& r, const V& v) { r.character = static_cast<int>(v.number); }},
        {.flag = "--power", .kind = K::Power, .arg = "L,O", .needs = "a level and an option count",
         .help = "start every run at shot level L (0..2) with O options (0..3)",
         .land = [](R& r, const V& v) {
             r.shotLv = static_cast<int>(v.number);
             r.option = static_cast<int>(v.second);
         }},
        {.flag = "--campaign", .key = "campaign", .kind = K::Switch,
         .help = "play on through the stages to stage 5; every character can be chosen",
         .land = [](R& r, const V& v) { r.campaign = v.number != 0; }},
        {.flag = "--flashes", .key = "reduce_flashing", .kind = K::Switch, .flagSets = 0,
         .help = "draw a hit enemy as a white flash (the campaign draws it as a faint tint)",
         .label = "Reduce flashing", .land = [](R& r, const V& v) { r.reduceFlashing = v.number != 0; },
         .read = [](const R& r) { return Num(r.reduceFlashing >= 0 ? r.reduceFlashing : r.campaign ? 1 : 0); }},
        {.flag = "--stage", .key = "stage", .kind = K::Number, .lo = 1, .hi = kLastStage, .arg = "N",
         .needs = "a stage number", .help = "start every run at stage N (1..5)",
         .land = [](R& r, const V& v) { r.stage = static_cast<int>(v.number); }},
        {.flag = "--data", .kind = K::Path, .arg = "DIR", .help = "read the game data from DIR",
         .land = [](R& r, const V& v) { r.dataDir = v.text; }},
        {.flag = "--headless", .help = "no window and no sound: virtual clock, scripted input",
         .land = [](R& r, const V&) { r.plat.headless = true; }},
        {.flag = "--input", .kind = K::Path, .arg = "FILE", .help = "headless: input script (see README)",
         .land = [](R& r, const V& v) { r.plat.inputScript = v.text; }},
        {.flag = "--frames", .kind = K::Number, .lo = 1, .hi = 100000000, .arg = "N", .needs = "a count",
         .help = "stop after N play frames", .land = [](R& r, const V& v) { r.frames = v.number; }},
        {.flag = "--time-limit", .kind = K::Number, .lo = 0, .hi = 4000000, .arg = "S",
         .needs = "a number of seconds",
         .help = "headless: stop after S seconds of virtual time (default 600, 0: never)",
         .land = [](R& r, const V& v) { r.timeLimit = v.number; }},
        {.flag = "--dump-frames", .kind = K::Text, .arg = "LIST",
         .help = "headless: write these presented frames as BMP (e.g. 1,50-60,100-400:50 or all)",
         .land = [](R& r, const V& v) { r.plat.dumpFrames = v.text; }},
        {.flag = "--dump-dir", .kind = K::Path, .arg = "DIR",
         .help = "headless: folder for dumped frames (default: the working folder)",
         .land = [](R& r, const V& v) { r.plat.dumpDir = v.text; }},
        {.flag = "--save-settings", .help = "keep the window, scale and volume options in the settings file",
         .land = [](R& r, const V&) { r.saveSettings = true; }},
        {.flag = "--record", .kind = K::Path, .arg = "FILE",
         .help = "keep each run in FILE (default: the last run, in ~/.local/share/pelloquinade/replays)",
         .land = [](R& r, const V& v) { r.recordPath = v.text; }},
        {.flag = "--replay", .kind = K::Path, .arg = "FILE",
         .help = "play a kept run back (--headless: at full speed, printing its state hash)",
         .land = [](R& r, const V& v) { r.replayPath = v.text; }},
        {.flag = "--autopilot", .kind = K::OptionalWord, .word = "human", .arg = "[human]",
         .help = "the game flies one run itself (human: like a player, seeded by --pilot-seed N)",
         .land = [](R& r, const V& v) { r.pilot = static_cast<int>(v.number); }},
        {.flag = "--pilot-seed", .kind = K::Number, .lo = 0, .hi = 2000000000, .arg = "N", .needs = "a seed",
         .land = [](R& r, const V& v) { r.pilotSeed = v.number; }},
        {.flag = "--scores", .help = "print the whole game's high-score table and where its replays are",
         .land = [](R& r, const V&) { r.printScores = true; }},
        {.flag = "--version", .kind = K::Version,
         .help = "print the name, the version and the commit the game was built from"},
        {.flag = "--help", .kind = K::Help, .alias = "-h", .help = "this text"},
    };
}

}  // namespace

std::span<const OptionRow> GameOptions() {
    static const std::vector<OptionRow> rows = MakeRows();
    return rows;
}
