// Any text through the settings reader; what it keeps must be written back in
// a form that reads the same.
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> problems;
    const Settings s = ParseSettings(std::string(reinterpret_cast<const char*>(data), size), problems);
    const std::string text = FormatSettings(s);
    problems.clear();
    if (FormatSettings(ParseSettings(text, problems)) != text || !problems.empty()) std::abort();
    return 0;
}
