// The stage file: timeline, templates, formations and tile map, copied as
// they stand into fixed tables that live for the whole program.
#include <cstdio>
#include <cstring>

#include "core/core.h"
#include "platform/platform.h"
#include "stage/stage.h"

MenEventRecord MenEvent[kMenEvents];
uint8_t MenExtra[kMenExtra][kMenExtraSize];
TekiTemplateRecord TekiTemplate[kTekiTemplates];
TekiGroupRecord TekiGroup[kTekiGroups];
uint16_t MenMap[kMapColumns][kMapRows][kMapLayers];

namespace {

// Reads up to size bytes into dest; whatever the file does not supply keeps
// its previous contents (the read goes through a buffer so that a partial
// record never disturbs the bytes past the end of the file).
void ReadInto(std::FILE* f, void* dest, size_t size) {
    static unsigned char buffer[sizeof(MenMap)];
    size_t got = std::fread(buffer, 1, size, f);
    std::memcpy(dest, buffer, got);
}

}  // namespace

int LoadMenFile(const char* path) {
    std::FILE* f = OpenGameFile(path, "rb");
    if (!f) {
        ReportDataFault(path, "missing or unreadable");
        return 0;
    }
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size != kMenFileSize)
            ReportDataFault(path, std::to_string(size) + " bytes instead of " + std::to_string(kMenFileSize) +
                                      ": what is missing keeps the previous stage's values");
        std::rewind(f);
    }
    for (auto& e : MenEvent) ReadInto(f, &e, sizeof e);
    for (auto& x : MenExtra) ReadInto(f, x, sizeof x);
    for (auto& t : TekiTemplate) ReadInto(f, &t, sizeof t);
    for (auto& g : TekiGroup) ReadInto(f, &g, sizeof g);
    std::fseek(f, kMenMapOffset, SEEK_SET);
    ReadInto(f, MenMap, sizeof MenMap);
    std::fclose(f);
    return 1;
}

int LoadMen(int stage) {
    char name[32];
    std::snprintf(name, sizeof name, "men%d.dat", stage);
    if (LoadMenFile(name) == 0) {
        plat::MessageBox("oh", "mygod");
        return 1;   // the OK button's result
    }
    return 1;
}

void ClearMenTables() {
    std::memset(MenEvent, 0, sizeof MenEvent);
    std::memset(MenExtra, 0, sizeof MenExtra);
    std::memset(TekiTemplate, 0, sizeof TekiTemplate);
    std::memset(TekiGroup, 0, sizeof TekiGroup);
    std::memset(MenMap, 0, sizeof MenMap);
}
