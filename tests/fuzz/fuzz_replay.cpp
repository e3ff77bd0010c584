// Any bytes through the replay decoder; what it accepts must encode back to a
// file that decodes to the same replay.
#include <cstdlib>
#include <string>

#include "shell/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    replay::Replay r;
    std::string error;
    if (!replay::Decode(data, size, r, error)) return 0;
    const std::vector<uint8_t> again = replay::Encode(r);
    replay::Replay r2;
    if (!replay::Decode(again.data(), again.size(), r2, error)) std::abort();
    if (replay::Encode(r2) != again) std::abort();
    return 0;
}
