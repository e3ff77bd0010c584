// The effect channels and the output: an SDL audio device whose callback sums
// the eight channels and the music through a limiter, or the same mix rendered
// on demand without a device.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/audio.h"
#include "platform/audio_internal.h"
#include "platform/platform.h"

namespace plat {
namespace {

constexpr int kBlockFrames = 1024;  // frames mixed per pass

// The limiter's ceiling: a single effect (made to peak at 0.9 of full scale)
// stays below it and passes untouched.
constexpr float kCeiling = 30000.0f;
// After a cut the gain holds for 50 ms, then comes back towards 1 with a time
// constant of 80 ms.
constexpr int kHoldFrames = kAudioRate / 20;
constexpr float kRecovery = 1.0f / (0.08f * kAudioRate);

struct Channel {
    audio_detail::Pcm pcm;           // one-shot sound in the output format
    size_t pos = 0;                  // next sample of pcm to play
    bool hasSound = false;
    bool converting = false;         // the one-shot's samples are still being made
    SDL_AudioStream* stream = nullptr;  // streaming sound, converted as it is fed
    uint64_t token = 0;              // the channel's current sound
};

struct AudioState {
    Channel ch[kAudioChannels];
    bool open = false;
    bool device = false;
    SDL_AudioDeviceID dev = 0;
    uint64_t nextToken = 1;
    AudioBackend backend = AudioBackend::Auto;
    bool musicInMixer = false;
    float gain = 1.0f;               // the limiter's current gain
    int hold = 0;                    // frames before the gain may recover
    int32_t acc[kBlockFrames * 2];
    int16_t tmp[kBlockFrames * 2];
    uint64_t starts[kAudioChannels] = {};
};

std::mutex mixLock;
AudioState audio;
std::atomic<int> musicVolume{100}, sfxVolume{100};
std::atomic<bool> audioPaused{false};

void ClearChannel(Channel& c) {
    if (c.stream) SDL_FreeAudioStream(c.stream);
    c.stream = nullptr;
    c.pcm.reset();
    c.pos = 0;
    c.hasSound = false;
    c.converting = false;
    c.token = 0;
}

SDL_AudioFormat SdlFormat(const PcmFormat& f) { return f.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB; }

size_t FrameBytes(const PcmFormat& f) { return static_cast<size_t>(f.channels) * (f.bits / 8); }

// Sums within the ceiling pass unchanged. A frame that would go over it
// lowers the gain of both sides at once, just enough to meet the ceiling; the
// gain holds, so the following waves pass whole, then recovers smoothly.
// Effects that pile up duck together for a moment instead of clipping.
void Limit(const int32_t* acc, int16_t* out, int frames) {
    float g = audio.gain;
    int hold = audio.hold;
    for (int i = 0; i < frames * 2; i += 2) {
        int32_t peak = std::max(std::abs(acc[i]), std::abs(acc[i + 1]));
        if (g == 1.0f && static_cast<float>(peak) <= kCeiling) {
            out[i] = static_cast<int16_t>(acc[i]);
            out[i + 1] = static_cast<int16_t>(acc[i + 1]);
            continue;
        }
        if (static_cast<float>(peak) * g > kCeiling) {
            g = kCeiling / static_cast<float>(peak);
            hold = kHoldFrames;
        }
        for (int k = 0; k < 2; k++)
            out[i + k] = static_cast<int16_t>(std::lrint(static_cast<float>(acc[i + k]) * g));
        if (hold > 0) {
            hold--;
        } else {
            g += (1.0f - g) * kRecovery;
            if (g > 0.9999f) g = 1.0f;
        }
    }
    audio.gain = g;
    audio.hold = hold;
}

// One pass of at most kBlockFrames frames. Caller holds mixLock.
void MixBlock(int16_t* out, int frames) {
    int32_t* acc = audio.acc;
    std::memset(acc, 0, sizeof(int32_t) * frames * 2);
    if (audioPaused) {  // nothing moves on: streams and music resume where they were
        std::memset(out, 0, sizeof(int16_t) * frames * 2);
        return;
    }
    const int32_t sfx = sfxVolume;
    for (Channel& c : audio.ch) {
        if (c.stream) {
            int got = SDL_AudioStreamGet(c.stream, audio.tmp, frames * 4);
            for (int i = 0; i < got / 2; i++) acc[i] += audio.tmp[i] * sfx / 100;
        } else if (c.pcm && c.pos < c.pcm->size()) {
            size_t n = std::min(c.pcm->size() - c.pos, static_cast<size_t>(frames) * 2);
            const int16_t* src = c.pcm->data() + c.pos;
            for (size_t i = 0; i < n; i++) acc[i] += src[i] * sfx / 100;
            c.pos += n;
        }
    }
    audio_detail::MusicMix(acc, frames, musicVolume);
    Limit(acc, out, frames);
}

void Mix(int16_t* out, int frames) {
    std::lock_guard<std::mutex> hold(mixLock);
    while (frames > 0) {
        int n = std::min(frames, kBlockFrames);
        MixBlock(out, n);
        out += n * 2;
        frames -= n;
    }
}

// A one-shot's samples are ready: the channel plays them, unless it has moved
// on to another sound meanwhile.
void Converted(int channel, uint64_t token, audio_detail::Pcm pcm) {
    std::lock_guard<std::mutex> hold(mixLock);
    Channel& c = audio.ch[channel];
    if (c.token != token || !c.converting) return;
    c.converting = false;
    if (pcm)
        c.pcm = std::move(pcm);
    else
        c.hasSound = false;  // could not be converted: the channel is left empty
}

void SDLCALL DeviceCallback(void*, Uint8* stream, int len) {
    Mix(reinterpret_cast<int16_t*>(stream), len / 4);
}

bool OpenDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "pelloquinade: no audio (%s)\n", SDL_GetError());
        return false;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = kAudioRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kBlockFrames;
    want.callback = DeviceCallback;
    // No allowed changes: SDL converts to whatever the hardware wants.
    audio.dev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (audio.dev == 0) {
        std::fprintf(stderr, "pelloquinade: no audio device (%s)\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

}  // namespace

namespace audio_detail {
std::mutex& MixLock() { return mixLock; }
}  // namespace audio_detail

void SetVolumes(int music, int sfx) {
    musicVolume = std::clamp(music, 0, 100);
    sfxVolume = std::clamp(sfx, 0, 100);
}
void GetVolumes(int& music, int& sfx) {
    music = musicVolume;
    sfx = sfxVolume;
}
void PauseAudio(bool paused) {
    audioPaused = paused;
    audio_detail::MusicPause(paused);
}

void AudioSelectBackend(AudioBackend backend, bool musicInMixer) {
    audio.backend = backend;
    audio.musicInMixer = musicInMixer;
}

bool AudioOpen() {
    if (audio.open) return true;
    if (GetOptions().mute) return false;
    bool device = audio.backend == AudioBackend::Device ||
                  (audio.backend == AudioBackend::Auto && !IsHeadless());
    if (device && !OpenDevice()) return false;
    {
        std::lock_guard<std::mutex> hold(mixLock);
        for (Channel& c : audio.ch) ClearChannel(c);
        audio.device = device;
        audio.open = true;
        audio.gain = 1.0f;
        audio.hold = 0;
    }
    audio_detail::MusicStartup(device || audio.musicInMixer);
    if (device) SDL_PauseAudioDevice(audio.dev, 0);
    return true;
}

void AudioClose() {
    if (!audio.open) return;
    audio_detail::StopConversions();
    if (audio.device) {
        // Waits for the callback to finish; the lock must not be held here.
        SDL_CloseAudioDevice(audio.dev);
        audio.dev = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    audio_detail::MusicShutdown();
    std::lock_guard<std::mutex> hold(mixLock);
    for (Channel& c : audio.ch) ClearChannel(c);
    audio.open = false;
    audio.device = false;
}

bool AudioIsOpen() { return audio.open; }

bool PcmFormatUsable(const PcmFormat& f) {
    return (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16) && f.rate >= 100 &&
           f.rate <= 200000;
}

bool AudioPlayPcm(int channel, const PcmFormat& f, const void* data, size_t bytes) {
    if (channel < 0 || channel >= kAudioChannels || !audio.open) return false;
    AudioStopChannel(channel);
    if (!PcmFormatUsable(f)) return false;
    bytes -= bytes % FrameBytes(f);  // whole frames only
    audio_detail::Pcm pcm = audio_detail::CachedPcm(f, data, bytes);
    uint64_t token;
    {
        std::lock_guard<std::mutex> hold(mixLock);
        Channel& c = audio.ch[channel];
        token = c.token = audio.nextToken++;
        c.hasSound = true;
        c.converting = !pcm;
        c.pcm = std::move(pcm);
        c.pos = 0;
        audio.starts[channel]++;
        if (!c.converting) return true;
    }
    audio_detail::ConvertLater(channel, token, f, data, bytes, Converted);
    return true;
}

uint64_t AudioStartStream(int channel, const PcmFormat& f) {
    if (channel < 0 || channel >= kAudioChannels || !audio.open) return 0;
    AudioStopChannel(channel);
    if (!PcmFormatUsable(f)) return 0;
    SDL_AudioStream* s =
        SDL_NewAudioStream(SdlFormat(f), static_cast<Uint8>(f.channels), f.rate, AUDIO_S16SYS, 2, kAudioRate);
    if (!s) return 0;
    std::lock_guard<std::mutex> hold(mixLock);
    Channel& c = audio.ch[channel];
    c.stream = s;
    c.hasSound = true;
    c.token = audio.nextToken++;
    audio.starts[channel]++;
    return c.token;
}

bool AudioFeedStream(int channel, uint64_t token, const void* data, size_t bytes) {
    if (channel < 0 || channel >= kAudioChannels || token == 0) return false;
    std::lock_guard<std::mutex> hold(mixLock);
    Channel& c = audio.ch[channel];
    if (c.token != token || !c.stream) return false;
    return bytes == 0 || SDL_AudioStreamPut(c.stream, data, static_cast<int>(bytes)) == 0;
}

long AudioStreamQueued(int channel, uint64_t token) {
    if (channel < 0 || channel >= kAudioChannels || token == 0) return -1;
    std::lock_guard<std::mutex> hold(mixLock);
    Channel& c = audio.ch[channel];
    if (c.token != token || !c.stream) return -1;
    return SDL_AudioStreamAvailable(c.stream);
}

void AudioStopChannel(int channel) {
    if (channel < 0 || channel >= kAudioChannels) return;
    std::lock_guard<std::mutex> hold(mixLock);
    ClearChannel(audio.ch[channel]);
}

bool AudioChannelHasSound(int channel) {
    if (channel < 0 || channel >= kAudioChannels) return false;
    std::lock_guard<std::mutex> hold(mixLock);
    return audio.ch[channel].hasSound;
}

long AudioChannelQueued(int channel) {
    if (channel < 0 || channel >= kAudioChannels) return -1;
    std::lock_guard<std::mutex> hold(mixLock);
    Channel& c = audio.ch[channel];
    return c.stream ? SDL_AudioStreamAvailable(c.stream) : -1;
}

uint64_t AudioChannelStarts(int channel) {
    if (channel < 0 || channel >= kAudioChannels) return 0;
    std::lock_guard<std::mutex> hold(mixLock);
    return audio.starts[channel];
}

void AudioRender(int16_t* out, int frames) {
    if (frames <= 0) return;
    if (!audio.open || audio.device) {
        std::memset(out, 0, sizeof(int16_t) * frames * 2);
        return;
    }
    audio_detail::WaitConversions();  // rendered on demand, as if the samples had been made at once
    Mix(out, frames);
}

}  // namespace plat
