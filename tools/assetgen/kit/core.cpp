// Byte buffers, the deterministic random source and the error list.
#include "core.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace ag {

void PutLe16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void PutLe32(Bytes& b, uint32_t v) {
    PutLe16(b, v & 0xFFFF);
    PutLe16(b, v >> 16);
}
void PutBe16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
}
void PutBe32(Bytes& b, uint32_t v) {
    PutBe16(b, v >> 16);
    PutBe16(b, v & 0xFFFF);
}
void PutText(Bytes& b, std::string_view s) { b.insert(b.end(), s.begin(), s.end()); }
void SetLe16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void SetLe32(Bytes& b, size_t at, uint32_t v) {
    SetLe16(b, at, v & 0xFFFF);
    SetLe16(b, at + 2, v >> 16);
}

uint32_t Hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t HashText(std::string_view s) {
    uint32_t h = 2166136261U;
    for (unsigned char c : s) {
        h ^= c;
        h *= 16777619U;
    }
    return h;
}

Rng::Rng(uint32_t seed) : s(Hash32(seed ^ 0x9E3779B9U)) {
    if (s == 0) s = 0x12345678U;
}
uint32_t Rng::Next() {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return s;
}
int Rng::Range(int n) { return n <= 0 ? 0 : int(Next() % uint32_t(n)); }
int Rng::Between(int lo, int hi) { return lo + Range(hi - lo + 1); }
double Rng::Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }
double Rng::Signed() { return Unit() * 2.0 - 1.0; }

namespace {
std::vector<std::string>& ErrorList() {
    static std::vector<std::string> list;
    return list;
}
}  // namespace

void Fail(const std::string& message) { ErrorList().push_back(message); }
int ErrorCount() { return int(ErrorList().size()); }
const std::vector<std::string>& Errors() { return ErrorList(); }
void ClearErrors() { ErrorList().clear(); }
void PrefixErrorsSince(int from, const std::string& prefix) {
    auto& list = ErrorList();
    for (size_t i = size_t(std::max(from, 0)); i < list.size(); ++i) list[i] = prefix + list[i];
}

std::string Format(const char* fmt, ...) {
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return buf;
}

}  // namespace ag
