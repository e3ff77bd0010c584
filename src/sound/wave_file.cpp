// RIFF/WAVE reading over plain file I/O: the format record and the data chunk.
#include <algorithm>
#include <cstring>

#include "core/core.h"
#include "sound/sound.h"

namespace {

constexpr uint32_t FourCC(const char* s) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[0])) | static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[3])) << 24;
}

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }

bool ReadAt(std::FILE* f, long pos, void* buf, size_t n) {
    return std::fseek(f, pos, SEEK_SET) == 0 && std::fread(buf, 1, n, f) == n;
}

// Finds chunk `id` among the chunks between begin and end (chunks are padded
// to even sizes). A size running past end is cut to what is there.
bool FindChunk(std::FILE* f, long begin, long end, uint32_t id, RiffChunkInfo& out) {
    long pos = begin;
    while (pos + 8 <= end) {
        uint8_t head[8];
        if (!ReadAt(f, pos, head, 8)) return false;
        uint32_t size = U32(head + 4);
        long body = pos + 8;
        if (U32(head) == id) {
            out.id = id;
            out.offset = body;
            out.size = static_cast<uint32_t>(std::min<long long>(size, end - body));
            return true;
        }
        pos = body + static_cast<long>(size) + static_cast<long>(size & 1);
        if (pos < body) return false;  // overflowed
    }
    return false;
}

int32_t Fail(WaveFile& w) {
    CloseWave(w);
    w.format.reset();
    return E_FAIL;
}

}  // namespace

int32_t OpenWave(WaveFile& w, const char* path) {
    w.format.reset();
    CloseWave(w);
    w.handle = OpenGameFile(path, "rb");
    if (!w.handle) return E_FAIL;
    if (std::fseek(w.handle, 0, SEEK_END) != 0) return Fail(w);
    w.fileSize = std::ftell(w.handle);

    uint8_t head[12];
    if (!ReadAt(w.handle, 0, head, 12) || U32(head) != FourCC("RIFF") || U32(head + 8) != FourCC("WAVE"))
        return Fail(w);
    w.riffChunk.id = FourCC("RIFF");
    w.riffChunk.offset = 8;
    w.riffChunk.size = static_cast<uint32_t>(std::min<long long>(U32(head + 4), w.fileSize - 8));
    long riffEnd = 8 + static_cast<long>(w.riffChunk.size);

    RiffChunkInfo fmt;
    if (!FindChunk(w.handle, 12, riffEnd, FourCC("fmt "), fmt) || fmt.size < 16) return Fail(w);
    uint8_t rec[16];
    if (!ReadAt(w.handle, fmt.offset, rec, 16)) return Fail(w);
    WaveFormatEx f;
    f.formatTag = U16(rec);
    f.channels = U16(rec + 2);
    f.samplesPerSec = U32(rec + 4);
    f.avgBytesPerSec = U32(rec + 8);
    f.blockAlign = U16(rec + 12);
    f.bitsPerSample = U16(rec + 14);
    if (f.formatTag != 1) {
        // Other formats carry a size and that many extra bytes, all inside the chunk.
        uint8_t n[2];
        if (fmt.size < 18 || std::fread(n, 1, 2, w.handle) != 2) return Fail(w);
        f.extraSize = U16(n);
        if (fmt.size < 18u + f.extraSize) return Fail(w);
        f.extra.resize(f.extraSize);
        if (f.extraSize && std::fread(f.extra.data(), 1, f.extraSize, w.handle) != f.extraSize) return Fail(w);
    }
    w.format = std::move(f);
    if (ResetWave(w) != 0) return Fail(w);
    return 0;
}

int32_t ResetWave(WaveFile& w) {
    if (!w.handle) return E_FAIL;
    long riffEnd = w.riffChunk.offset + static_cast<long>(w.riffChunk.size);
    RiffChunkInfo data;
    if (!FindChunk(w.handle, 12, riffEnd, FourCC("data"), data)) return E_FAIL;
    if (std::fseek(w.handle, data.offset, SEEK_SET) != 0) return E_FAIL;
    w.dataChunk = data;
    return 0;
}

int32_t ReadWave(WaveFile& w, uint32_t size, uint8_t* buffer, uint32_t* read) {
    if (read) *read = 0;
    if (!w.handle) return E_FAIL;
    uint32_t want = std::min(size, w.dataChunk.size);
    size_t got = want ? std::fread(buffer, 1, want, w.handle) : 0;
    w.dataChunk.size -= static_cast<uint32_t>(got);
    if (read) *read = static_cast<uint32_t>(got);
    return got == want ? 0 : E_FAIL;
}

void CloseWave(WaveFile& w) {
    if (w.handle) std::fclose(w.handle);
    w.handle = nullptr;
}
