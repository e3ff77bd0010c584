// Sound: effects and voices on eight channels, MIDI music.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

// --- WAV files
constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005);

struct WaveFormatEx {
    uint16_t formatTag = 0;          // 1 = PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;          // bytes in extra (0 for PCM)
    std::vector<uint8_t> extra;
};

struct RiffChunkInfo {
    uint32_t id = 0;
    uint32_t size = 0;               // data chunk: bytes still to be read
    long offset = 0;                 // first byte of the chunk's contents
};

// One RIFF/WAVE reader. `format` is empty until a file has been opened.
struct WaveFile {
    std::optional<WaveFormatEx> format;
    std::FILE* handle = nullptr;
    RiffChunkInfo dataChunk;
    RiffChunkInfo riffChunk;
    long fileSize = 0;
};

int32_t OpenWave(WaveFile& w, const char* path);  // 0 or E_FAIL; positioned at the data
int32_t ResetWave(WaveFile& w);                   // back to the first data byte
int32_t ReadWave(WaveFile& w, uint32_t size, uint8_t* buffer, uint32_t* read);
void CloseWave(WaveFile& w);

// --- effects and voices
constexpr uint32_t kStreamThreshold = 300000;     // data bytes above this are streamed

extern WaveFile waveFile[8];
extern int channelBusy[8];
// While set, no effect, voice or piece of music starts or stops: frames
// played ahead of time are not heard.
extern bool soundHeld;
extern int streamChannel;                        // channel of the most recent stream, -1 before any

int InitSound();                    // nonzero when effects are available
void ReleaseSound();
void PlayWave(int channel, const char* path, int stream);

// --- music
extern int musicOn;

int PlayMidi(const char* path);     // 0 when the piece started
void StopMidi();
void OnMusicEnd(int code);          // the end-of-piece message, from the message loop
// The screens outside play have no message loop: each of their frames calls
// this, so a piece that ended there starts again as it does in play.
void KeepMusicPlaying();
