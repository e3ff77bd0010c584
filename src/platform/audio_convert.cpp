// One-shot sounds in the output format. Each sound (its sample layout and its
// bytes) goes through SDL's converter once, whole, and the result is kept and
// shared by every channel that plays it. A sound not converted yet is
// converted by a worker thread, so the game's thread never waits for the
// resampler; the channel sounds as soon as the samples are there.
#include <SDL.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <thread>

#include "platform/audio_internal.h"

namespace plat::audio_detail {
namespace {

// Raw and converted bytes kept; the sounds played longest ago go first.
constexpr size_t kCacheBudget = size_t{64} << 20;

struct Entry {
    PcmFormat f;
    std::vector<uint8_t> raw;
    Pcm pcm;
    uint64_t lastUse = 0;
    size_t Bytes() const { return raw.size() + pcm->size() * sizeof(int16_t); }
};

struct Cache {
    std::mutex lock;
    std::vector<Entry> entries;
    size_t bytes = 0;
    uint64_t clock = 0;
};
Cache cache;

struct Job {
    int channel;
    uint64_t token;
    PcmFormat f;
    std::vector<uint8_t> raw;
};

struct Worker {
    std::mutex lock;
    std::condition_variable wake, idle;
    std::deque<Job> jobs;
    bool busy = false;   // a job is being converted
    bool stop = false;
    std::thread thread;
    ConvertedFn done = nullptr;
    // A program that ends without closing the sound ends the worker here.
    ~Worker() {
        {
            std::lock_guard<std::mutex> hold(lock);
            stop = true;
        }
        wake.notify_all();
        if (thread.joinable()) thread.join();
    }
};
Worker worker;

bool Same(const PcmFormat& a, const PcmFormat& b) {
    return a.channels == b.channels && a.rate == b.rate && a.bits == b.bits;
}

// Caller holds cache.lock.
Entry* Find(const PcmFormat& f, const void* data, size_t bytes) {
    for (Entry& e : cache.entries)
        if (e.raw.size() == bytes && Same(e.f, f) && (bytes == 0 || std::memcmp(e.raw.data(), data, bytes) == 0)) {
            e.lastUse = ++cache.clock;
            return &e;
        }
    return nullptr;
}

// The whole sound through SDL's converter in one piece, so nothing is lost at
// its end (a streaming converter holds back its last frames).
Pcm ConvertWhole(const PcmFormat& f, const uint8_t* data, size_t bytes) {
    SDL_AudioCVT cvt;
    const int rc = SDL_BuildAudioCVT(&cvt, f.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(f.channels),
                                     f.rate, AUDIO_S16SYS, 2, kAudioRate);
    if (rc < 0) return nullptr;
    auto pcm = std::make_shared<std::vector<int16_t>>();
    if (bytes == 0) return pcm;
    cvt.len = static_cast<int>(bytes);
    std::vector<Uint8> work(bytes * static_cast<size_t>(std::max(cvt.len_mult, 1)));
    std::memcpy(work.data(), data, bytes);
    cvt.buf = work.data();
    if (rc == 1 && SDL_ConvertAudio(&cvt) != 0) return nullptr;
    const size_t outBytes = rc == 1 ? static_cast<size_t>(cvt.len_cvt) : bytes;
    pcm->resize(outBytes / 2);
    std::memcpy(pcm->data(), work.data(), pcm->size() * 2);
    return pcm;
}

void Keep(const PcmFormat& f, std::vector<uint8_t> raw, Pcm pcm) {
    std::lock_guard<std::mutex> hold(cache.lock);
    if (Find(f, raw.data(), raw.size())) return;  // converted meanwhile by another caller
    Entry e{f, std::move(raw), std::move(pcm), ++cache.clock};
    cache.bytes += e.Bytes();
    cache.entries.push_back(std::move(e));
    while (cache.bytes > kCacheBudget && cache.entries.size() > 1) {
        auto oldest = std::min_element(cache.entries.begin(), cache.entries.end() - 1,
                                       [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        cache.bytes -= oldest->Bytes();
        cache.entries.erase(oldest);
    }
}

void Run() {
    std::unique_lock<std::mutex> hold(worker.lock);
    for (;;) {
        worker.wake.wait(hold, [] { return worker.stop || !worker.jobs.empty(); });
        if (worker.stop) break;
        Job job = std::move(worker.jobs.front());
        worker.jobs.pop_front();
        worker.busy = true;
        ConvertedFn done = worker.done;
        hold.unlock();
        Pcm pcm = CachedPcm(job.f, job.raw.data(), job.raw.size());
        if (!pcm) {
            pcm = ConvertWhole(job.f, job.raw.data(), job.raw.size());
            if (pcm) Keep(job.f, std::move(job.raw), pcm);
        }
        done(job.channel, job.token, std::move(pcm));
        hold.lock();
        worker.busy = false;
        if (worker.jobs.empty()) worker.idle.notify_all();
    }
}

}  // namespace

Pcm CachedPcm(const PcmFormat& f, const void* data, size_t bytes) {
    std::lock_guard<std::mutex> hold(cache.lock);
    const Entry* e = Find(f, data, bytes);
    return e ? e->pcm : nullptr;
}

void ConvertLater(int channel, uint64_t token, const PcmFormat& f, const void* data, size_t bytes,
                  ConvertedFn done) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
#ifdef __EMSCRIPTEN__
    // The browser build has no threads: the sound is converted at once.
    Pcm pcm = CachedPcm(f, data, bytes);
    if (!pcm) {
        pcm = ConvertWhole(f, p, bytes);
        if (pcm) Keep(f, std::vector<uint8_t>(p, p + bytes), pcm);
    }
    done(channel, token, std::move(pcm));
    return;
#endif
    std::lock_guard<std::mutex> hold(worker.lock);
    worker.done = done;
    worker.jobs.push_back({channel, token, f, std::vector<uint8_t>(p, p + bytes)});
    if (!worker.thread.joinable()) {
        worker.stop = false;
        worker.thread = std::thread(Run);
    }
    worker.wake.notify_one();
}

void WaitConversions() {
    std::unique_lock<std::mutex> hold(worker.lock);
    worker.idle.wait(hold, [] { return worker.jobs.empty() && !worker.busy; });
}

void StopConversions() {
    {
        std::lock_guard<std::mutex> hold(worker.lock);
        if (!worker.thread.joinable()) return;
        worker.stop = true;
        worker.jobs.clear();
    }
    worker.wake.notify_all();
    worker.thread.join();
    std::lock_guard<std::mutex> hold(worker.lock);
    worker.stop = false;
    worker.busy = false;
    worker.idle.notify_all();
}

}  // namespace plat::audio_detail
