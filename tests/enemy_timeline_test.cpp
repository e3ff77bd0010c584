// The spawn timeline: when singles and formation members fire, stage 4's pace, bad entries.
#include "enemy_fixture.h"
#include "stage/stage.h"

class EnemyTimeline : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        ClearMenTables();
        // Template 0: 16 x 16 drifter; template 1: 64 x 32 (wu 7, hu 3).
        TekiTemplate[0] = {0, 1, 2, 1, 1, 10, 2, 100, 0, 0, 0};
        TekiTemplate[1] = {0, 4, 5, 7, 3, 30, 4, 500, 1, 0, 0};
    }
    static void Single(int i, int pos, int row, int tmpl) { MenEvent[i] = {1, 0, uint16_t(pos), uint16_t(row), uint16_t(tmpl)}; }
};

TEST_F(EnemyTimeline, SingleFiresWhenItsTimeIsReachedAndOnlyOnce) {
    Single(0, 20, 15, 0);
    Single(1, 21, 15, 0);
    StepMenEvent(0);
    EXPECT_EQ(CountTeki(), 1);
    EXPECT_EQ(MenEvent[0].kind, 0);
    StepMenEvent(15);
    EXPECT_EQ(CountTeki(), 1);
    StepMenEvent(16);
    StepMenEvent(17);
    EXPECT_EQ(CountTeki(), 2);
    const TekiRecord& t = Teki[0];
    EXPECT_EQ(t.type, 11);
    EXPECT_EQ(t.x, 321);
    EXPECT_EQ(t.y, 15 * 8 + 8 - 120);  // centre; top edge at row * 8 - 120
    EXPECT_EQ(t.sheetX, 8);
    EXPECT_EQ(t.sheetY, 16);
    EXPECT_EQ(t.hp, 10);
    EXPECT_EQ(t.meter, 2);
    EXPECT_EQ(t.score, 100);
}

TEST_F(EnemyTimeline, StageFourRunsAtHalfSpeed) {
    stageNo = 4;
    Single(0, 21, 15, 0);
    StepMenEvent(16);
    EXPECT_EQ(CountTeki(), 0);
    StepMenEvent(352);
    EXPECT_EQ(CountTeki(), 1);
    stageNo = 6;  // the stage without an entry of its own runs at the usual rate
    Single(1, 21, 15, 0);
    StepMenEvent(16);
    EXPECT_EQ(CountTeki(), 2);
}

TEST_F(EnemyTimeline, WideTemplateEntersPartlyOnScreenAloneFlushInFormation) {
    Single(0, 20, 10, 1);
    TekiGroup[0].present[0] = 1;
    TekiGroup[0].time[0] = 0;
    TekiGroup[0].dy[0] = 8;
    TekiGroup[0].tmpl[0] = 1;
    MenEvent[1] = {2, 0, 20, 10, 0};
    StepMenEvent(0);
    EXPECT_EQ(Teki[0].x, 324);
    EXPECT_EQ(Teki[0].w, 64);
    EXPECT_EQ(Teki[0].h, 32);
    EXPECT_EQ(Teki[0].type, 12);
    EXPECT_EQ(Teki[1].x, 352);
    EXPECT_EQ(Teki[1].y, 80 + 8 + 16 - 120);
    EXPECT_EQ(MenEvent[1].kind, 2);  // formations stay
}

TEST_F(EnemyTimeline, FormationMembersFireOnlyOnTheirExactFrameInMemberOrder) {
    TekiGroupRecord& g = TekiGroup[3];
    for (int j = 0; j < 3; j++) {
        g.present[j] = 1;
        g.tmpl[j] = 0;
        g.dy[j] = uint16_t(j * 20);
    }
    g.time[0] = 10;
    g.time[1] = 10;
    g.time[2] = 40;
    MenEvent[0] = {2, 0, 21, 12, 3};  // due 336 + dt
    StepMenEvent(25);
    EXPECT_EQ(CountTeki(), 0);
    StepMenEvent(26);
    EXPECT_EQ(CountTeki(), 2);
    EXPECT_LT(Teki[0].y, Teki[1].y);
    StepMenEvent(27);
    StepMenEvent(100);  // member 2 was due at clock 56: too late now
    EXPECT_EQ(CountTeki(), 2);
    // A member due before clock 0 never fires.
    MenEvent[0].kind = 0;
    MenEvent[1] = {2, 0, 5, 12, 3};
    for (int c = 0; c < 40; c++) StepMenEvent(c);
    EXPECT_EQ(CountTeki(), 2);
}

TEST_F(EnemyTimeline, FullPoolLosesTheSingleAndBadInputSpawnsNothing) {
    for (int i = 0; i < 100; i++) SetTeki(0, 0, 99, 0, 0, 8, 8, 1, 0, 0);
    Single(0, 20, 10, 0);
    StepMenEvent(0);
    EXPECT_EQ(MenEvent[0].kind, 0);
    EnemyTestBase::SetUp();
    Single(1, 20, 10, 50);   // template out of range: used, nothing spawned
    MenEvent[2] = {2, 0, 20, 10, 10};  // formation out of range
    MenEvent[3] = {3, 0, 20, 10, 0};   // unknown kind
    StepMenEvent(0);
    EXPECT_EQ(CountTeki(), 0);
    EXPECT_EQ(MenEvent[1].kind, 0);
    EXPECT_EQ(MenEvent[3].kind, 3);
}
