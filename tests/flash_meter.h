// How much of the screen the hit drawing of enemies flashes, frame by frame:
// a pixel counts when drawing the enemy as hit changes its relative luminance
// by a tenth or more (with the darker side below 0.8), the usual measure of a
// flash for photosensitive viewers. Frames are grouped by fight; for each,
// the largest share of the screen, the flashes a second and the most flashes
// in any one second, all flashes and those over a quarter of the screen.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "enemy/enemy.h"
#include "video/video.h"

namespace flashmeter {

constexpr int kW = 320, kH = 240;
constexpr int kFramesPerSecond = 64;   // three play frames take 15 + 16 + 16 ms
constexpr double kLarge = 0.25;

struct FightSeen {
    std::vector<double> areas;         // share of the screen flashed, one per play frame
    double maxArea = 0;
    int flashes = 0, large = 0;        // flashes begun (all, over a quarter of the screen)
    int worstBurst = 0, worstLargeBurst = 0;   // most begun within one second
    double Rate() const { return areas.empty() ? 0 : flashes * double(kFramesPerSecond) / double(areas.size()); }
};

class Meter {
public:
    void Install() {
        active_ = this;
        mask_.assign(kW * kH, 0);
        tekiHitDrawn = Seen;
    }
    void Remove() {
        tekiHitDrawn = nullptr;
        active_ = nullptr;
    }
    // Closes a play frame: its flashed share goes to the fight named (none: not in a fight).
    void EndFrame(const std::string& fight) {
        const long n = std::count(mask_.begin(), mask_.end(), 1);
        std::fill(mask_.begin(), mask_.end(), 0);
        if (!fight.empty()) fights_[fight].areas.push_back(double(n) / (kW * kH));
    }
    std::map<std::string, FightSeen> Fights() const {
        std::map<std::string, FightSeen> out = fights_;
        for (auto& [name, f] : out) {
            std::vector<long> starts, largeStarts;
            for (size_t i = 0; i < f.areas.size(); i++) {
                const double was = i ? f.areas[i - 1] : 0;
                f.maxArea = std::max(f.maxArea, f.areas[i]);
                if (f.areas[i] > 0 && was == 0) starts.push_back(long(i));
                if (f.areas[i] > kLarge && was <= kLarge) largeStarts.push_back(long(i));
            }
            f.flashes = int(starts.size());
            f.large = int(largeStarts.size());
            f.worstBurst = WorstSecond(starts);
            f.worstLargeBurst = WorstSecond(largeStarts);
        }
        return out;
    }

private:
    static int WorstSecond(const std::vector<long>& starts) {
        int worst = 0;
        for (size_t i = 0, j = 0; i < starts.size(); i++) {
            while (starts[i] - starts[j] >= kFramesPerSecond) j++;
            worst = std::max(worst, int(i - j + 1));
        }
        return worst;
    }
    static double Luminance(uint16_t p) {
        static std::vector<double> table[2];
        std::vector<double>& t = table[PixelFormat565 ? 1 : 0];
        if (t.empty())
            for (int v = 0; v < 65536; v++) t.push_back(Compute(uint16_t(v)));
        return t[p];
    }
    static double Compute(uint16_t p) {
        const int r = PixelFormat565 ? p >> 11 : (p >> 10) & 31;
        const int g = PixelFormat565 ? ((p >> 5) & 63) : (((p >> 5) & 31) << 1);
        const int b = p & 31;
        auto lin = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(r / 31.0) + 0.7152 * lin(g / 63.0) + 0.0722 * lin(b / 31.0);
    }
    // The hook: the rectangle's pixels before the hit drawing, then the flashed ones after it.
    static void Seen(int left, int top, int w, int h, bool after) {
        Meter& m = *active_;
        if (!WorkSurface) return;
        const int l = std::max(left, 0), t = std::max(top, 0);
        const int r = std::min(left + w, kW), b = std::min(top + h, kH);
        if (!after) m.before_.clear();
        for (int y = t; y < b; y++)
            for (int x = l; x < r; x++) {
                const uint16_t p = WorkSurface->pixels[size_t(y * kW + x)];
                if (!after) {
                    m.before_.push_back(p);
                    continue;
                }
                const uint16_t q = m.before_[size_t((y - t) * (r - l) + (x - l))];
                if (p == q) continue;
                const double a = Luminance(p), c = Luminance(q);
                if (std::abs(a - c) >= 0.1 && std::min(a, c) < 0.8) m.mask_[size_t(y * kW + x)] = 1;
            }
    }
    static inline Meter* active_ = nullptr;
    std::vector<uint8_t> mask_;
    std::vector<uint16_t> before_;
    std::map<std::string, FightSeen> fights_;
};

}  // namespace flashmeter
