// Per-frame CPU time of play: the campaign flight (campaign_flight.h) with
// the thread CPU time of each play frame kept from a stage's first frame
// through its clear. Prints per stage the mean, the 99th percentile and the
// maximum, and what the costliest frames were doing. With --runs N the
// campaign is flown N times (every flight plays the same frames) and each
// frame counts with its least time, so another program's turn on a shared
// machine does not pass for the game's cost; the single worst time of any
// flight is printed too.
//   pello_stage_profile [DATA_DIR] [--top N] [--runs N]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "campaign_flight.h"
#include "shot/shot.h"

namespace {

struct FrameCost {
    int stage = 0;
    long n = 0;                  // play frame of its stage, from 0
    double us = 0;               // thread CPU time
    unsigned soundChannels = 0;  // bit c: channel c started a sound in this frame
    int enemies = 0, bullets = 0;
    bool boss = false;
};
std::vector<FrameCost> costs;   // this flight's frames
size_t flightFrame = 0;         // index of the next frame in this flight
FrameCost last;                  // the pass just run
double worstAny = 0;             // the costliest frame of any flight
bool mismatched = false;         // a later flight played other frames

double ThreadCpuUs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e6 + static_cast<double>(ts.tv_nsec) / 1e3;
}

void TimedPass() {
    uint64_t starts[plat::kAudioChannels];
    for (int c = 0; c < plat::kAudioChannels; c++) starts[c] = plat::AudioChannelStarts(c);
    const double t0 = ThreadCpuUs();
    GameFrame();
    last = FrameCost{};
    last.us = ThreadCpuUs() - t0;
    for (int c = 0; c < plat::kAudioChannels; c++)
        if (plat::AudioChannelStarts(c) != starts[c]) last.soundChannels |= 1u << c;
}

void Counted(int stage, long n, bool) {
    FrameCost f = last;
    f.stage = stage;
    f.n = n;
    f.enemies = CountTeki();
    f.bullets = CountTama();
    f.boss = campaignpilot::LiveBoss() != nullptr;
    if (flightFrame < costs.size()) {  // a later flight: keep the least time
        FrameCost& was = costs[flightFrame];
        worstAny = std::max(worstAny, f.us);
        if (was.stage == f.stage && was.n == f.n && f.us < was.us) was = f;
        mismatched = mismatched || was.stage != f.stage || was.n != f.n;
    } else {
        worstAny = std::max(worstAny, f.us);
        costs.push_back(f);
    }
    flightFrame++;
}

std::string Sounds(unsigned mask) {
    static const char* const what[4] = {"voice", "effect", "enemy sound", "technique sound"};
    std::string s;
    for (int c = 0; c < plat::kAudioChannels; c++)
        if (mask & (1u << c)) s += std::string(s.empty() ? "" : " + ") + (c < 4 ? what[c] : "channel") + " starts";
    return s.empty() ? "no sound starts" : s;
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = PELLO_BENCH_DATA_DIR;
    int top = 3, runs = 1;
    for (int i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "--top") && i + 1 < argc)
            top = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            data = argv[i];
    }
    flight::Hooks h;
    h.pass = TimedPass;
    h.frame = Counted;
    for (int r = 0; r < runs; r++) {
        flightFrame = 0;
        if (!flight::Fly(data, h)) return 1;
        if (r + 1 < runs) ShutdownGame();
    }
    if (mismatched) std::printf("(the flights played different frames: the times are not comparable)\n");

    std::printf("Thread CPU time of each play frame, first frame through the clear (us%s):\n",
                runs > 1 ? ", the least of the flights" : "");
    std::printf("stage  frames     mean      p99      max\n");
    size_t all = 0, over = 0;
    for (int s = 1; s <= kLastStage; s++) {
        std::vector<FrameCost> fs;
        for (const FrameCost& f : costs)
            if (f.stage == s) fs.push_back(f);
        if (fs.empty()) continue;
        std::sort(fs.begin(), fs.end(), [](const FrameCost& a, const FrameCost& b) { return a.us > b.us; });
        double sum = 0;
        for (const FrameCost& f : fs) sum += f.us;
        std::printf("%5d %7zu %8.1f %8.1f %8.1f\n", s, fs.size(), sum / static_cast<double>(fs.size()),
                    fs[fs.size() / 100].us, fs[0].us);
        for (int i = 0; i < top && i < static_cast<int>(fs.size()); i++) {
            const FrameCost& f = fs[static_cast<size_t>(i)];
            std::printf("    frame %5ld: %7.1f us  %s, %d enemies, %d bullets%s\n", f.n, f.us,
                        Sounds(f.soundChannels).c_str(), f.enemies, f.bullets, f.boss ? ", boss up" : "");
        }
        all += fs.size();
        over += static_cast<size_t>(std::count_if(fs.begin(), fs.end(), [](const FrameCost& f) { return f.us > 1000; }));
    }
    std::printf("play frames over 1 ms: %zu of %zu\n", over, all);
    if (runs > 1) std::printf("costliest frame of any single flight: %.1f us\n", worstAny);
    ShutdownGame();
    return 0;
}
