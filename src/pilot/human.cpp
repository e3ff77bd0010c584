// The human-like pilot: it acts on the play as it was kDelay frames ago
// (about 200 ms, a player's reaction time). From two glances a few frames
// apart it judges how each bullet and enemy moves, carries what it saw on
// in straight lines to the moment it acts and beyond, with less certainty
// the further it guesses, and picks the path that keeps a margin from every
// threat and from the walls, in open space and near where its shots land,
// as a player reads the screen; it never plays the game ahead. It moves at
// the craft's speed, with slack in its aim, misjudged positions and moments
// of hesitation; it fires always and lets go of the technique when it sees
// itself surrounded or cornered. Its own random numbers (seeded) make each
// run repeatable.
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

constexpr int kDelay = 12;      // frames between seeing and acting
constexpr int kSpan = 4;        // frames between the two glances that show motion
constexpr int kRing = kDelay + kSpan + 1;
constexpr int kAhead = 20;      // frames of its own path it weighs
constexpr int kShortHold = 6;   // the other kind of path: move this long, then stay
constexpr int kComfort = 14;    // nearer than this to a threat feels tight
constexpr int kBodyRoom = 36;   // the room it likes to keep from an enemy
constexpr int kWaveX = 44;      // far enough back to see what comes in time
constexpr int kBossX = 64;      // a boss fight: room to dodge, and a shorter way for the shots
constexpr int kCrowd = 36;      // this near, a threat counts towards being surrounded

struct Thing {
    int id;                     // pool entry (and hit box), to follow it between glances
    int x, y, hw, hh;           // the part that hurts: centre and half sizes
    bool body;                  // an enemy, not a bullet
};

struct Glance {
    Spot want{70, 110};
    bool charge = false;
    int gauge = 0;
    int scrollPos = 0;          // where the walls were, on the stages that have them
    std::vector<Thing> things;
};

struct Human {
    uint32_t rng = 1;
    Glance ring[kRing];
    int frames = 0;
    int word = 0;
    int slack = 4;
    int jitterY = 0;
} hu;

int Rand(int n) {
    hu.rng = hu.rng * 1664525u + 1013904223u;
    return static_cast<int>((hu.rng >> 16) % static_cast<uint32_t>(n));
}

bool OnScreen(int x, int y) { return x > -24 && x < 344 && y > -24 && y < 264; }

// What a player sees of the play: the bullets and the parts of enemies
// that hurt (the whole sprite, or its harmful boxes), listed by rising id.
Glance Look() {
    Glance s;
    const GameStateRecord& g = GameState;
    s.want = ProgressSpot(kWaveX, kBossX);
    s.charge = wazaOn == 0 && g.materLv >= 1;
    s.gauge = Player.gaugeCount;
    s.scrollPos = MenScroll[MS::scrollPos];
    for (int i = 0; i < kTamaMax; i++) {
        const TamaRecord& b = Tama[i];
        if (b.active == 1 && OnScreen(b.x, b.y)) s.things.push_back({i, b.x, b.y, b.w >> 1, b.h >> 1, false});
    }
    for (int i = 0; i < kTekiMax; i++) {
        const TekiRecord& t = Teki[i];
        // A beam's charge warns of the band it will sweep, the whole screen
        // wide at the charge's height; a player learns to leave that row.
        const bool charging = (t.type == 8 || t.type == 38) && t.w < 320;
        if (charging && t.active != 0) {
            s.things.push_back({kTamaMax + i * 3, 100, t.y, 190, t.type == 8 ? 32 : 24, true});
            continue;
        }
        if (t.active != 1 || !OnScreen(t.x, t.y)) continue;
        const int mode = t.box[0].kind;
        if (mode == 0) s.things.push_back({kTamaMax + i * 3, t.x, t.y, t.w >> 1, t.h >> 1, true});
        for (int b = 0; mode >= 2 && b < 3; b++) {
            const TekiBox& k = t.box[b];
            if (k.kind >= 2)
                s.things.push_back({kTamaMax + i * 3 + b, t.x + (k.left + k.right) / 2, t.y + (k.top + k.bottom) / 2,
                                    (k.right - k.left) / 2, (k.bottom - k.top) / 2, true});
        }
    }
    return s;
}

// Would the craft hit the wall at (x, y) with the scenery at scrollPos?
bool Wall(int scrollPos, int x, int y) {
    const WallLayer& wall = StageRow(stageNo).wall;
    if (wall.kind == WallKind::None) return false;
    int col = ((WallOffset(wall, scrollPos) + x) >> 4) + 1, row = y >> 4;
    if (col < 0 || col >= kMapColumns || row < 0 || row >= kMapRows) return false;
    return IsWallTile(wall, MenMap[col][row][wall.layer]);
}

// A threat as judged: where it was seen, its motion in 16ths of a pixel a
// frame, and how far its guessed place may be off per frame guessed.
struct Moving {
    int x, y, hw, hh, vx, vy, doubt;
    bool body;
};

// The glance taken `back` frames before the newest one.
const Glance& Back(int back) { return hu.ring[(hu.frames - 1 - back) % kRing]; }

// The thing with this id in a glance, or null.
const Thing* Find(const Glance& e, int id) {
    auto it = std::lower_bound(e.things.begin(), e.things.end(), id, [](const Thing& t, int v) { return t.id < v; });
    return it != e.things.end() && it->id == id ? &*it : nullptr;
}

}  // namespace

void ResetHuman(uint32_t seed) {
    hu = Human{};
    hu.rng = seed * 2654435761u + 12345u;
}

int HumanWord() {
    hu.ring[hu.frames % kRing] = Look();
    hu.frames++;
    if (hu.frames < kRing) return IN_B1;
    const Glance& s = Back(kDelay);            // what it sees now
    const Glance& old = Back(kDelay + kSpan);  // a moment before

    // Now and then the aim wanders, and the hand rests a moment.
    if (Rand(40) == 0) {
        hu.slack = 2 + Rand(8);
        hu.jitterY = Rand(25) - 12;
    }
    if (Rand(10) == 0) return hu.word;

    const GameStateRecord& g = GameState;
    // A player knows where their own craft is, having steered it.
    const int cx = g.playerX, cy = g.playerY;

    std::vector<Moving> seen;
    seen.reserve(s.things.size());
    int crowd = 0;
    for (const Thing& t : s.things) {
        int vx = 0, vy = 0;
        bool known = false;
        // Where it was in the glances before: the earliest of them that shows
        // it gives its motion.
        for (int j = 0; j < kSpan && !known; j++) {
            const int span = kSpan - j;
            const Thing* seenThen = Find(Back(kDelay + span), t.id);
            if (!seenThen) continue;
            const Thing& o = *seenThen;
            // A jump too far to be motion is a new thing in the same place.
            if (std::abs(t.x - o.x) > 12 * span || std::abs(t.y - o.y) > 12 * span) break;
            vx = (t.x - o.x) * 16 / span;
            vy = (t.y - o.y) * 16 / span;
            known = true;
        }
        if (!known) {
            // Just appeared: assume the worst, that it comes at the craft.
            const int dx = cx - t.x, dy = cy - t.y, d = std::max(1, std::abs(dx) + std::abs(dy));
            vx = dx * 48 / d;
            vy = dy * 48 / d;
        }
        const int x = t.x + Rand(5) - 2, y = t.y + Rand(5) - 2;
        // Where it is now, guessed; what could never come near is ignored.
        const int nx = x + vx * kDelay / 16, ny = y + vy * kDelay / 16;
        const int reach = (std::abs(vx) + std::abs(vy)) * (kAhead + 8) / 16 + 6 * kAhead + 24;
        if (std::abs(nx - cx) - t.hw > reach || std::abs(ny - cy) - t.hh > reach) continue;
        const int doubt = (std::abs(vx) + std::abs(vy)) / 6 + (t.body ? 6 : 0) + (known ? 0 : 8);
        seen.push_back({x, y, t.hw, t.hh, vx, vy, doubt, t.body});
        if (std::max(std::abs(nx - cx), std::abs(ny - cy)) < kCrowd) crowd++;
    }
    const int scrollStep = (s.scrollPos - old.scrollPos) * 16 / kSpan;

    const int speed = CharTable[std::clamp(g.chno, 0, 9)].speed;
    int wy = s.want.y;
    // An enemy behind the craft cannot be shot; being level with it only
    // puts the craft in its way.
    if (s.want.aimX >= 0 && s.want.aimX < cx + 24) wy = wy < 100 ? wy + 90 : wy - 90;
    const int wx = s.want.x;
    wy = std::clamp(wy + hu.jitterY, 28, 180);
    int best = 0;
    long bestValue = 0;
    int bestFirstHit = kAhead + 1;
    long stayValue = 0;
    bool staySafe = false;
    for (int k = 0; k < 17; k++) {
        const int m = kMoves[(k + 1) / 2];
        const int hold = k % 2 == 1 ? kShortHold : kAhead;
        if (k > 0 && m == 0) continue;
        int x = cx, y = cy;
        long cost = 0;
        int firstHit = kAhead + 1;
        for (int f = 1; f <= kAhead; f++) {
            if (f <= hold) {
                if (m & IN_UP) y = y < 4 ? 0 : y - speed;
                if (m & IN_DOWN) y = y >= 196 ? 200 : y + speed;
                if (m & IN_LEFT) x = x < 4 ? 0 : x - speed;
                if (m & IN_RIGHT) x = x >= 296 ? 300 : x + speed;
            }
            const int t = kDelay + f;   // frames guessed past what was seen
            const int weight = kAhead + 4 - f;  // the near moments matter most
            int gap = kComfort, bodyGap = kBodyRoom * 2;
            for (const Moving& th : seen) {
                const int margin = 2 + th.doubt * t / 16;
                const int gx = std::abs(th.x + th.vx * t / 16 - x) - th.hw - 4;
                const int gy = std::abs(th.y + th.vy * t / 16 - y) - th.hh - 4;
                gap = std::min(gap, std::max(gx, gy) - margin);
                // The bigger the enemy, the more room it wants.
                if (th.body) bodyGap = std::min(bodyGap, std::max(gx, gy) - margin - std::max(th.hw, th.hh) / 2);
            }
            // Enemies close by fire from close by: keep some room from them.
            const int tight = std::max(0, kBodyRoom - std::max(bodyGap, 0));
            cost += long(tight) * tight * weight / 32;
            const int scroll = s.scrollPos + scrollStep * t / 16;
            if (Wall(scroll, x, y)) gap = std::min(gap, -1);
            else if (Wall(scroll, x + 6, y) || Wall(scroll, x, y - 5) || Wall(scroll, x, y + 5))
                gap = std::min(gap, 2);
            if (gap < 0) {
                cost += 400L * weight;
                firstHit = std::min(firstHit, f);
            } else {
                cost += long(kComfort - gap) * (kComfort - gap) * weight / 4;
            }
        }
        // Open space: few threats near where the path ends.
        int near = 0;
        for (const Moving& th : seen) {
            const int t = kDelay + kAhead;
            if (std::abs(th.x + th.vx * t / 16 - x) < 48 && std::abs(th.y + th.vy * t / 16 - y) < 48) near++;
        }
        // The screen's edges, worse its corners, are traps.
        const int ex = std::max(0, 28 - std::min(x, 300 - x)), ey = std::max(0, 28 - std::min(y, 200 - y));
        long v = -cost - near * 150L - (std::abs(y - wy) * 2 + std::abs(x - wx) / 2) * 4 - (ex * ex + ey * ey) * 8L;
        if (k == 0) {
            stayValue = v;
            staySafe = firstHit > kAhead;
        }
        if (k == 0 || v > bestValue) {
            bestValue = v;
            best = m;
            bestFirstHit = firstHit;
        }
    }
    // Near enough to the spot and nothing pressing: stay.
    if (staySafe && stayValue > bestValue - 400 && std::abs(cy - wy) <= hu.slack && std::abs(cx - wx) <= hu.slack * 4)
        best = 0;
    int word = best | IN_B1;
    const bool release = (crowd >= 5 || bestFirstHit <= 6) && s.gauge >= 30;
    if (s.charge && !release) word |= IN_B2;
    hu.word = word;
    return word;
}

}  // namespace pilot
