// Player: craft, shots and options, techniques, hit tests, meter and HUD,
// items, entry, death and respawn, character voices.
#pragma once

// ---- Player shots: a pool of 100, scanned from index 0.
struct ShotRecord {
    int x, y;          // centre
    int kind;          // 0 straight, 1 homing, 2 still, 3 piercing straight, 4 delayed burst
    int steps;         // line steps per frame (0, 3), pixels per frame after the burst (4)
    int active;
    int frames, period, frame;
    int damage;
    int draw;          // 0 additive from slot 0, 1 keyed from slot 0, 2 additive from slot 6
    int acc;           // line-stepping error and animation timer at once
    int w, h;
    int dx, dy;        // absolute distances from start to aim point
    int sx, sy;        // step signs, -1 or +1
    int srcX, srcY;    // top left of animation frame 0
    int locked;        // homing: has a target; kind 4: its frame counter
    int target;        // homing: enemy index, -1 for none
    int angle;         // homing heading in degrees, 0 right, 90 up
};
constexpr int kShotCount = 100;
extern ShotRecord Shot[kShotCount];

// Shot draw modes.
enum { SHOT_ADD = 0, SHOT_KEYED = 1, SHOT_ADD_WAZA = 2 };

// Takes the first free shot; nothing when kind < 0 or the pool is full.
// (x1, y1) only fixes the direction.
void SetShot(int kind, int x0, int y0, int x1, int y1, int steps, int w, int h, int srcX, int srcY,
             int frames, int period, int damage, int draw);

// ---- The player's own state that is not part of GameState. Program
// lifetime; nothing here is reset at stage set-up.
struct PlayerWork {
    // fire
    int shotLock, shotCount;
    int chargeTick, chargeStep;    // characters 1 and 2
    // options
    int optFrame, optTime;
    // entry and fall
    int entryAngle;
    int fallVoice;
    // gauge and HUD
    int gaugeCount, gaugeMax;
    int stockBlink, lifeWobble;
};
extern PlayerWork Player;

// Zeroes the player's own state and the shot pool (tests, program start).
void ResetPlayerWork();

// Per-character numbers of the craft.
struct CharacterInfo {
    int speed;
    int lockTime;          // frames between two volleys
    int firingRows;        // 1: rows 32..64 while the fire lock is set
    int cellH;             // craft cell height (24 for the paddle, else 32)
    int idle;              // 0: animNo x 32, 1: ping-pong 0 1 2 1, 2: column 0 only
    int upLeft, downLeft;  // moving cells' left edge; -1: the idle cell
    int frames;            // animation frame count
    int barrierL, barrierT, barrierW, barrierH;
};
extern const CharacterInfo CharTable[10];

// ---- Craft, fire and options.
void MovePlayer(int chno, int option, int shotLv);
// Where MovePlayer reads the controls: GetInput; tests put their own here.
extern int (*PlayerInput)();
// One frame of the fire rhythm (key bit 0x10 is the button); fires volleys.
void FirePlayer(int chno, int key, int option, int shotLv);
void FireVolley(int chno, int option, int shotLv);
void PutOption(int chno, int option);
// While set, keyed options are drawn translucent, so the craft stays the one
// solid figure of its kind on screen (the whole game sets it).
extern bool faintOptions;

void MovePlayerShots();             // the play frame's step right after MoveTama
void PutPlayerShots();              // the play frame's step right after PutTama

// ---- Entry and fall.
int EnterPlayer();                  // 1 once the entry swoop is over
int FallPlayer();                   // 1 while the craft is falling

// ---- Meter, gauge and HUD.
int PutMater(int key);              // 1 when a technique is to start
void PutStatus();

// ---- Voices and sound effects.
void PlayVoice(int event);          // event 1..8, spoken on channel 0
void PlaySe(int n);                 // "se\se-%d.wav" on channel 1
// Builds the voice file name for the current character; draws GameRand()
// exactly where the event needs it. Empty when the event stays silent.
// (PlayVoice is this plus PlayWave; kept apart so the names can be checked.)
const char* VoiceName(int event);

// ---- Pools emptied at stage set-up: shots, items, item labels (active flags only).
void EmptyPlayerPools();
void EmptyItemPools();              // items and their labels

// ---- Hit tests, items and techniques.
// What last hit the craft (a life or a barrier hit); for reports, play
// never reads it.
enum { kHarmNone = 0, kHarmEnemy = 1, kHarmBullet = 2, kHarmWall = 3 };
extern int lastHarm;
// Pixels between the craft's hit box and the nearest live enemy or bullet
// box that can hit it (0: touching), at most cap. A query; changes nothing.
int ThreatGap(int cap);
void Atari();                       // player shots against enemies
void AtariPlayer();                 // the craft against items, enemies and bullets
void MoveItem();
void PutItemLabel();
int h_Play();                       // the blocking flash of a released technique; returns 0
void h_Waza();                      // the running technique, once per frame

// Axis-aligned box built from a centre; right and bottom are edges too.
struct HitRect {
    int left, right, top, bottom;
};
// A and B overlap when a.right >= b.left and a.left < b.right, and likewise
// vertically: the first comparison of each pair includes equality.
inline bool Overlap(const HitRect& a, const HitRect& b) {
    return a.right >= b.left && a.left < b.right && a.bottom >= b.top && a.top < b.bottom;
}

// Where the hit tests, items and techniques send their voices and sounds
// (PlayVoice, PlaySe, PlayWave); tests listen here.
struct CombatSoundCalls {
    void (*voice)(int event);
    void (*se)(int n);
    void (*wave)(int channel, const char* path, int stream);
};
extern CombatSoundCalls combatSound;

// ---- Items: a pool of 10, and the pick-up labels that rise from the craft.
struct ItemRecord {
    int x, y;          // centre; y follows baseY and the bob every frame
    int active;
    int tick;          // frames left until the next animation frame, 10..1
    int kind;          // 0 option, 1 barrier, 2 life, 3 shot level
    int frame;         // 0..2
    int started;       // 0 until the first MoveItem has set baseY and angle
    int baseY;
    int angle;         // bob angle in degrees
};
struct ItemLabelRecord {
    int active;
    int life;          // 31 down to 1; also its alpha
    int kind;
};
constexpr int kItemCount = 10;
extern ItemRecord Item[kItemCount];
extern ItemLabelRecord ItemLabel[kItemCount];

void SetItem(int x, int y, int kind);
void SetItemLabel(int kind);
void PickUpItems();                 // the craft collects what it touches

// ---- Techniques: their own state, cleared whenever none runs.
struct MeteoRecord {
    int active;
    int x, y;          // top left of the glow picture
    int dx, dy;        // pixels per frame
    int kind;          // 0 large, 1 medium, 2 small
};
struct WazaWork {
    int ex[10];        // ex[0] frames, ex[1] level or marker, ex[2..6] orb angles
    MeteoRecord meteo[20];
    int act;           // frames since the meteor technique began
    int rpt;           // meteors launched so far
};
extern WazaWork Waza;
