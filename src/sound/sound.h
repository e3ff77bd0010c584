// Sound: effects and voices on eight channels, MIDI music.
#pragma once

int InitSound();                    // nonzero when effects are available
void ReleaseSound();
void PlayWave(int channel, const char* path, int stream);
void PlayMidi(const char* path);
void StopMidi();
void OnMusicEnd(int code);          // the end-of-piece message, from the message loop
