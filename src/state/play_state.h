// Play state: one list of every value the play logic reads and writes (the
// run record and flags, the pools, the player's own state, scenery and
// timeline positions, the random state, and the state kept for the whole
// program that a later run starts from). Snapshots, the state a replay
// carries into its run and the run's state hash all come from this list, so
// a value added to play is added here once and serves all three.
//
// Not in it: the stage file's other tables (read only during play, loaded
// at stage set-up; the timeline, which play marks, is in it), the frame gate (timing, not play), the sound channels and music
// (play never reads them back), the menus' own state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace playstate {

struct Block {
    const char* name;
    void* data;         // nullptr: a value reached through get and set
    size_t bytes;
    uint32_t (*get)();  // only for values with no address of their own
    void (*set)(uint32_t);
};
const std::vector<Block>& Blocks();
size_t TotalBytes();
// Names and sizes of the blocks, hashed: two builds whose lists differ
// cannot exchange saved state.
uint32_t LayoutId();

// The whole play state, in memory.
struct Snapshot {
    std::vector<uint8_t> bytes;
    std::vector<uint16_t> pixels;   // the work surface, when asked for
};
void Save(Snapshot& s, bool withPixels = false);
void Restore(const Snapshot& s);    // pixels too, when the snapshot has them

// FNV-1a over every byte of the list (no pixels).
uint64_t Hash();

// The state as bytes, with runs of zero bytes shortened (for files), and
// back; Unpack refuses bytes that do not make exactly the list's size, and
// with apply false only checks them.
std::vector<uint8_t> Pack();
bool Unpack(const uint8_t* data, size_t size, bool apply = true);

}  // namespace playstate
