// Character voices and numbered sound effects: both only build a file name
// and hand it to the sound channels; a missing file is the player's problem.
#include <cstdio>

#include "core/core.h"
#include "player/player.h"
#include "sound/sound.h"

CombatSoundCalls combatSound = {PlayVoice, PlaySe, PlayWave};

namespace {

const char* const VoiceStem[10] = {"cv0_maho",  "cv1_make", "cv2_angel",   "cv3_devil", "cv4_syamo",
                                   "cv5_digiko", "cv6_aji",  "cv7_taiyaki", "cv8_aniki", "cv9_legend"};

char voiceName[64];

// Variant suffix for the event: 0 plain, 'a', 'b' or 'c'.
char VoiceVariant(int chno, int event) {
    switch (event) {
        case 1:
            if (chno == 0) return (GameRand() % 2 == 0) ? 'a' : 'b';
            if (chno == 7) return 0;
            return static_cast<char>('a' + GameRand() % 3);
        case 3:
            if (chno != 0) return 0;
            // The option count after the pick-up: 1, 2 or 3.
            if (GameState.option <= 1) return 'a';
            return GameState.option == 2 ? 'b' : 'c';
        case 7:
        case 8:
            return GameState.wazaVoice == 0 ? 'a' : 'b';
        default:
            return 0;
    }
}

}  // namespace

const char* VoiceName(int event) {
    voiceName[0] = '\0';
    int chno = GameState.chno;
    if (chno == 4) return voiceName;                       // the paddle never speaks
    if (chno < 0 || chno > 9 || event < 1 || event > 8) return voiceName;
    char v = VoiceVariant(chno, event);
    // The pastry says only its entry, option, fall and beam lines.
    if (chno == 7 && event != 1 && event != 3 && event != 6 && event != 7) return voiceName;
    if (v == 0)
        std::snprintf(voiceName, sizeof voiceName, "wav\\%s%d.wav", VoiceStem[chno], event);
    else
        std::snprintf(voiceName, sizeof voiceName, "wav\\%s%d%c.wav", VoiceStem[chno], event, v);
    return voiceName;
}

void PlayVoice(int event) {
    const char* name = VoiceName(event);
    if (name[0] == '\0') return;
    PlayWave(0, name, 0);
}

void PlaySe(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "se\\se-%d.wav", n);
    PlayWave(1, name, 0);
}
