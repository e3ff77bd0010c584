#include "sound/sound.h"

int InitSound() { return 0; }
void ReleaseSound() {}
void PlayWave(int, const char*, int) {}
void PlayMidi(const char*) {}
void StopMidi() {}
void OnMusicEnd(int) {}
