// Stage 3 with its generated data: the timeline replayed with the player
// parked (what arrives, how crowded the pools get), and a whole run through
// the outer loop in which a scripted pilot that cannot be hurt (test only)
// flies the stage, destroys the circling boss and sees the stage clear and
// the end picture.
//
// With PELLO_STAGE3_DUMP_DIR set, the run writes frames of the flight, the
// fight and the stage clear there as 24-bit BMP files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "enemy_fixture.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "screens/screens.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "video/video.h"

namespace {

const std::string kData = PELLO_TEST_DATA_DIR;
constexpr int kBoss = 37;

bool IsBossPart(int type) { return type == kBoss || type == 38 || type == 39 || type == 9; }

class Stage3Waves : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        if (!std::filesystem::exists(kData + "/men3.dat")) GTEST_SKIP() << "no generated men3.dat";
        ClearMenTables();
        ResetStageFlags();
        stageNo = 3;
        ASSERT_EQ(LoadMenFile((kData + "/men3.dat").c_str()), 1);
        GameState.playerX = 100;
        GameState.playerY = 120;
    }
};

// --- the whole run

struct RunLog {
    int titles = 0, stageEnds = 0;
    long frames = 0, bossArrived = -1, bossDied = -1, cleared = -1;
    int maxLive = 0, maxBullets = 0;
    std::string dumpDir;
};
RunLog runLog;

const TekiRecord* LiveBoss() {
    for (const TekiRecord& t : Teki)
        if (t.active == 1 && t.type == kBoss) return &t;
    return nullptr;
}

// Fire all the time from the left of the screen, level with the boss's maw
// (the only place shots hurt it, just above its centre) once it is there.
int Pilot() {
    int key = IN_B1;
    int targetY = 120, targetX = 60;
    if (const TekiRecord* b = LiveBoss()) targetY = b->y - 8;
    if (GameState.playerY > targetY + 2) key |= IN_UP;
    if (GameState.playerY < targetY - 2) key |= IN_DOWN;
    if (GameState.playerX < targetX - 4) key |= IN_RIGHT;
    if (GameState.playerX > targetX + 4) key |= IN_LEFT;
    return key;
}

void DumpWork(const char* tag, long frame) {
    if (runLog.dumpDir.empty() || !WorkSurface) return;
    char name[512];
    std::snprintf(name, sizeof name, "%s/%s_%06ld.bmp", runLog.dumpDir.c_str(), tag, frame);
    std::FILE* f = std::fopen(name, "wb");
    if (!f) return;
    const int w = 320, h = 240, row = w * 3;
    auto u16 = [&](uint32_t v) { std::fputc(v & 255, f); std::fputc((v >> 8) & 255, f); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    std::fputs("BM", f);
    u32(54 + row * h); u32(0); u32(54); u32(40); u32(w); u32(h); u16(1); u16(24); u32(0); u32(row * h);
    u32(2835); u32(2835); u32(0); u32(0);
    for (int y = h - 1; y >= 0; y--)
        for (int x = 0; x < w; x++) {
            uint16_t p = WorkSurface->pixels[size_t(y * w + x)];
            int r = PixelFormat565 ? (p >> 11) : ((p >> 10) & 31);
            int g = PixelFormat565 ? ((p >> 5) & 63) : (((p >> 5) & 31) << 1);
            int b = p & 31;
            std::fputc(b << 3 | b >> 2, f);
            std::fputc(g << 2 | g >> 4, f);
            std::fputc(r << 3 | r >> 2, f);
        }
    std::fclose(f);
}

void PilotedFrame() {
    const long before = playFramesRun;
    if (playFramesRun == 0) {  // a well-armed pilot keeps the test short
        GameState.shotLv = 2;
        GameState.option = 3;
    }
    if (invincible == 0) invincible = 1;  // test only: nothing can hit the craft this frame
    GameFrame();
    if (playFramesRun == before) return;  // the gate was still shut
    const long n = runLog.frames++;
    int live = 0, bullets = 0;
    for (const TekiRecord& t : Teki) live += t.active != 0;
    for (const TamaRecord& t : Tama) bullets += t.active == 1;
    runLog.maxLive = std::max(runLog.maxLive, live);
    runLog.maxBullets = std::max(runLog.maxBullets, bullets);
    if (LiveBoss() && runLog.bossArrived < 0) runLog.bossArrived = n;
    if (bossDown == 1 && runLog.bossDied < 0) runLog.bossDied = n;
    if (clearFlag == 1 && runLog.cleared < 0) runLog.cleared = n;
    const bool fight = runLog.bossArrived >= 0 && runLog.bossDied < 0;
    if (!fight && runLog.bossArrived < 0 && n % 200 == 0) DumpWork("flight", n);
    if (fight && (n - runLog.bossArrived) % 30 == 0) DumpWork("fight", n);
    for (const TekiRecord& t : Teki)   // the beam and the pillar at full strength
        if (fight && t.active && (t.type == 38 || t.type == 39) && t.work[2] == 60) DumpWork(t.type == 38 ? "beam" : "pillar", n);
    if (runLog.bossDied >= 0 && runLog.cleared < 0 && (n - runLog.bossDied) % 16 == 0) DumpWork("clear", n);
    if (n > 14000) quitFlag = 1;  // never reached the end: give up
}

int TitleOnce() { return ++runLog.titles == 1 ? h_Title() : 1; }

void StageEndSeen() {
    runLog.stageEnds++;
    h_StageEnd();
    DumpWork("end", runLog.frames);
}

// The shell always starts at stage 1; this run starts at stage 3.
void LoadStage3() {
    stageNo = 3;
    LoadStageSlots();
}

class Stage3Run : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        if (!fs::exists(fs::path(kData) / "men3.dat")) GTEST_SKIP() << "no generated data";
        old_ = fs::current_path();
        fs::current_path(kData);
        plat::Options o;
        o.headless = true;
        o.mute = true;
        ASSERT_TRUE(plat::Startup(o));
        ASSERT_EQ(InitDisplay(), 0);
        soundOk = 0;
        SetGamma(255);
        GameSrand(1234);
        ResetInputState();
        ResetScreensState();
        saved_ = outerLoopCalls;
        savedInput_ = PlayerInput;
        outerLoopCalls.title = TitleOnce;
        outerLoopCalls.gameFrame = PilotedFrame;
        outerLoopCalls.stageEnd = StageEndSeen;
        outerLoopCalls.loadStage = LoadStage3;
        PlayerInput = Pilot;
        quitFlag = 0;
        runLog = RunLog{};
        if (const char* d = std::getenv("PELLO_STAGE3_DUMP_DIR")) runLog.dumpDir = d;
        playFramesRun = 0;
        std::vector<plat::ScriptRun> script;   // the screens: the button, then nothing, over and over
        for (int i = 0; i < 3000; i++) {
            script.push_back({IN_B1, 1});
            script.push_back({0, 1});
        }
        plat::SetScriptedInput(script);
    }
    void TearDown() override {
        outerLoopCalls = saved_;
        PlayerInput = savedInput_;
        plat::SetScriptedInput(std::vector<int>{});
        StopMidi();
        for (int i = 0; i < 7; i++) FreeSlot(i);
        quitFlag = 0;
        stageNo = 1;
        if (!old_.empty()) std::filesystem::current_path(old_);
    }
    OuterLoopCalls saved_{};
    int (*savedInput_)() = nullptr;
    std::filesystem::path old_;
};

}  // namespace

TEST_F(Stage3Waves, TimelineStaysInThePoolsUsesItsTypesAndLeavesTheBossAQuietLake) {
    std::set<int> types;
    int maxLive = 0, maxBullets = 0, lastSpawn = 0, spawned = 0, bossAt = -1;
    for (int frame = 0; frame < 6600; frame++) {
        TekiRecord before[kTekiMax];
        std::copy(std::begin(Teki), std::end(Teki), before);
        StepMenEvent(menFrame);
        menFrame += 1;
        MoveTeki();
        MoveTama();
        for (int i = 0; i < kTekiMax; i++)
            if (Teki[i].active && (!before[i].active || before[i].type != Teki[i].type)) {
                types.insert(Teki[i].type);
                if (Teki[i].type == kBoss && bossAt < 0) bossAt = frame;
                if (IsBossPart(Teki[i].type) || Teki[i].type == 36) continue;
                lastSpawn = frame;
                spawned++;
            }
        maxLive = std::max(maxLive, Live());
        maxBullets = std::max(maxBullets, Bullets());
    }
    for (int t : {18, 19, 43, 25, 30, 31, 33, 34, 32, 36, 35, 44, 46, 38, 39, 9})
        EXPECT_TRUE(types.count(t)) << "type " << t << " never appears";
    EXPECT_LT(maxLive, 80);
    EXPECT_LT(maxBullets, 400);
    ASSERT_GE(bossAt, 5800);               // as the scroll comes to its stop (frame 6000)
    EXPECT_LT(lastSpawn, bossAt - 300);    // a quiet moment before it
    int events = 0;
    for (const MenEventRecord& e : MenEvent) events += e.kind == 1 || e.kind == 2 || (e.kind == 0 && e.time != 0);
    EXPECT_GE(events, 120);
    EXPECT_LE(events, 180);
    std::printf("stage 3: %d enemies from %d events, at most %d at once, at most %d bullets, boss on frame %d\n",
                spawned, events, maxLive, maxBullets, bossAt);
}

TEST_F(Stage3Run, PilotFliesTheStageDestroysTheCirclingBossAndSeesTheEndPicture) {
    OuterLoop();
    std::printf("stage 3 run: %ld play frames; boss at %ld, down at %ld, cleared at %ld; "
                "at most %d enemies and %d bullets\n",
                runLog.frames, runLog.bossArrived, runLog.bossDied, runLog.cleared, runLog.maxLive, runLog.maxBullets);
    ASSERT_GE(runLog.bossArrived, 5800);
    ASSERT_GT(runLog.bossDied, runLog.bossArrived);
    EXPECT_EQ(runLog.cleared - runLog.bossDied, 195);
    EXPECT_EQ(runLog.stageEnds, 1);
    EXPECT_EQ(runLog.titles, 2);
    EXPECT_LT(runLog.maxBullets, 1000);
}
