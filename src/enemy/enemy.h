// Enemies: the pool of 100, the spawn timeline, every type's behaviour.
#pragma once

#include <cstdint>

// One hit box; the edges are offsets from the enemy's centre.
struct TekiBox {
    int kind;
    int left, right, top, bottom;
};

// One enemy. Field order is fixed.
struct TekiRecord {
    int type;
    int x, y;                       // sprite centre
    int w, h;
    int hp;
    int sheetX, sheetY;             // frame 0 on the enemy sheet (slot 3)
    int frame;
    int work[10];
    int active;                     // 0 free, 1 live, 2 hidden (moved, chains drawn, no collisions)
    uint8_t blend;                  // 0 keyed, 1 alpha 16, 2..33 additive, 34..65 alpha, else not drawn
    uint8_t unused[3];              // named padding: saved and hashed state has no loose bytes
    TekiBox box[3];                 // box[0].kind is the hit mode
    int chainDir;                   // 0 chain below, 1 above, else none
    int chain[10];                  // frame + 1 of each stacked cell, 0 none
    int wazaHit;
    int score;
    int meter;
    int flash;
};

constexpr int kTekiMax = 100;
extern TekiRecord Teki[kTekiMax];

// Destroying one of these ends the stage fight: no score, bossDown instead.
constexpr int BossTypes[5] = {10, 27, 37, 49, 57};
bool IsBossType(int type);
// The hit points the boss-type enemies on screen have left together, a first
// form's with its second form's (-1: none on screen), and the whole game's
// bar of them under the score.
int BossHitPoints();
void PutBossBar();

// The two-form boss: when its first form is destroyed, the second form
// (type 10) takes its place with this many hit points.
constexpr int kFirstFormType = 17;
constexpr int kSecondFormHp = 300;
void ReleaseSecondForm(int x, int y);

void EmptyTekiPool();               // active flags only
// Enemies in the pool (active non-zero, hidden ones too), of one type or of any
// type (kAnyType).
constexpr int kAnyType = -1;
int CountTeki(int type = kAnyType);

void SetTeki(int x, int y, int type, int sheetX, int sheetY, int w, int h, int hp, int score, int meter);
void PutTeki();
// Measuring: when set, PutTeki calls it just before (after = false) and just
// after (true) it draws an enemy as hit, with the screen rectangle drawn.
extern void (*tekiHitDrawn)(int left, int top, int w, int h, bool after);
void AllTekiDamege(int damege);
void AllTekiHukkatu();

// Spawn timeline: fires the stage file's events due at this clock value.
void StepMenEvent(int clock);

// Per-type behaviours, one pass over the pool.
void MoveTeki();

// The boss behaviours (types 4..10, 17, 26..29, 37..39, 48, 49, 56, 57) come in
// their own unit; the dispatcher hands those types to this hook, which
// returns false for a type it does not handle.
bool MoveBossTeki(TekiRecord& t);

// The walled boss's wall pattern, shared by its cores; program lifetime,
// never reset.
extern int wallPattern;

// The ramming boss's exhaust trail: 30 puffs and the previous switch value.
struct TrailPuff {
    int kind;                       // 0 free, 1 lower puff, 2 upper puff
    int x, y;                       // top-left on screen
    int level;                      // additive level still to draw, 31 down to 1
};
constexpr int kTrailPuffs = 30;
extern TrailPuff TekiTrail[kTrailPuffs];
extern int trailLastOn;
void ResetTekiTrail();              // program start state (tests)
// Adds one puff behind the enemy at `index` while `on` is 1 (a new charge
// after a pause frees the old puffs first), then draws and fades the trail.
void PutTekiTrail(int on, int index);
