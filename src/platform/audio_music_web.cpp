// MIDI music in the browser: the page's synthesizer (the same FluidSynth,
// compiled for the browser, in an audio worklet of its own) plays the piece;
// this side hands it the file and the commands, in order, and turns its end
// notice into the MusicEnd message as the desktop player does. Without the
// page's synthesizer (a run under node) music is silent.
#include <emscripten.h>

#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/audio_internal.h"
#include "platform/platform.h"

namespace plat {
namespace {

EM_JS(int, pello_music_present, (), { return Module['music'] ? 1 : 0; });
EM_JS(void, pello_music_command, (const char* command, int value), {
    if (Module['music']) Module['music'].command(UTF8ToString(command), value);
});
EM_JS(void, pello_music_load, (const char* path, const char* data, int size), {
    if (Module['music']) Module['music'].load(HEAPU8.slice(data, data + size), UTF8ToString(path));
});
EM_JS(int, pello_music_take_end, (), { return Module['music'] && Module['music'].takeEnd() ? 1 : 0; });

struct MusicState {
    bool synth = false;     // the page has a synthesizer and music is on
    bool opened = false;
    bool armed = false;     // an end notice is wanted for the playing piece
    int volume = -1;        // as last told to the page
    std::vector<std::string> log;
};
MusicState music;

void Log(const std::string& s) { music.log.push_back(s); }

}  // namespace

// The page fetches its own soundfont.
std::string FindSoundfont() { return ""; }
bool AudioHasMusic() { return music.synth; }

namespace audio_detail {

void MusicStartup(bool withSynth) {
    music = MusicState{};
    music.synth = withSynth && pello_music_present();
}

void MusicWaitSynth() {}  // the page loads its synthesizer by itself

void MusicShutdown() {
    if (music.synth) pello_music_command("close", 0);
    music.synth = music.opened = music.armed = false;
}

// Called from the output's callback: only the volume and the end notice pass here.
void MusicMix(int32_t*, int, int gain) {
    if (!music.synth) return;
    if (gain != music.volume) {
        music.volume = gain;
        pello_music_command("volume", gain);
    }
    if (pello_music_take_end() && music.armed) {
        music.armed = false;  // one notice per play
        PostMessage({MsgType::MusicEnd, 1});
    }
}

void MusicPause(bool paused) {
    if (music.synth) pello_music_command("pause", paused ? 1 : 0);
}

}  // namespace audio_detail

bool MusicOpen(const char* path) {
    Log(std::string("open ") + (path ? path : ""));
    std::vector<char> data;
    music.armed = false;
    if (!path || !audio_detail::ReadMidiFile(path, data)) return false;
    if (music.synth) pello_music_load(path, data.data(), static_cast<int>(data.size()));
    music.opened = true;
    return true;
}

bool MusicPlay() {
    Log("play");
    if (!music.opened) return false;
    music.armed = true;
    if (music.synth) pello_music_command("play", 0);
    return true;
}

void MusicStop() {
    Log("stop");
    music.armed = false;
    if (music.synth) pello_music_command("stop", 0);
}

void MusicSeekStart() {
    Log("seek");
    if (music.synth) pello_music_command("seek", 0);
}

void MusicClose() {
    Log("close");
    if (music.synth) pello_music_command("close", 0);
    music.opened = music.armed = false;
}

const std::vector<std::string>& MusicLog() { return music.log; }
void MusicLogClear() { music.log.clear(); }

}  // namespace plat
