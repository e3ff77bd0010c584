// Reports of game files that are missing or do not load: one line on stderr
// per faulty file, the first time it is read; the game plays on without it.
#include <mutex>
#include <set>

#include "core/core.h"

namespace {
std::mutex reportedLock;
std::set<std::string> reported;
}  // namespace

void ReportDataFault(const char* name, const std::string& why) {
    const std::string path = GameFilePath(name);
    {
        std::lock_guard<std::mutex> hold(reportedLock);
        if (!reported.insert(path).second) return;
    }
    std::fprintf(stderr, "pelloquinade: %s: %s\n", path.c_str(), why.c_str());
}

void ForgetDataFaults() {
    std::lock_guard<std::mutex> hold(reportedLock);
    reported.clear();
}
