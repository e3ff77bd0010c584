// The planning pilot: from a snapshot of the play state it plays the next
// frames ahead for each input it considers (nothing drawn or heard), and
// takes the input that loses nothing and keeps furthest from harm,
// preferring the spot where the craft shoots best and the score it makes.
#include <algorithm>
#include <cstdlib>

#include "enemy/enemy.h"
#include "input/input.h"
#include "pilot/pilot_internal.h"
#include "player/player.h"
#include "shell/shell.h"
#include "state/play_state.h"

namespace pilot {
namespace {

constexpr int kShortHold = 5;    // the second try: move this long, then stay
constexpr int kSafeGap = 24;     // a threat further than this is no concern
constexpr int kNearGap = 12;     // nearer than this is a close call
constexpr int kCalmGap = 72;     // nothing this near: steer without looking ahead

int horizon = 18;                // frames played ahead for each input
int replan = 2;                  // frames between two decisions
int simWord = 0;
int SimInput() { return simWord; }

struct Outcome {
    bool harmed = false;
    int harmAt = 0;             // frame of the first harm
    int gap = kSafeGap;         // nearest threat over the horizon
    int gain = 0;               // score made
    int damage = 0;             // hit points taken from the enemies
    int x = 0, y = 0;           // where the craft ends
};

// Plays ahead from `base` with `first` for `hold` frames, then `then`.
Outcome Try(const playstate::Snapshot& base, int first, int hold, int then) {
    playstate::Restore(base);
    const int lives = GameState.lives, barrier = GameState.barrier, score = GameState.score;
    int hp[kTekiMax];
    for (int i = 0; i < kTekiMax; i++) hp[i] = Teki[i].active == 1 ? std::max(Teki[i].hp, 0) : -1;
    Outcome o;
    for (int f = 0; f < horizon; f++) {
        simWord = f < hold ? first : then;
        LookAheadFrame();
        if (GameState.lives < lives || GameState.barrier < barrier || gameOverFlag == 1) {
            o.harmed = true;
            o.harmAt = f;
            break;
        }
        if (clearFlag == 1) break;
        if (wazaOn2 == 0) o.gap = std::min(o.gap, ThreatGap(kSafeGap));  // a technique shields the craft
    }
    o.gain = GameState.score - score;
    for (int i = 0; i < kTekiMax; i++)
        if (hp[i] >= 0) o.damage += Teki[i].active == 1 ? std::max(hp[i] - Teki[i].hp, 0) : hp[i];
    o.x = GameState.playerX;
    o.y = GameState.playerY;
    return o;
}

// Higher is better: any harm ranks below every safe input, later harm above
// earlier.
long Value(const Outcome& o, const Spot& want) {
    if (o.harmed) return -1000000L + o.harmAt * 1000L;
    // Clear of harm by a few pixels is what counts; beyond that, being
    // where the shots land.
    long v = std::min(o.gap, kNearGap) * 60L + o.gap * 5L;
    v -= std::abs(o.y - want.y) * 2 + std::abs(o.x - want.x) / 2;
    v += std::min(o.gain, 2000) / 20 + std::min(o.damage, 400) * 16;
    // The screen's edges and corners are traps.
    const int edge = std::min({o.x, 200 - o.y, o.y, 300 - o.x});
    v -= std::max(0, 20 - edge) * 30L;
    return v;
}

struct State {
    int word = 0;               // the decided input, held between decisions
    int untilNext = 0;
} st;

}  // namespace

void ResetPlanner(int frames, int every) {
    st = State{};
    horizon = std::clamp(frames, kShortHold + 1, 60);
    replan = std::clamp(every, 1, 8);
}

int PlannerWord() {
    if (st.untilNext > 0) {
        st.untilNext--;
        return st.word;
    }
    st.untilNext = replan - 1;
    const GameStateRecord& g = GameState;
    const Spot want = ProgressSpot();
    // Charge the gauge whenever there is a stock; release it when nothing
    // else is safe.
    const bool charge = wazaOn == 0 && g.materLv >= 1;
    const int fire = IN_B1 | (charge ? IN_B2 : 0);
    const int steer = Towards(g.playerX, g.playerY, want.x, want.y, 2);
    playstate::Snapshot base;
    playstate::Save(base);
    int (*const savedInput)() = PlayerInput;
    PlayerInput = SimInput;
    // Nothing near: steering to the spot will do, unless it runs into harm
    // (the terrain is no threat ThreatGap sees).
    if (ThreatGap(kCalmGap) >= kCalmGap && !Try(base, steer | fire, horizon, steer | fire).harmed) {
        PlayerInput = savedInput;
        playstate::Restore(base);
        st.word = steer | fire;
        return st.word;
    }

    int best = steer | fire;
    long bestValue = 0;
    bool any = false;
    auto consider = [&](int first, int hold, int then) {
        long v = Value(Try(base, first, hold, then), want);
        if (!any || v > bestValue) {
            any = true;
            bestValue = v;
            best = first;
        }
    };
    for (int m : kMoves) consider(m | fire, horizon, m | fire);
    if (bestValue < 0)
        for (int m : kMoves) consider(m | fire, kShortHold, fire);
    // The technique: let go of a charged gauge when a threat is near or a
    // boss is on screen (the craft cannot be hit while it runs, and it
    // hurts every enemy).
    const bool boss = itemDrop == 0;
    if (charge && Player.gaugeCount >= 30 && (bestValue < 0 || boss || ThreatGap(kSafeGap) < kSafeGap / 2))
        for (int m : kMoves) consider(m | IN_B1, horizon, m | IN_B1);

    PlayerInput = savedInput;
    playstate::Restore(base);
    st.word = best;
    return st.word;
}

}  // namespace pilot
