// Music: one MIDI piece at a time under one name, restarted from the message
// loop whenever it reaches its end.
#include "core/core.h"
#include "platform/audio.h"
#include "platform/platform.h"
#include "sound/sound.h"

int musicOn = 0;

int PlayMidi(const char* path) {
    if (soundHeld) return 0;
    if (musicOn == 1) {
        plat::MusicStop();
        plat::MusicClose();
    }
    // A failed open shows as a failed play.
    if (!plat::MusicOpen(GameFilePath(path).c_str())) ReportDataFault(path, "missing or not a MIDI file the player reads");
    int result = plat::MusicPlay() ? 0 : 1;
    musicOn = 1;
    return result;
}

void StopMidi() {
    if (musicOn == 0 || soundHeld) return;
    musicOn = 0;
    plat::MusicStop();
    plat::MusicClose();
}

// Code 1 is a piece that played to its end; stopped or replaced pieces send
// nothing else worth acting on.
void OnMusicEnd(int code) {
    if (code != 1 || musicOn != 1) return;
    plat::MusicStop();
    plat::MusicSeekStart();
    plat::MusicPlay();
}

void KeepMusicPlaying() {
    plat::Message m;
    while (plat::TakeMessage(plat::MsgType::MusicEnd, m)) OnMusicEnd(m.code);
}
