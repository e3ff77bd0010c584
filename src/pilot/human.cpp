// The human-like pilot: it acts on the play as it was kDelay frames ago
// (about 200 ms, a player's reaction time), moves at the craft's speed
// towards a spot it aims for with some slack and hesitation, slips away
// from the threats it saw near the craft, fires always and lets go of the
// technique when it saw itself surrounded. It never looks ahead. Its own
// random numbers (seeded) make each run repeatable.
#include <algorithm>
#include <cstdlib>

#include "enemy/enemy.h"
#include "input/input.h"
#include "pilot/pilot_internal.h"
#include "player/player.h"
#include "shell/shell.h"
#include "shot/shot.h"

namespace pilot {
namespace {

constexpr int kDelay = 13;
constexpr int kSeenMax = 24;    // threats remembered per frame, the nearest
constexpr int kNear = 56;       // a threat this near is dodged
constexpr int kCrowd = 36;      // this near, it counts towards being surrounded

struct Seen {
    int x = 0, y = 0;           // the craft
    Spot want{70, 110};
    bool charge = false;
    int gauge = 0;
    int n = 0;
    int tx[kSeenMax], ty[kSeenMax];
};

struct Human {
    uint32_t rng = 1;
    Seen ring[kDelay + 1];
    int frames = 0;
    int word = 0;
    int slack = 4;
    int jitterY = 0;
} hu;

int Rand(int n) {
    hu.rng = hu.rng * 1664525u + 1013904223u;
    return static_cast<int>((hu.rng >> 16) % static_cast<uint32_t>(n));
}

// What a glance at the screen takes in now.
Seen Look() {
    Seen s;
    const GameStateRecord& g = GameState;
    s.x = g.playerX;
    s.y = g.playerY;
    s.want = ProgressSpot();
    s.charge = wazaOn == 0 && g.materLv >= 1;
    s.gauge = Player.gaugeCount;
    auto add = [&](int x, int y) {
        int d = std::abs(x - s.x) + std::abs(y - s.y);
        if (d > 2 * kNear) return;
        if (s.n < kSeenMax) {
            s.tx[s.n] = x;
            s.ty[s.n] = y;
            s.n++;
            return;
        }
        // Full: keep the nearest.
        int far = 0;
        for (int i = 1; i < kSeenMax; i++)
            if (std::abs(s.tx[i] - s.x) + std::abs(s.ty[i] - s.y) >
                std::abs(s.tx[far] - s.x) + std::abs(s.ty[far] - s.y))
                far = i;
        if (d < std::abs(s.tx[far] - s.x) + std::abs(s.ty[far] - s.y)) {
            s.tx[far] = x;
            s.ty[far] = y;
        }
    };
    for (const TamaRecord& b : Tama)
        if (b.active == 1) add(b.x, b.y);
    for (const TekiRecord& t : Teki)
        if (t.active == 1 && t.w <= 64 && t.h <= 64) add(t.x, t.y);
    return s;
}

}  // namespace

void ResetHuman(uint32_t seed) {
    hu = Human{};
    hu.rng = seed * 2654435761u + 12345u;
}

int HumanWord() {
    hu.ring[hu.frames % (kDelay + 1)] = Look();
    hu.frames++;
    if (hu.frames <= kDelay) return IN_B1;
    const Seen& s = hu.ring[hu.frames % (kDelay + 1)];  // the oldest: kDelay frames back

    // Now and then the aim wanders and the hand rests.
    if (Rand(30) == 0) {
        hu.slack = 2 + Rand(8);
        hu.jitterY = Rand(21) - 10;
    }
    if (Rand(12) == 0) return hu.word;

    // Away from what was near, weighted by nearness; else towards the spot.
    long ax = 0, ay = 0;
    int crowd = 0;
    for (int i = 0; i < s.n; i++) {
        int dx = s.x - s.tx[i], dy = s.y - s.ty[i];
        int d = std::max(std::abs(dx), std::abs(dy));
        if (d < kCrowd) crowd++;
        if (d >= kNear) continue;
        long w = (kNear - d) * (kNear - d);
        ax += dx * w / (d + 1);
        ay += dy * w / (d + 1);
    }
    int word = 0;
    if (std::abs(ax) + std::abs(ay) > 600) {
        if (ay < -200) word |= IN_UP;
        if (ay > 200) word |= IN_DOWN;
        if (ax < -200) word |= IN_LEFT;
        if (ax > 200) word |= IN_RIGHT;
        // Keep off the screen's edges while slipping away.
        if (s.y < 20) word &= ~IN_UP;
        if (s.y > 190) word &= ~IN_DOWN;
        if (s.x < 20) word &= ~IN_LEFT;
        if (s.x > 260) word &= ~IN_RIGHT;
    } else {
        word = Towards(s.x, s.y, s.want.x, s.want.y + hu.jitterY, hu.slack);
    }
    word |= IN_B1;
    const bool release = crowd >= 4 && s.gauge >= 30;
    if (s.charge && !release) word |= IN_B2;
    hu.word = word;
    return word;
}

}  // namespace pilot
