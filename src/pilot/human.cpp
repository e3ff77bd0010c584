// The human-like pilot: it acts on the play as it was kDelay frames ago
// (about 200 ms, a player's reaction time). From two glances it judges how
// each bullet and enemy moves and where it will be, and picks the direction
// that keeps its craft clearest of them over the next moments, as a player
// reads the screen; it never plays the game ahead. It moves at the craft's
// speed, with slack in its aim, misjudged positions and moments of
// hesitation; it fires always and lets go of the technique when it sees
// itself surrounded. Its own random numbers (seeded) make each run
// repeatable.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/core.h"
#include "enemy/enemy.h"
#include "input/input.h"
#include "pilot/pilot_internal.h"
#include "player/player.h"
#include "shot/shot.h"
#include "stage/stage.h"
#include "stage/stage_table.h"

namespace pilot {
namespace {

constexpr int kDelay = 13;      // frames between seeing and acting
constexpr int kAhead = 16;      // frames it thinks ahead
constexpr int kLook = 120;      // threats further than this go unnoticed
constexpr int kCrowd = 36;      // this near, a threat counts towards being surrounded

struct Thing {
    int id;                     // pool and index, to follow it between glances
    int x, y, hw, hh;
};

struct Glance {
    int x = 0, y = 0;           // the craft
    Spot want{70, 110};
    bool charge = false;
    int gauge = 0;
    int scrollPos = 0;          // where the walls were, on the stages that have them
    std::vector<Thing> things;
};

struct Human {
    uint32_t rng = 1;
    Glance ring[kDelay + 2];
    int frames = 0;
    int word = 0;
    int slack = 4;
    int jitterY = 0;
} hu;

int Rand(int n) {
    hu.rng = hu.rng * 1664525u + 1013904223u;
    return static_cast<int>((hu.rng >> 16) % static_cast<uint32_t>(n));
}

Glance Look() {
    Glance s;
    const GameStateRecord& g = GameState;
    s.x = g.playerX;
    s.y = g.playerY;
    s.want = ProgressSpot();
    s.charge = wazaOn == 0 && g.materLv >= 1;
    s.gauge = Player.gaugeCount;
    s.scrollPos = MenScroll[MS::scrollPos];
    auto near = [&](int x, int y, int hw, int hh) {
        return std::abs(x - s.x) - hw < kLook && std::abs(y - s.y) - hh < kLook;
    };
    for (int i = 0; i < kTamaMax; i++) {
        const TamaRecord& b = Tama[i];
        if (b.active == 1 && near(b.x, b.y, b.w / 2, b.h / 2)) s.things.push_back({i, b.x, b.y, b.w / 2, b.h / 2});
    }
    for (int i = 0; i < kTekiMax; i++) {
        const TekiRecord& t = Teki[i];
        if (t.active == 1 && near(t.x, t.y, t.w / 2, t.h / 2))
            s.things.push_back({kTamaMax + i, t.x, t.y, t.w / 2, t.h / 2});
    }
    return s;
}

bool Wall(const Glance& s, int x, int y) {
    const WallLayer& wall = StageRow(stageNo).wall;
    if (wall.kind == WallKind::None) return false;
    int col = ((WallOffset(wall, s.scrollPos) + x) >> 4) + 1, row = y >> 4;
    if (col < 0 || col >= kMapColumns || row < 0 || row >= kMapRows) return false;
    return IsWallTile(wall, MenMap[col][row][wall.layer]);
}

}  // namespace

void ResetHuman(uint32_t seed) {
    hu = Human{};
    hu.rng = seed * 2654435761u + 12345u;
}

int HumanWord() {
    constexpr int kRing = kDelay + 2;
    hu.ring[hu.frames % kRing] = Look();
    hu.frames++;
    if (hu.frames < kRing) return IN_B1;
    const Glance& s = hu.ring[(hu.frames + 1) % kRing];   // kDelay frames back
    const Glance& s1 = hu.ring[(hu.frames + 2) % kRing];  // the frame after it

    // Now and then the aim wanders, and the hand rests a moment.
    if (Rand(40) == 0) {
        hu.slack = 2 + Rand(8);
        hu.jitterY = Rand(25) - 12;
    }
    if (Rand(10) == 0) return hu.word;

    // How each thing seen moves (the same pool entry one frame later),
    // where it is judged to be, a little off.
    struct Moving {
        int x, y, hw, hh, vx, vy;
    };
    std::vector<Moving> seen;
    seen.reserve(s.things.size());
    int crowd = 0;
    for (const Thing& t : s.things) {
        int vx = 0, vy = 0;
        for (const Thing& u : s1.things)
            if (u.id == t.id) {
                vx = u.x - t.x;
                vy = u.y - t.y;
                break;
            }
        seen.push_back({t.x + Rand(7) - 3, t.y + Rand(7) - 3, t.hw, t.hh, vx, vy});
        if (std::max(std::abs(t.x - s.x), std::abs(t.y - s.y)) < kCrowd) crowd++;
    }

    // Each direction held for the next moments, from where the craft is
    // (a player knows where their own craft is, having steered it), against
    // where the things seen will have gone by then.
    const GameStateRecord& g = GameState;
    const int speed = CharTable[std::clamp(g.chno, 0, 9)].speed;
    const int wx = s.want.x, wy = std::clamp(s.want.y + hu.jitterY, 28, 180);
    int best = 0;
    long bestValue = 0;
    for (int k = 0; k < 9; k++) {
        const int m = kMoves[k];
        int x = g.playerX, y = g.playerY;
        int gap = 32;
        for (int f = 1; f <= kAhead; f++) {
            if (m & IN_UP) y = std::max(0, y - speed);
            if (m & IN_DOWN) y = std::min(200, y + speed);
            if (m & IN_LEFT) x = std::max(0, x - speed);
            if (m & IN_RIGHT) x = std::min(300, x + speed);
            if (Wall(s, x, y)) gap = 0;
            for (const Moving& t : seen) {
                const int ahead = kDelay + f;
                int gx = std::abs(t.x + t.vx * ahead - x) - t.hw - 6;
                int gy = std::abs(t.y + t.vy * ahead - y) - t.hh - 6;
                gap = std::min(gap, std::max({0, gx, gy}));
            }
        }
        // Edges are corners to be trapped in.
        const int edge = std::min({y, 200 - y, x, 300 - x});
        long v = gap * 40L - (std::abs(y - wy) + std::abs(x - wx) / 2) - std::max(0, 24 - edge) * 20L;
        if (k == 0 || v > bestValue) {
            bestValue = v;
            best = m;
        }
    }
    // Near enough to the spot and nothing to dodge: stay.
    if (bestValue > 31 * 40L && std::abs(g.playerY - wy) <= hu.slack && std::abs(g.playerX - wx) <= hu.slack * 4)
        best = 0;
    int word = best | IN_B1;
    const bool release = crowd >= 5 && s.gauge >= 30;
    if (s.charge && !release) word |= IN_B2;
    hu.word = word;
    return word;
}

}  // namespace pilot
