// Core of the data generator: byte buffers, a deterministic random source, rectangles, errors.
//
// Core of the data generator: byte buffers, a deterministic random source,
// rectangles and the error list that makes the tool refuse to finish.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ag {

using Bytes = std::vector<uint8_t>;

// Little- and big-endian appends for file writers.
void PutLe16(Bytes& b, uint32_t v);
void PutLe32(Bytes& b, uint32_t v);
void PutBe16(Bytes& b, uint32_t v);
void PutBe32(Bytes& b, uint32_t v);
void PutText(Bytes& b, std::string_view s);   // raw characters, no terminator
void SetLe16(Bytes& b, size_t at, uint32_t v);
void SetLe32(Bytes& b, size_t at, uint32_t v);

// Deterministic random numbers (xorshift32 with a mixed seed): the same seed
// gives the same sequence on every run and every machine.
struct Rng {
    uint32_t s;
    explicit Rng(uint32_t seed);
    uint32_t Next();
    int Range(int n);              // 0..n-1 (n > 0)
    int Between(int lo, int hi);   // lo..hi inclusive
    double Unit();                 // [0, 1)
    double Signed();               // [-1, 1)
};
uint32_t Hash32(uint32_t x);                       // integer mixer
uint32_t HashText(std::string_view s);             // FNV-1a, for seeds from names

// A rectangle as the game writes it: left, top, right, bottom; right and
// bottom exclusive.
struct Rect {
    int l = 0, t = 0, r = 0, b = 0;
    int W() const { return r - l; }
    int H() const { return b - t; }
    bool Empty() const { return r <= l || b <= t; }
    bool Overlaps(const Rect& o) const { return l < o.r && o.l < r && t < o.b && o.t < b; }
    bool Contains(int x, int y) const { return x >= l && x < r && y >= t && y < b; }
};
inline Rect RectWH(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

// Errors: content reports problems here; the tool prints them all and exits
// non-zero, so the build never stamps a broken data folder.
void Fail(const std::string& message);
int ErrorCount();
const std::vector<std::string>& Errors();
void ClearErrors();
// Puts `prefix` before every error reported since ErrorCount() was `from`.
void PrefixErrorsSince(int from, const std::string& prefix);

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ag
