// The planning pilot: from a snapshot of the play state it plays the next
// frames ahead for each input it considers (nothing drawn or heard), and
// takes the input that loses nothing and keeps furthest from harm,
// preferring the spot where the craft shoots best and the score it makes.
#include <algorithm>
#include <cstdlib>

#include "input/input.h"
#include "pilot/pilot_internal.h"
#include "player/player.h"
#include "shell/shell.h"
#include "state/play_state.h"

namespace pilot {
namespace {

constexpr int kHorizon = 18;     // frames played ahead for each input
constexpr int kShortHold = 5;    // the second try: move this long, then stay
constexpr int kReplan = 2;       // frames between two decisions
constexpr int kSafeGap = 24;     // a threat further than this is no concern
constexpr int kCalmGap = 72;     // nothing this near: steer without looking ahead

int simWord = 0;
int SimInput() { return simWord; }

struct Outcome {
    bool harmed = false;
    int harmAt = 0;             // frame of the first harm
    int gap = kSafeGap;         // nearest threat over the horizon
    int gain = 0;               // score made
    int x = 0, y = 0;           // where the craft ends
};

// Plays ahead from `base` with `first` for `hold` frames, then `then`.
Outcome Try(const playstate::Snapshot& base, int first, int hold, int then) {
    playstate::Restore(base);
    const int lives = GameState.lives, barrier = GameState.barrier, score = GameState.score;
    Outcome o;
    for (int f = 0; f < kHorizon; f++) {
        simWord = f < hold ? first : then;
        LookAheadFrame();
        if (GameState.lives < lives || GameState.barrier < barrier || gameOverFlag == 1) {
            o.harmed = true;
            o.harmAt = f;
            break;
        }
        if (clearFlag == 1) break;
        o.gap = std::min(o.gap, ThreatGap(kSafeGap));
    }
    o.gain = GameState.score - score;
    o.x = GameState.playerX;
    o.y = GameState.playerY;
    return o;
}

// Higher is better: any harm ranks below every safe input, later harm above
// earlier.
long Value(const Outcome& o, const Spot& want) {
    if (o.harmed) return -1000000L + o.harmAt * 1000L;
    long v = o.gap * 40L;
    v -= std::abs(o.y - want.y) + std::abs(o.x - want.x) / 2;
    v += std::min(o.gain, 2000) / 20;
    return v;
}

struct State {
    int word = 0;               // the decided input, held between decisions
    int untilNext = 0;
} st;

}  // namespace

void ResetPlanner() { st = State{}; }

int PlannerWord() {
    if (st.untilNext > 0) {
        st.untilNext--;
        return st.word;
    }
    st.untilNext = kReplan - 1;
    const GameStateRecord& g = GameState;
    const Spot want = ProgressSpot();
    // Charge the gauge whenever there is a stock; release it when nothing
    // else is safe.
    const bool charge = wazaOn == 0 && g.materLv >= 1;
    const int fire = IN_B1 | (charge ? IN_B2 : 0);
    const int steer = Towards(g.playerX, g.playerY, want.x, want.y, 2);
    if (ThreatGap(kCalmGap) >= kCalmGap && entryOn == 1) {
        st.word = steer | fire;
        return st.word;
    }

    playstate::Snapshot base;
    playstate::Save(base);
    int (*const savedInput)() = PlayerInput;
    PlayerInput = SimInput;

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
    for (int m : kMoves) consider(m | fire, kHorizon, m | fire);
    if (bestValue < 0) {
        for (int m : kMoves) consider(m | fire, kShortHold, fire);
        // The technique: let go of a charged gauge (the craft cannot be hit
        // while it runs).
        if (bestValue < 0 && charge && Player.gaugeCount >= 30)
            for (int m : kMoves) consider(m | IN_B1, kHorizon, m | IN_B1);
    }

    PlayerInput = savedInput;
    playstate::Restore(base);
    st.word = best;
    return st.word;
}

}  // namespace pilot
