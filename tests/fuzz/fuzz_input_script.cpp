// Any text through the headless input-script parser, then fed to the input reader.
#include <string>
#include <vector>

#include "platform/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<plat::ScriptRun> runs;
    std::string error;
    if (plat::ParseInputScript(text, runs, error)) {
        plat::SetScriptedInput(runs);
        for (int i = 0; i < 64; i++) {
            plat::BeginInputQuery();
            for (int k = 0; k < static_cast<int>(plat::Key::Count); k++) plat::QueryKey(static_cast<plat::Key>(k));
        }
    }
    return 0;
}
