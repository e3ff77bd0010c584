// Any bytes through the replay decoder (with the checksum made to fit, so
// the fields behind it are reached); what it accepts must encode back to a
// file that decodes to the same replay, and is then played back headless in
// the real outer loop against the generated data, up to its end (or its
// first few thousand input reads).
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_util.h"
#include "input/input.h"
#include "platform/platform.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "stage/stage_table.h"
#include "video/video.h"

namespace {
// Only the start of a longer replay is played: each input must stay quick.
constexpr uint32_t kMaxPlayedSteps = 3000;

struct PlaybackOver {};
[[noreturn]] void Unwind(bool) { throw PlaybackOver{}; }
[[noreturn]] int RunIsOver() { throw PlaybackOver{}; }
void NoScreen() {}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* given = std::getenv("PELLO_FUZZ_DATA");
    std::filesystem::current_path(given && *given ? given : PELLO_DATA_DIR);
    plat::Options o;
    o.headless = o.mute = true;
    plat::Startup(o);
    InitDisplay();
    soundOk = 0;
    replay::endPlayback = Unwind;
    // The played run ends where a new one would begin.
    outerLoopCalls.title = RunIsOver;
    outerLoopCalls.stageEnd = NoScreen;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    if (size >= 4) {
        const uint32_t sum = replay::Checksum(bytes.data(), size - 4);
        for (int i = 0; i < 4; i++) bytes[size - 4 + i] = static_cast<uint8_t>(sum >> (8 * i));
    }
    replay::Replay r;
    std::string error;
    if (!replay::Decode(bytes.data(), bytes.size(), r, error)) return 0;
    const std::vector<uint8_t> again = replay::Encode(r);
    replay::Replay r2;
    if (!replay::Decode(again.data(), again.size(), r2, error)) std::abort();
    if (replay::Encode(r2) != again) std::abort();

    if (MissingStageFile(r.stage)) return 0;
    uint32_t steps = 0;
    for (size_t i = 0; i < r.words.size(); i++) {
        if (steps + r.words[i].count >= kMaxPlayedSteps) {
            r.words[i].count = kMaxPlayedSteps - steps;
            r.words.resize(i + 1);
            break;
        }
        steps += r.words[i].count;
    }
    plat::Options o;
    o.headless = o.mute = true;
    o.timeLimitMs = 120000;  // virtual time: a run that waits for nothing ends
    plat::Startup(o);
    frameTick = static_cast<int>(plat::GetTicks());
    replay::StartPlayback(r);
    EnterReplayedRun(r);
    quitFlag = 0;
    try {
        OuterLoop(true);
    } catch (const PlaybackOver&) {
    }
    inputTap = InputTap{};
    return 0;
}
