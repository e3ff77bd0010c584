// MIDI music: FluidSynth renders the piece into the mixer (it opens no audio
// driver of its own). The end of a piece is read from the player's ticks in
// the audio thread, which posts a MusicEnd message to the main thread's queue.
#include <fluidsynth.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/audio.h"
#include "platform/audio_internal.h"
#include "platform/platform.h"

namespace plat {
namespace {

constexpr int kBlockFrames = 1024;
constexpr float kMusicGain = 0.45f;  // synth gain: the music sits under the effects and voices

struct MusicState {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    bool opened = false;               // a file is open (whether or not a synth plays it)
    bool armed = false;                // an end notice is wanted for the playing piece
    std::thread loader;                // loads the soundfont while the game starts
    std::vector<std::string> log;
    float left[kBlockFrames];
    float right[kBlockFrames];
    // A program that ends before the soundfont is in waits for its loader.
    ~MusicState() {
        if (loader.joinable()) loader.join();
    }
};

MusicState music;

void Log(const std::string& s) { music.log.push_back(s); }

void DeletePlayer() {
    if (music.player) delete_fluid_player(music.player);
    music.player = nullptr;
}

bool Readable(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

std::string FindSoundfont() {
    const std::string& opt = GetOptions().soundfont;
    if (!opt.empty()) {
        if (Readable(opt)) return opt;
        std::fprintf(stderr, "pelloquinade: soundfont %s not found\n", opt.c_str());
    }
    if (const char* env = std::getenv("PELLOQUINADE_SOUNDFONT"); env && Readable(env)) return env;
    for (const char* p : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                          "/usr/share/sounds/sf2/TimGM6mb.sf2"})
        if (Readable(p)) return p;
    return "";
}

namespace {

// Builds the synthesizer with the soundfont; it plays once it is in place.
void LoadSynth() {
    std::string sf = FindSoundfont();
    if (sf.empty()) {
        std::fprintf(stderr,
                     "pelloquinade: no General MIDI soundfont, music is off (install fluid-soundfont-gm or "
                     "timgm6mb-soundfont, or pass --soundfont FILE)\n");
        return;
    }
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kAudioRate);
    fluid_settings_setnum(settings, "synth.gain", kMusicGain);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    // Resetting the synth at every start would cut the notes still ringing
    // when a piece wraps round to its beginning.
    fluid_settings_setint(settings, "player.reset-synth", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (!synth || fluid_synth_sfload(synth, sf.c_str(), 1) == FLUID_FAILED) {
        std::fprintf(stderr, "pelloquinade: soundfont %s could not be loaded, music is off\n", sf.c_str());
        if (synth) delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        return;
    }
    std::lock_guard<std::mutex> hold(audio_detail::MixLock());
    music.settings = settings;
    music.synth = synth;
}

}  // namespace

bool AudioHasMusic() {
    audio_detail::MusicWaitSynth();
    return music.synth != nullptr;
}

namespace audio_detail {

// Loading a soundfont takes a good part of a second: a thread of its own
// does it while the game starts, and the first use of music waits for it.
void MusicStartup(bool withSynth) {
    music.log.clear();
    music.opened = false;
    music.armed = false;
    if (withSynth && !music.synth && !music.loader.joinable()) music.loader = std::thread(LoadSynth);
}

void MusicWaitSynth() {
    if (music.loader.joinable()) music.loader.join();
}

void MusicShutdown() {
    MusicWaitSynth();
    std::lock_guard<std::mutex> hold(MixLock());
    DeletePlayer();
    if (music.synth) delete_fluid_synth(music.synth);
    if (music.settings) delete_fluid_settings(music.settings);
    music.synth = nullptr;
    music.settings = nullptr;
    music.opened = false;
    music.armed = false;
}

void MusicMix(int32_t* acc, int frames, int gain) {
    if (!music.synth) return;
    fluid_synth_write_float(music.synth, frames, music.left, 0, 1, music.right, 0, 1);
    const float scale = 32767.0f * static_cast<float>(gain) / 100.0f;
    for (int i = 0; i < frames; i++) {
        acc[2 * i] += static_cast<int32_t>(music.left[i] * scale);
        acc[2 * i + 1] += static_cast<int32_t>(music.right[i] * scale);
    }
    if (music.armed && music.player) {
        // The player only calls itself done a couple of seconds after its last
        // event; the piece ends when its tick count reaches the last event.
        int total = fluid_player_get_total_ticks(music.player);
        int now = fluid_player_get_current_tick(music.player);
        if ((total > 0 && now >= total) || fluid_player_get_status(music.player) == FLUID_PLAYER_DONE) {
            // One notice per play; the message queue may be posted to from any thread.
            music.armed = false;
            PostMessage({MsgType::MusicEnd, 1});
        }
    }
}

void MusicPause(bool) {}

}  // namespace audio_detail

bool MusicOpen(const char* path) {
    Log(std::string("open ") + (path ? path : ""));
    audio_detail::MusicWaitSynth();
    std::vector<char> data;
    if (!path || !audio_detail::ReadMidiFile(path, data)) return false;
    std::lock_guard<std::mutex> hold(audio_detail::MixLock());
    DeletePlayer();
    music.armed = false;
    if (music.synth) {
        music.player = new_fluid_player(music.synth);
        if (!music.player || fluid_player_add_mem(music.player, data.data(), data.size()) != FLUID_OK) {
            DeletePlayer();
            return false;
        }
    }
    music.opened = true;
    return true;
}

bool MusicPlay() {
    Log("play");
    std::lock_guard<std::mutex> hold(audio_detail::MixLock());
    if (!music.opened) return false;
    music.armed = true;
    if (music.player) fluid_player_play(music.player);
    return true;
}

void MusicStop() {
    Log("stop");
    std::lock_guard<std::mutex> hold(audio_detail::MixLock());
    music.armed = false;
    if (music.player) {
        fluid_player_stop(music.player);
        fluid_synth_all_notes_off(music.synth, -1);
    }
}

void MusicSeekStart() {
    Log("seek");
    std::lock_guard<std::mutex> hold(audio_detail::MixLock());
    if (music.player) fluid_player_seek(music.player, 0);
}

void MusicClose() {
    Log("close");
    std::lock_guard<std::mutex> hold(audio_detail::MixLock());
    DeletePlayer();
    if (music.synth) fluid_synth_all_sounds_off(music.synth, -1);
    music.opened = false;
    music.armed = false;
}

const std::vector<std::string>& MusicLog() { return music.log; }
void MusicLogClear() { music.log.clear(); }

}  // namespace plat
