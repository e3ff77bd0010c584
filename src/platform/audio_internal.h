// Shared between the mixer, the sound converter and the music player of the
// audio layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio.h"

namespace plat::audio_detail {

// Held by the mixing thread while it mixes and by every call that changes
// what it mixes.
std::mutex& MixLock();

// One-shot sounds converted to the output format, shared by the channels.
using Pcm = std::shared_ptr<const std::vector<int16_t>>;
// The kept conversion of this sound (layout and bytes), or null when it has
// not been converted yet.
Pcm CachedPcm(const PcmFormat& f, const void* data, size_t bytes);
// Converts a copy of the sound on the worker thread, keeps the result and
// hands it (null when SDL cannot convert it) to done, with the channel and
// token given here. Called without MixLock held; done is called without the
// caller's locks.
using ConvertedFn = void (*)(int channel, uint64_t token, Pcm pcm);
void ConvertLater(int channel, uint64_t token, const PcmFormat& f, const void* data, size_t bytes,
                  ConvertedFn done);
void WaitConversions();   // until every handed sound is converted and delivered
void StopConversions();   // drops what waits and ends the worker

// Music side of AudioOpen/AudioClose; withSynth starts loading the
// soundfont, which MusicWaitSynth waits for.
void MusicStartup(bool withSynth);
void MusicWaitSynth();
void MusicShutdown();
// Adds the synthesizer's next frames to acc (interleaved stereo, 32-bit) and
// watches for the end of the piece. Called with MixLock held.
// gain: the music volume, 0..100.
void MusicMix(int32_t* acc, int frames, int gain);
// The output was paused or resumed (the desktop synthesizer is held still by
// the mixer itself; the browser's plays on its own and is told).
void MusicPause(bool paused);

// Reads a whole file for the music player; false when it cannot be read or
// is no standard MIDI file.
inline bool ReadMidiFile(const char* path, std::vector<char>& out) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
    std::fclose(f);
    return out.size() >= 14 && out[0] == 'M' && out[1] == 'T' && out[2] == 'h' && out[3] == 'd';
}

}  // namespace plat::audio_detail
