// Audio output: eight effect channels and one MIDI piece, mixed into a single
// 44100 Hz 16-bit stereo stream. Either an SDL audio device pulls the mix from
// its own thread, or (tests, headless runs) a device-less mixer is rendered
// on demand by AudioRender.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

constexpr int kAudioRate = 44100;
constexpr int kAudioChannels = 8;

// Which output AudioOpen sets up. Auto: the device unless the platform runs
// headless. Tests pick one explicitly; music is only loaded for the device
// or when asked for.
enum class AudioBackend { Auto, Device, Mixer };
void AudioSelectBackend(AudioBackend backend, bool musicInMixer = false);

// Opens the output (respects --mute: muted means no audio at all). The
// soundfont for music is looked up here, once; without one, music is silent
// and a single line on stderr says how to get one.
bool AudioOpen();
void AudioClose();
bool AudioIsOpen();
bool AudioHasMusic();                 // a synthesizer with a soundfont is loaded
std::string FindSoundfont();          // --soundfont, $PELLOQUINADE_SOUNDFONT, Debian's GM paths; "" if none

// The sample layout of a sound as its file stores it.
struct PcmFormat {
    int channels = 0;                 // 1 or 2
    int rate = 0;                     // frames per second
    int bits = 0;                     // 8 (unsigned) or 16 (signed little-endian)
};
bool PcmFormatUsable(const PcmFormat& f);

// One-shot: the whole sound, converted to the output format, replaces
// whatever the channel held and plays once. Each sound (layout and bytes) is
// converted once and kept; one not seen before is converted on a worker
// thread and sounds as soon as it is ready. False when the channel or the
// layout cannot play it; a sound the converter then refuses leaves the
// channel empty.
bool AudioPlayPcm(int channel, const PcmFormat& f, const void* data, size_t bytes);

// Streaming: the channel plays what its feeder supplies, in order, with no
// gaps as long as the feeder keeps ahead. The returned token identifies this
// stream; once the channel is stopped or reused every call with the old token
// fails, so a late feeder cannot touch the channel's next sound. 0 = failure.
uint64_t AudioStartStream(int channel, const PcmFormat& f);
bool AudioFeedStream(int channel, uint64_t token, const void* data, size_t bytes);
// Bytes of converted audio waiting to be played; -1 once the token is stale.
long AudioStreamQueued(int channel, uint64_t token);

void AudioStopChannel(int channel);   // silence and free what the channel holds
bool AudioChannelHasSound(int channel);  // a buffer is held (played out or not)
long AudioChannelQueued(int channel);    // converted bytes a stream has waiting; -1 if not streaming
// Sounds the channel was given since the program started (one-shots and
// streams), for tests and profiles.
uint64_t AudioChannelStarts(int channel);

// Music: one piece at a time, like a sequencer device opened under one name.
bool MusicOpen(const char* path);     // false for a missing or unreadable file
bool MusicPlay();                     // (re)starts from the current position; arms the end notice
void MusicStop();
void MusicSeekStart();
void MusicClose();
// Every music command in order ("open NAME", "play", "stop", "seek", "close"),
// for tests; cleared by AudioOpen and MusicLogClear.
const std::vector<std::string>& MusicLog();
void MusicLogClear();

// When a playing piece reaches its last event the audio thread posts one
// MusicEnd message (code 1); the next MusicPlay asks for another.

// Device-less mixer only: mixes the next frames (interleaved stereo) as the
// device callback would.
void AudioRender(int16_t* out, int frames);

}  // namespace plat
