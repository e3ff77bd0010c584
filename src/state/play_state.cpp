// The play state as one list of named blocks: saved, restored and hashed whole.
#include "state/play_state.h"

#include <cstring>
#include <type_traits>

#include "core/core.h"
#include "enemy/enemy.h"
#include "player/player.h"
#include "shot/shot.h"
#include "stage/stage.h"
#include "video/video.h"

namespace playstate {
namespace {

// Hashing and saving copy bytes, so no block may hold padding whose value
// the language leaves open.
template <typename T>
Block Of(const char* name, T& v) {
    static_assert(std::has_unique_object_representations_v<std::remove_all_extents_t<T>>,
                  "a play-state block has padding: name it as a member");
    return Block{name, &v, sizeof v, nullptr, nullptr};
}

std::vector<Block> MakeBlocks() {
    return {
        // the run record and the run flags and counters
        Of("GameState", GameState),
        Of("stageNo", stageNo),
        Of("menFrame", menFrame),
        Of("MenScroll", MenScroll),
        Of("quitFlag", quitFlag),
        Of("restartFlag", restartFlag),
        Of("continueFlag", continueFlag),
        Of("gameOverFlag", gameOverFlag),
        Of("clearFlag", clearFlag),
        Of("bossDown", bossDown),
        Of("wazaReq", wazaReq),
        Of("wazaOn", wazaOn),
        Of("wazaOn2", wazaOn2),
        Of("wazaCharge", wazaCharge),
        Of("entryOn", entryOn),
        Of("entryVoice", entryVoice),
        Of("dying", dying),
        Of("invincible", invincible),
        Of("itemDrop", itemDrop),
        Of("inputOn", inputOn),
        // the timeline marks its entries used as they fire
        Of("MenEvent", MenEvent),
        // the pools (their free entries too: only the flags are reset)
        Of("Teki", Teki),
        Of("Tama", Tama),
        Of("Shot", Shot),
        Of("Item", Item),
        Of("ItemLabel", ItemLabel),
        Of("Explosion", Explosion),
        Of("Spark", Spark),
        Of("Burst", Burst),
        // state kept for the whole program
        Of("Player", Player),
        Of("Waza", Waza),
        Of("TekiTrail", TekiTrail),
        Of("trailLastOn", trailLastOn),
        Of("wallPattern", wallPattern),
        Of("Flake", Flake),
        Of("Streak", Streak),
        Of("flakesCleared", flakesCleared),
        Of("blastTime", blastTime),
        Of("clearTime", clearTime),
        Block{"random", nullptr, 4, GameRandState, GameSrand},
    };
}

void Write32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
uint32_t Read32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void SaveBytes(std::vector<uint8_t>& out) {
    out.resize(TotalBytes());
    uint8_t* p = out.data();
    for (const Block& b : Blocks()) {
        if (b.data)
            std::memcpy(p, b.data, b.bytes);
        else
            Write32(p, b.get());
        p += b.bytes;
    }
}

void RestoreBytes(const uint8_t* p) {
    for (const Block& b : Blocks()) {
        if (b.data)
            std::memcpy(b.data, p, b.bytes);
        else
            b.set(Read32(p));
        p += b.bytes;
    }
}

}  // namespace

const std::vector<Block>& Blocks() {
    static const std::vector<Block> blocks = MakeBlocks();
    return blocks;
}

size_t TotalBytes() {
    static const size_t total = [] {
        size_t n = 0;
        for (const Block& b : Blocks()) n += b.bytes;
        return n;
    }();
    return total;
}

uint32_t LayoutId() {
    uint32_t h = 2166136261u;
    auto add = [&](uint8_t c) { h = (h ^ c) * 16777619u; };
    for (const Block& b : Blocks()) {
        for (const char* c = b.name; *c; c++) add(static_cast<uint8_t>(*c));
        for (int i = 0; i < 4; i++) add(static_cast<uint8_t>(b.bytes >> (8 * i)));
    }
    return h;
}

void Save(Snapshot& s, bool withPixels) {
    SaveBytes(s.bytes);
    if (withPixels && WorkSurface)
        s.pixels = WorkSurface->pixels;
    else
        s.pixels.clear();
}

void Restore(const Snapshot& s) {
    if (s.bytes.size() != TotalBytes()) return;
    RestoreBytes(s.bytes.data());
    if (!s.pixels.empty() && WorkSurface && WorkSurface->pixels.size() == s.pixels.size())
        WorkSurface->pixels = s.pixels;
}

uint64_t Hash() {
    uint64_t h = 0xcbf29ce484222325ull;
    auto add = [&](const uint8_t* p, size_t n) {
        for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 0x100000001b3ull;
    };
    for (const Block& b : Blocks()) {
        if (b.data) {
            add(static_cast<const uint8_t*>(b.data), b.bytes);
        } else {
            uint8_t v[4];
            Write32(v, b.get());
            add(v, 4);
        }
    }
    return h;
}

// A zero byte is followed by how many zeros it stands for (1..255).
std::vector<uint8_t> Pack() {
    std::vector<uint8_t> raw, out;
    SaveBytes(raw);
    for (size_t i = 0; i < raw.size();) {
        if (raw[i] != 0) {
            out.push_back(raw[i++]);
            continue;
        }
        size_t n = 1;
        while (i + n < raw.size() && raw[i + n] == 0 && n < 255) n++;
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(n));
        i += n;
    }
    return out;
}

bool Unpack(const uint8_t* data, size_t size, bool apply) {
    std::vector<uint8_t> raw;
    raw.reserve(TotalBytes());
    for (size_t i = 0; i < size; i++) {
        if (data[i] != 0) {
            raw.push_back(data[i]);
        } else {
            if (i + 1 >= size || data[i + 1] == 0) return false;
            raw.insert(raw.end(), data[i + 1], 0);
            i++;
        }
        if (raw.size() > TotalBytes()) return false;
    }
    if (raw.size() != TotalBytes()) return false;
    if (apply) RestoreBytes(raw.data());
    return true;
}

}  // namespace playstate
