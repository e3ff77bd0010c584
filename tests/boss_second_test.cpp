// The later bosses' behaviour: cut-in scenes, volleys, pillars, beams, trails.
#include "boss_fixture.h"
#include "input/input.h"
#include "player/player.h"
#include "shell/shell.h"

// ---- cut-in boss

TEST_F(BossTestBase, BossCutInSceneHoldsInputForItsLengthAndLeadsTheCraft) {
    GameState.playerX = 200;
    GameState.playerY = 40;
    Spawn(48, 0, 120, 96, 96, 65535);
    Run(1);
    TekiRecord* core = Find(49);
    TekiRecord* speaker = Find(5);
    ASSERT_NE(core, nullptr);
    ASSERT_NE(speaker, nullptr);
    int frames = 1;
    while (speaker->active != 0 && frames < 2000) {
        EXPECT_EQ(inputOn, 0) << "frame " << frames;
        EXPECT_EQ(core->box[0].kind, 0);  // shootable all through the scene
        inputOn = 1;                      // whatever else says: the speaker takes it back each frame
        MoveTeki();
        frames++;
    }
    EXPECT_EQ(frames, 890);
    EXPECT_EQ(inputOn, 1);
    EXPECT_EQ(GameState.playerX, 50);
    EXPECT_EQ(GameState.playerY, 120);
    EXPECT_FALSE(MusicOpened("boss1.mid"));
    Run(10);
    EXPECT_TRUE(MusicOpened("boss1.mid"));  // the core's 900th frame
    EXPECT_EQ(core->box[0].kind, 0);
}

// In the whole game the scene, once shown in the run, ends on a fresh press
// of the first button (one held when it starts does not count); the first
// showing cannot be cut short.
TEST_F(BossTestBase, BossCutInSceneShownBeforeInTheRunIsSkippedByAFreshPress) {
    static int reads = 0;
    auto frames = [](int seen) {
        wholeGameRun = 1;
        storyScenesSeen = seen;
        reads = 0;
        PlayerInput = [] { return ++reads > 20 && reads < 25 ? 0 : IN_B1; };  // held, let go, pressed
        TekiRecord& speaker = Spawn(5, 0, 120, 32, 32, 65535);
        int n = 0;
        while (speaker.active != 0 && n < 2000) {
            MoveTeki();
            n++;
        }
        PlayerInput = GetInput;
        wholeGameRun = 0;
        return n;
    };
    EXPECT_EQ(frames(1), 24 + 30);  // the fresh press on the 25th frame starts the 30-frame fade-out
    EXPECT_EQ(storyScenesSeen, 2);
    EXPECT_EQ(frames(0), 890);
    // A frame played ahead (the planning pilot's look-ahead) that opens the
    // scene does not count it as shown: the count lies outside the play state
    // the look-ahead restores, and the real scene would turn skippable.
    wholeGameRun = 1;
    storyScenesSeen = 0;
    Spawn(5, 0, 120, 32, 32, 65535);
    LookAheadFrame();
    EXPECT_EQ(Find(5)->work[0], 1);
    EXPECT_EQ(storyScenesSeen, 0);
    wholeGameRun = 0;
}

TEST_F(BossTestBase, BossCutInAttacksComeEveryHundredEightyFrames) {
    Spawn(48, 0, 120, 96, 96, 65535);
    Run(1);
    TekiRecord* core = Find(49);
    ASSERT_NE(core, nullptr);
    Run(899 + 179);
    EXPECT_EQ(core->work[2], 0);
    Run(1);
    EXPECT_GE(core->work[2], 1);  // chosen in the core's 1080th frame, 180 after the music
    int chosen = 0;
    for (int i = 0; i < 180 * 6; i++) {
        int before = core->work[2];
        MoveTeki();
        if (before == 0 && core->work[2] != 0) {
            chosen++;
            EXPECT_EQ(core->work[1], 1);
        }
        for (TekiRecord& t : Teki)
            if ((t.type == 7 || t.type == 6) && t.active && (t.x < 0 || t.x > 400)) t.active = 0;
    }
    EXPECT_EQ(chosen, 6);
}

TEST_F(BossTestBase, BossPelletAtOddHeightNeverBounces) {
    TekiRecord& odd = Spawn(7, 300, 51, 8, 8, 65535);
    odd.work[3] = 100;  // hardly moves left
    Run(200);
    EXPECT_EQ(odd.y, 241);
    Run(50);
    EXPECT_EQ(odd.y, 241);
    TekiRecord& even = Spawn(7, 300, 200, 8, 8, 65535);  // starts in the lower half: upward
    even.work[3] = 100;
    Run(100);
    EXPECT_EQ(even.y, 0);
    Run(1);
    EXPECT_EQ(even.work[1], 1);  // turned
    Run(10);
    EXPECT_EQ(even.y, 20);
}

TEST_F(BossTestBase, BossPelletVolleyTakesTheCoresSlowness) {
    Spawn(49, 300, 120, 32, 48, 700);
    TekiRecord* core = Find(49);
    core->work[6] = 1000;  // the scene is over
    Run(1);
    core->work[2] = 2;
    core->work[3] = 0;
    Run(40);
    EXPECT_EQ(CountTeki(7), 40);
    for (const TekiRecord& t : Teki) {
        if (t.type != 7 || !t.active) continue;
        EXPECT_EQ(t.work[3], core->work[4]);
        EXPECT_EQ(t.blend, 33);
        EXPECT_EQ(t.box[1].kind, 2);
    }
}

TEST_F(BossTestBase, BossClosingPillarsMeetAtTheMiddle) {
    TekiRecord& up = Spawn(6, 100, -60, 32, 120, 65535);
    TekiRecord& down = Spawn(6, 100, 300, 32, 120, 65535);
    Run(40);
    EXPECT_EQ(up.y + 60, 120);
    EXPECT_EQ(down.y - 60, 120);
    Run(40);
    EXPECT_EQ(up.y, -60);
    EXPECT_TRUE(up.active);
    Run(1);
    EXPECT_FALSE(up.active);
    EXPECT_FALSE(down.active);
}

TEST_F(BossTestBase, BossChargedBeamHidesThenSweepsThenGoesHarmless) {
    TekiRecord& b = Spawn(8, 200, 120, 32, 32, 65535);
    b.box[0].kind = 4;
    Run(16);
    EXPECT_EQ(b.active, 1);
    Run(1);
    EXPECT_EQ(b.active, 2);
    Run(54 - 17 + 1);
    EXPECT_EQ(b.active, 1);
    EXPECT_EQ(b.w, 320);
    EXPECT_EQ(b.x, 100);
    EXPECT_EQ(b.box[0].kind, 4);
    Run(148 - 54);
    EXPECT_EQ(b.box[0].kind, 1);
    int frames = 0;
    while (b.active) {
        MoveTeki();
        frames++;
    }
    EXPECT_EQ(frames, 10);
}

// ---- exhaust trail and ramming boss

class BossTrail : public BossTestBase {
protected:
    void SetUp() override {
        BossTestBase::SetUp();
        ResetTekiTrail();
    }
    static int InUse() {
        int n = 0;
        for (const TrailPuff& p : TekiTrail) n += p.kind != 0;
        return n;
    }
};

TEST_F(BossTrail, BossTrailFillsToThirtyAndRestartsFresh) {
    TekiRecord& e = Spawn(56, 200, 120, 96, 128, 900);
    for (int i = 0; i < 30; i++) PutTekiTrail(1, 0);
    EXPECT_EQ(InUse(), 30);  // the oldest has been drawn 30 times, one to go
    GameSrand(77);
    PutTekiTrail(1, 0);  // all in use: nothing added, no random numbers drawn
    const int next = GameRand();
    GameSrand(77);
    EXPECT_EQ(next, GameRand());
    EXPECT_EQ(InUse(), 29);  // the oldest has faded out
    for (const TrailPuff& p : TekiTrail) {
        if (!p.kind) continue;
        EXPECT_GE(p.x, e.x + 32);
        EXPECT_LE(p.x, e.x + 36);
        EXPECT_GE(p.y, e.y + (p.kind == 1 ? 16 : -8));
        EXPECT_LE(p.y, e.y + (p.kind == 1 ? 20 : -4));
    }
    for (int i = 0; i < 5; i++) PutTekiTrail(0, 0);  // backing off: no new puffs
    EXPECT_EQ(InUse(), 24);
    PutTekiTrail(1, 0);  // a new charge starts a fresh trail
    EXPECT_EQ(InUse(), 1);
    EXPECT_EQ(TekiTrail[0].level, 30);
}

TEST_F(BossTrail, BossRammerChoosesAttacksBackToBackAndScoresOnlyByShot) {
    TekiRecord& r = Spawn(56, 380, 120, 96, 128, 900);
    Run(1);
    EXPECT_TRUE(MusicOpened("boss1.mid"));
    Run(69);
    EXPECT_EQ(r.x, 311);  // the first frame's count already stands at 1: 69 pixels
    EXPECT_NE(r.work[1], 0);  // the first attack starts as the glide ends
    for (int i = 0; i < 2000; i++) {
        int before = r.work[1];
        MoveTeki();
        if (before != 0) {
            EXPECT_NE(r.work[1], 0) << "a gap after attack " << before;
        }
        EXPECT_GE(r.x, 311 - 200);
        for (TekiRecord& t : Teki) {
            if (t.type == 4 && t.active && t.work[0] == 2 && t.work[1] > 0) {
                EXPECT_EQ(t.w, 320);
            }
        }
    }
    EXPECT_FALSE(IsBossType(56));
    // A technique kill gives nothing and sets no boss flag.
    GameState.score = 0;
    AllTekiDamege(1000);
    EXPECT_FALSE(r.active);
    EXPECT_EQ(GameState.score, 0);
    EXPECT_EQ(bossDown, 0);
}

TEST_F(BossTrail, BossRammerShotDownScoresLikeAnyEnemy) {
    TekiRecord& r = Spawn(56, 300, 120, 96, 128, 5);
    r.score = 8000;
    r.meter = 7;
    Run(1);
    GameState.score = 0;
    GameState.mater = 0;
    itemDrop = 0;
    for (ShotRecord& s : Shot) s.active = 0;
    SetShot(0, r.x + 10, r.y, r.x + 100, r.y, 0, 16, 16, 0, 0, 1, 1, 10, 0);
    Atari();
    EXPECT_FALSE(r.active);
    EXPECT_EQ(GameState.score, 8000);
    EXPECT_EQ(GameState.mater, 7);
    EXPECT_EQ(bossDown, 0);
}

TEST_F(BossTrail, BossTrailPuffsAreDrawnAdditivelyFromTheSheet) {
    Surface* work = MakeSurface(320, 240);
    Surface* sheet = MakeSurface(512, 512);
    std::swap(WorkSurface, work);
    std::swap(Slot[3], sheet);
    std::fill(Slot[3]->pixels.begin(), Slot[3]->pixels.end(), 0);
    for (int y = 128; y < 160; y++)
        for (int x = 464; x < 496; x++) Slot[3]->pixels[size_t(y * 512 + x)] = 0x4208;  // dim grey puff
    std::fill(WorkSurface->pixels.begin(), WorkSurface->pixels.end(), 0x4208);
    Spawn(56, 100, 100, 96, 128, 900);
    PutTekiTrail(1, 0);
    const TrailPuff& p = TekiTrail[0];
    ASSERT_NE(p.kind, 0);
    EXPECT_GT(WorkSurface->pixels[size_t((p.y + 5) * 320 + p.x + 5)], 0x4208);  // added onto the picture
    EXPECT_EQ(WorkSurface->pixels[size_t((p.y + 5) * 320 + p.x - 1)], 0x4208);
    std::swap(WorkSurface, work);
    std::swap(Slot[3], sheet);
    FreeSurface(work);
    FreeSurface(sheet);
}
