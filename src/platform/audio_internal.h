// Shared between the mixer and the music player of the audio layer.
#pragma once

#include <cstdint>
#include <mutex>

namespace plat::audio_detail {

// Held by the mixing thread while it mixes and by every call that changes
// what it mixes.
std::mutex& MixLock();

// Music side of AudioOpen/AudioClose; withSynth loads the soundfont.
void MusicStartup(bool withSynth);
void MusicShutdown();
// Adds the synthesizer's next frames to acc (interleaved stereo, 32-bit) and
// watches for the end of the piece. Called with MixLock held.
// gain: the music volume, 0..100.
void MusicMix(int32_t* acc, int frames, int gain);

}  // namespace plat::audio_detail
