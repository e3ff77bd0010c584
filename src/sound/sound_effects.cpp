// Effects and voices: eight channels, one sound each. Short files are read
// whole and played once; long files are streamed by a worker thread and loop
// until their channel is reused.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/core.h"
#include "platform/audio.h"
#include "sound/sound.h"

WaveFile waveFile[8];
int channelBusy[8];
int streamChannel = -1;
bool soundHeld = false;

namespace {

// The worker of a streaming channel. It owns the channel's reader while it
// runs; the main thread stops and joins it before touching that reader or
// starting another sound on the channel, so no worker outlives its sound.
struct StreamWorker {
    std::thread thread;
    std::mutex lock;
    std::condition_variable wake;
    bool stop = false;
};
StreamWorker workers[8];

// Keep roughly one to two seconds of converted audio queued.
constexpr long kQueueLow = plat::kAudioRate * 4;

// Fills buf with n bytes of the channel's data, going back to the start of
// the data whenever a read comes up short, so the sound loops without a gap.
// Only whole sample frames are kept. Returns the bytes filled; less than n only
// when the data holds nothing at all.
size_t FillStream(WaveFile& w, uint8_t* buf, size_t n, uint32_t frame) {
    size_t filled = 0;
    bool readSinceRewind = true;
    while (filled < n) {
        uint32_t ask = static_cast<uint32_t>(n - filled);
        uint32_t got = 0;
        ReadWave(w, ask, buf + filled, &got);
        uint32_t whole = got - got % frame;
        filled += whole;
        if (whole > 0) readSinceRewind = true;
        if (got < ask) {
            if (!readSinceRewind || ResetWave(w) != 0) break;
            readSinceRewind = false;
        }
    }
    return filled;
}

void RunStream(int channel, uint64_t token, uint32_t bytesPerSecond, uint32_t frame) {
    StreamWorker& me = workers[channel];
    WaveFile& w = waveFile[channel];
    std::vector<uint8_t> buf(bytesPerSecond);
    for (;;) {
        long queued = plat::AudioStreamQueued(channel, token);
        if (queued < 0) break;  // the channel has moved on
        bool starved = false;
        if (queued < kQueueLow) {
            size_t n = FillStream(w, buf.data(), buf.size(), frame);
            if (!plat::AudioFeedStream(channel, token, buf.data(), n)) break;
            starved = n == 0;
            if (!starved) continue;
        }
        std::unique_lock<std::mutex> hold(me.lock);
        if (starved)
            me.wake.wait(hold, [&] { return me.stop; });
        else
            me.wake.wait_for(hold, std::chrono::milliseconds(20), [&] { return me.stop; });
        if (me.stop) break;
    }
    CloseWave(w);
}

void EndStream(int channel) {
    StreamWorker& sw = workers[channel];
    if (!sw.thread.joinable()) return;
    {
        std::lock_guard<std::mutex> hold(sw.lock);
        sw.stop = true;
    }
    sw.wake.notify_all();
    sw.thread.join();
    sw.stop = false;
}

}  // namespace

int InitSound() {
    if (!plat::AudioOpen()) return 0;
    for (int& b : channelBusy) b = 0;
    streamChannel = -1;
    return 1;
}

void ReleaseSound() {
    if (soundOk == 0) return;
    for (int c = 0; c < 8; c++) {
        EndStream(c);
        if (channelBusy[c] == 1) plat::AudioStopChannel(c);
        channelBusy[c] = 0;
        CloseWave(waveFile[c]);
        waveFile[c].format.reset();
    }
    streamChannel = -1;
    plat::AudioClose();
}

void PlayWave(int channel, const char* path, int stream) {
    if (soundOk == 0 || soundHeld || channel < 0 || channel >= 8) return;
    if (channelBusy[channel] == 1) {
        EndStream(channel);
        plat::AudioStopChannel(channel);
    }
    WaveFile& w = waveFile[channel];
    if (OpenWave(w, path) != 0) {
        std::FILE* f = OpenGameFile(path, "rb");
        ReportDataFault(path, f ? "not a WAV file the game reads" : "missing or unreadable");
        if (f) std::fclose(f);
        return;
    }

    const WaveFormatEx& f = *w.format;
    plat::PcmFormat pcm{f.channels, static_cast<int>(f.samplesPerSec), f.bitsPerSample};
    uint32_t frame = static_cast<uint32_t>(f.channels) * (f.bitsPerSample / 8);
    // Only PCM the mixer can convert gets a buffer; anything else is a
    // buffer that could not be made, and the sound is dropped.
    if (f.formatTag != 1 || !plat::PcmFormatUsable(pcm) || f.blockAlign != frame) {
        ReportDataFault(path, "not a PCM format the mixer plays");
        CloseWave(w);
        channelBusy[channel] = 1;
        return;
    }

    uint32_t size = w.dataChunk.size;
    if (size <= kStreamThreshold && stream == 0) {
        std::vector<uint8_t> data(size, f.bitsPerSample == 8 ? 0x80 : 0);
        uint32_t got = 0;
        ResetWave(w);
        ReadWave(w, size, data.data(), &got);  // a short read plays as silence
        CloseWave(w);
        plat::AudioPlayPcm(channel, pcm, data.data(), data.size());
    } else {
        uint64_t token = plat::AudioStartStream(channel, pcm);
        if (token == 0) {
            CloseWave(w);
            channelBusy[channel] = 1;
            return;
        }
        streamChannel = channel;
        uint32_t bytesPerSecond = f.samplesPerSec * frame;
        workers[channel].thread = std::thread(RunStream, channel, token, bytesPerSecond, frame);
    }
    channelBusy[channel] = 1;
}
