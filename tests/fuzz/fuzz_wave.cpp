// Any file through the WAV reader, then played on a channel of the in-memory
// mixer and mixed for a while.
#include <cstdlib>
#include <vector>

#include "core/core.h"
#include "fuzz_util.h"
#include "platform/audio.h"
#include "sound/sound.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    plat::AudioSelectBackend(plat::AudioBackend::Mixer);
    soundOk = InitSound();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput("in.wav", data, size);

    WaveFile w;
    if (OpenWave(w, path.c_str()) == 0) {
        std::vector<uint8_t> buffer(4096);
        uint32_t got = 0;
        while (ReadWave(w, static_cast<uint32_t>(buffer.size()), buffer.data(), &got) == 0 && got > 0) {
        }
        ResetWave(w);
        CloseWave(w);
    }

    PlayWave(1, path.c_str(), 0);
    static int16_t out[2 * 2048];
    plat::AudioRender(out, 2048);
    plat::AudioStopChannel(1);
    return 0;
}
