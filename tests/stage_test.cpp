// Stages: reading the stage file, each stage's scroll and scenery layers, the clear sequence.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/core.h"
#include "stage/stage.h"
#include "video/video.h"

namespace fs = std::filesystem;
using namespace MS;

namespace {

// A stage file whose every byte is a function of its offset.
uint8_t FileByte(long i) { return static_cast<uint8_t>((i * 7 + (i >> 8) * 13 + 1) & 0xFF); }

fs::path TempDir() {
    fs::path d = fs::temp_directory_path() / ("pello_stage_test_" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
}

fs::path WriteFile(const char* name, long size) {
    fs::path p = TempDir() / name;
    std::vector<uint8_t> bytes(size);
    for (long i = 0; i < size; i++) bytes[i] = FileByte(i);
    std::FILE* f = std::fopen(p.string().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return p;
}

uint16_t FileWord(long offset) { return static_cast<uint16_t>(FileByte(offset) | FileByte(offset + 1) << 8); }

void FillTables(uint8_t value) {
    std::memset(MenEvent, value, sizeof MenEvent);
    std::memset(MenExtra, value, sizeof MenExtra);
    std::memset(TekiTemplate, value, sizeof TekiTemplate);
    std::memset(TekiGroup, value, sizeof TekiGroup);
    std::memset(MenMap, value, sizeof MenMap);
}

bool AllBytes(const void* p, size_t n, uint8_t v) {
    auto* b = static_cast<const uint8_t*>(p);
    for (size_t i = 0; i < n; i++)
        if (b[i] != v) return false;
    return true;
}

}  // namespace

TEST(StageFile, FullFileFillsEveryTable) {
    fs::path p = WriteFile("full.dat", kMenFileSize);
    FillTables(0xAA);
    ASSERT_EQ(LoadMenFile(p.string().c_str()), 1);
    EXPECT_EQ(MenEvent[0].kind, FileByte(0));
    EXPECT_EQ(MenEvent[3].time, FileWord(3 * 8 + 2));
    EXPECT_EQ(MenEvent[199].y, FileWord(199 * 8 + 4));
    EXPECT_EQ(MenEvent[199].index, FileWord(199 * 8 + 6));
    EXPECT_EQ(MenExtra[9][13], FileByte(1600 + 9 * 14 + 13));
    EXPECT_EQ(TekiTemplate[0].sx, FileWord(1740 + 2));
    EXPECT_EQ(TekiTemplate[49].type, FileWord(1740 + 49 * 22 + 16));
    EXPECT_EQ(TekiGroup[0].present[0], FileWord(2840 + 2));
    EXPECT_EQ(TekiGroup[9].tmpl[9], FileWord(2840 + 9 * 82 + 80));
    EXPECT_EQ(TekiGroup[4].dy[2], FileWord(2840 + 4 * 82 + 42 + 4));
    // The map starts at 11840: the 8180 bytes before it never reach memory.
    EXPECT_EQ(MenMap[0][0][0], FileWord(11840));
    EXPECT_EQ(MenMap[2][3][4], FileWord(11840 + 2 * (2 * 150 + 3 * 10 + 4)));
    EXPECT_EQ(MenMap[2999][14][9], FileWord(kMenFileSize - 2));
    // Reloading re-arms a used timeline entry.
    MenEvent[5].kind = 0;
    ASSERT_EQ(LoadMenFile(p.string().c_str()), 1);
    EXPECT_EQ(MenEvent[5].kind, FileByte(40));
}

TEST(StageFile, ShortFileKeepsWhatItDoesNotHold) {
    // Ends three bytes into the second block: the timeline is read, the rest stays.
    fs::path p = WriteFile("short1.dat", 1603);
    FillTables(0xAA);
    ASSERT_EQ(LoadMenFile(p.string().c_str()), 1);
    EXPECT_EQ(MenEvent[199].index, FileWord(1598));
    EXPECT_EQ(MenExtra[0][2], FileByte(1602));
    EXPECT_EQ(MenExtra[0][3], 0xAA);
    EXPECT_TRUE(AllBytes(TekiTemplate, sizeof TekiTemplate, 0xAA));
    EXPECT_TRUE(AllBytes(TekiGroup, sizeof TekiGroup, 0xAA));
    EXPECT_TRUE(AllBytes(MenMap, sizeof MenMap, 0xAA));

    // Ends inside the map (one odd byte into word 500): the rest of the map is kept.
    p = WriteFile("short2.dat", 11840 + 1001);
    FillTables(0xAA);
    ASSERT_EQ(LoadMenFile(p.string().c_str()), 1);
    EXPECT_EQ(TekiGroup[9].tmpl[9], FileWord(2840 + 9 * 82 + 80));
    auto* words = &MenMap[0][0][0];
    EXPECT_EQ(words[499], FileWord(11840 + 998));
    EXPECT_EQ(words[500], static_cast<uint16_t>(0xAA00 | FileByte(11840 + 1000)));
    EXPECT_TRUE(AllBytes(words + 501, sizeof MenMap - 501 * 2, 0xAA));

    // Ends in the skipped block: the map is untouched.
    p = WriteFile("short3.dat", 5000);
    FillTables(0xAA);
    ASSERT_EQ(LoadMenFile(p.string().c_str()), 1);
    EXPECT_EQ(TekiGroup[9].tmpl[9], FileWord(2840 + 9 * 82 + 80));
    EXPECT_TRUE(AllBytes(MenMap, sizeof MenMap, 0xAA));
}

TEST(StageFile, MissingFileChangesNothing) {
    FillTables(0x55);
    EXPECT_EQ(LoadMenFile((TempDir() / "absent.dat").string().c_str()), 0);
    EXPECT_TRUE(AllBytes(MenEvent, sizeof MenEvent, 0x55));
    EXPECT_TRUE(AllBytes(MenMap, sizeof MenMap, 0x55));

    // LoadMen builds "men%d.dat" in the working folder; a missing one is reported
    // (message box) and the tables keep their contents.
    fs::path old = fs::current_path();
    fs::current_path(TempDir());
    EXPECT_EQ(LoadMen(7), 1);
    EXPECT_TRUE(AllBytes(MenEvent, sizeof MenEvent, 0x55));
    WriteFile("men7.dat", kMenFileSize);
    EXPECT_EQ(LoadMen(7), 1);
    EXPECT_EQ(MenMap[1][0][0], FileWord(11840 + 300));
    fs::current_path(old);
}

// ---------------------------------------------------------------- scroll logic

namespace {

// Runs one play frame's worth of scenery.
void Frame(int stage) {
    PutMenBack(stage);
    PutMenFront(stage);
}

void ResetScenery() {
    std::memset(MenMap, 0xFF, sizeof MenMap);   // nothing to draw: only the scroll state matters
    for (int& v : MenScroll) v = 0;
    menFrame = 0;
}

}  // namespace

TEST(StageScroll, Stage1FarLayerWrapsAt640) {
    ResetScenery();
    MenScroll[farX] = -638;
    MenScroll[tick] = 2;
    PutMenBack(1);
    EXPECT_EQ(MenScroll[farX], -639);
    EXPECT_EQ(MenScroll[tick], 0);
    PutMenBack(1);
    PutMenBack(1);
    EXPECT_EQ(MenScroll[farX], -639);   // one step every third frame
    PutMenBack(1);
    EXPECT_EQ(MenScroll[farX], 0);      // never -640
}

TEST(StageScroll, Stage1TransitionJumpsOnceAndLasts240Frames) {
    ResetScenery();
    MenScroll[scrollPos] = 5439;   // last pixel of section 16
    menFrame = 100;
    Frame(1);
    EXPECT_EQ(MenScroll[scrollPos], 5440);
    EXPECT_EQ(menFrame, 100);
    EXPECT_EQ(MenScroll[rise], 0);
    Frame(1);                       // first frame of section 17
    EXPECT_EQ(menFrame, 740);
    EXPECT_EQ(MenScroll[rise], 1);
    int frames = 1;
    while (MenScroll[rise] < 240 && frames < 1000) {
        Frame(1);
        frames++;
        EXPECT_EQ(menFrame, 740);
    }
    EXPECT_EQ(frames, 240);
    for (int i = 0; i < 300; i++) Frame(1);
    EXPECT_EQ(MenScroll[rise], 240);
    EXPECT_EQ(menFrame, 740);
    EXPECT_EQ(MenScroll[scrollPos], 5440 + 540);   // scrolling went on throughout
}

TEST(StageScroll, Stage1StopsAt10529) {
    ResetScenery();
    MenScroll[scrollPos] = 10526;
    MenScroll[rise] = 240;
    for (int i = 0; i < 10; i++) Frame(1);
    EXPECT_EQ(MenScroll[scrollPos], 10529);
}

TEST(StageScroll, Stage4TwoTransitionsAndJumps) {
    ResetScenery();
    MenScroll[scrollPos] = 1599;
    Frame(4);
    EXPECT_EQ(MenScroll[scrollPos], 1600);
    for (int i = 0; i < 239; i++) {
        Frame(4);
        ASSERT_EQ(MenScroll[scrollPos], 1600) << "frame " << i;
    }
    EXPECT_EQ(MenScroll[rise], 239);
    Frame(4);   // the 240th frame jumps and scrolls on
    EXPECT_EQ(MenScroll[scrollPos], 2561);
    EXPECT_EQ(menFrame, 960);
    EXPECT_EQ(MenScroll[phase], 1);
    EXPECT_EQ(MenScroll[rise], 0);

    while (MenScroll[scrollPos] < 7360) Frame(4);
    EXPECT_EQ(MenScroll[scrollPos], 7360);
    for (int i = 0; i < 239; i++) Frame(4);
    EXPECT_EQ(MenScroll[scrollPos], 7360);
    Frame(4);
    EXPECT_EQ(MenScroll[scrollPos], 7360 + 540 + 1);
    EXPECT_EQ(menFrame, 960 + 540);
    EXPECT_EQ(MenScroll[phase], 2);
    EXPECT_EQ(MenScroll[rise], 240);
    for (int i = 0; i < 3000; i++) Frame(4);
    EXPECT_EQ(MenScroll[scrollPos], 9409);
    EXPECT_EQ(menFrame, 1500);
}

TEST(StageScroll, Stage3And5Rates) {
    ResetScenery();
    for (int i = 0; i < 7000; i++) Frame(3);
    EXPECT_EQ(MenScroll[scrollPos], 12002);
    ResetScenery();
    for (int i = 0; i < 8000; i++) Frame(5);
    EXPECT_EQ(MenScroll[scrollPos], 15346);
}

TEST(StageScroll, Stage2StripStopsWithPiece11At192) {
    ResetScenery();
    int frames = 0;
    while (MenScroll[scrollPos] == 0 && frames < 100000) {
        Frame(2);
        frames++;
    }
    ASSERT_EQ(MenScroll[scrollPos], 1);
    // Recompute where piece 11 sits: the strip's pieces from layerOfs on.
    int x = MenScroll[farX] >> 1;
    int i = MenScroll[layerOfs];
    while (StripSequence[i] != 11) x += StripPieceWidth(StripSequence[i++]);
    EXPECT_EQ(x, 192);
    EXPECT_EQ(i, 32);
    int fx = MenScroll[farX], lo = MenScroll[layerOfs], groundCol = MenScroll[rise];
    for (int n = 0; n < 64; n++) Frame(2);
    EXPECT_EQ(MenScroll[farX], fx);         // the strip stays
    EXPECT_EQ(MenScroll[layerOfs], lo);
    EXPECT_EQ(MenScroll[rise], groundCol + 4);  // the ground keeps moving
}

TEST(StageScroll, Stage6StreaksRenewEvery20Frames) {
    ResetScenery();
    GameSrand(5);
    PutMenBack(6);
    for (auto& s : Streak) {
        EXPECT_EQ(s.active, 1);
        EXPECT_EQ(s.x, 224);
    }
    for (int i = 0; i < 19; i++) PutMenBack(6);
    for (auto& s : Streak) EXPECT_EQ(s.active, 0);
    PutMenBack(6);   // all restart together on new rows
    for (auto& s : Streak) EXPECT_EQ(s.x, 224);
}

TEST(StageScroll, FlakesStartOneAtATimeInTheirGroups) {
    GameSrand(123);
    flakesCleared = 0;  // whatever earlier tests left in the pool
    MoveFlakes();   // the first call clears the pool
    int before = 0;
    for (auto& f : Flake) before += f.active;
    EXPECT_LE(before, 1);
    for (int n = 0; n < 2000; n++) {
        int old = 0;
        for (auto& f : Flake) old += f.active;
        MoveFlakes();
        int now = 0;
        for (auto& f : Flake) now += f.active;
        ASSERT_LE(now, old + 1);
        for (int i = 0; i < 30; i++) {
            if (!Flake[i].active) continue;
            ASSERT_EQ(Flake[i].kind, i < 10 ? 2 : 1);
            ASSERT_EQ(Flake[i].dx, i < 10 ? 2 : i < 20 ? 3 : 5);
            ASSERT_GT(Flake[i].x, -16);
            ASSERT_LT(Flake[i].y, 320);
        }
    }
}

// ---------------------------------------------------------------- drawing

namespace {

constexpr uint16_t kBackdrop = 0x1234;

// A scenery sheet whose every pixel tells where it came from; the key colour
// sits in one corner of each tile so keyed copies are visible.
uint16_t SheetPixel(int x, int y) {
    if ((x & 15) == 0 && (y & 15) == 0) return PureGreen();
    uint16_t v = static_cast<uint16_t>((x * 37 + y * 1031 + 5) & 0xFFFF);
    return v == PureGreen() || v == kBackdrop ? 1 : v;
}

struct StageDraw : ::testing::Test {
    Surface* savedWork = nullptr;
    Surface* savedSlot2 = nullptr;
    void SetUp() override {
        savedWork = WorkSurface;
        savedSlot2 = Slot[2];
        WorkSurface = MakeSurface(320, 240);
        Slot[2] = MakeSurface(1024, 512);
        for (int y = 0; y < 512; y++)
            for (int x = 0; x < 1024; x++) Slot[2]->pixels[y * 1024 + x] = SheetPixel(x, y);
        SetKeyColor(Slot[2], 1);
        FillScreen(kBackdrop);
        std::memset(MenMap, 0xFF, sizeof MenMap);
        for (int& v : MenScroll) v = 0;
    }
    void TearDown() override {
        FreeSurface(WorkSurface);
        FreeSurface(Slot[2]);
        WorkSurface = savedWork;
        Slot[2] = savedSlot2;
    }
    // Whether the sprite copy is in place (it draws nothing until then).
    bool DrawingWorks() {
        PutSprite(0, 0, Slot[2], {1, 1, 2, 2}, 16);
        bool works = WorkSurface->pixels[0] == SheetPixel(1, 1);
        FillScreen(kBackdrop);
        return works;
    }
    uint16_t At(int x, int y) const { return WorkSurface->pixels[y * 320 + x]; }
};

// What one map layer looks like, worked out pixel by pixel from the map.
void ReferenceLayer(std::vector<uint16_t>& screen, int layer, int ofs, int dy, int sheetW, int sheetH) {
    for (int sy = 0; sy < 240; sy++) {
        int my = sy - dy;
        if (my < 0 || my >= 240) continue;
        for (int sx = 0; sx < 320; sx++) {
            int wx = sx + (ofs & 15);
            int col = (ofs >> 4) + wx / 16;
            if (wx / 16 > 20 || col > 2999) continue;
            unsigned t = MenMap[col][my / 16][layer];
            if (t == 0xFFFF) continue;
            int u = (t & 63) * 16 + wx % 16, v = (t >> 6) * 16 + my % 16;
            if (u >= sheetW || v >= sheetH) continue;
            uint16_t px = SheetPixel(u, v);
            if (px != PureGreen()) screen[sy * 320 + sx] = px;
        }
    }
}

}  // namespace

TEST_F(StageDraw, EmptyCellsAndUnknownTilesDrawNothing) {
    std::vector<uint16_t> before = WorkSurface->pixels;
    for (int layer = 0; layer < 10; layer++) PutMapLayer(layer, 1234, 0);
    for (int stage = 1; stage <= 5; stage++) {
        if (stage == 2) continue;
        for (int& v : MenScroll) v = 0;
        MenScroll[scrollPos] = stage == 1 ? 100 : 0;
        MenScroll[farX] = 0;
        PutMenFront(stage);
    }
    EXPECT_EQ(WorkSurface->pixels, before);
    // Tile ids past the 1024 x 512 sheet are refused.
    for (int c = 0; c < 21; c++) MenMap[c][3][2] = static_cast<uint16_t>(0xFFFE - c);
    PutMapLayer(2, 0, 0);
    EXPECT_EQ(WorkSurface->pixels, before);
}

TEST_F(StageDraw, SyntheticMapMatchesReference) {
    if (!DrawingWorks()) GTEST_SKIP() << "sprite copies not available yet";
    // A sparse map over layers 0..6 with a few tiles at the end of the map.
    for (int c = 0; c < 3000; c++)
        for (int r = 0; r < 15; r++)
            for (int l = 0; l <= 6; l++)
                if ((c * 3 + r * 5 + l * 7) % (l + 2) == 0) MenMap[c][r][l] = static_cast<uint16_t>((c * 11 + r * 3 + l * 29) % 2048);

    struct Case { int layer, ofs, dy; } cases[] = {
        {6, 0, 0}, {5, 37, 0}, {3, 5441, -17}, {2, 16 * 1500 + 9, 240 - 17}, {1, 2990 * 16 + 3, 0}, {0, 47000, 5},
    };
    for (const Case& k : cases) {
        FillScreen(kBackdrop);
        std::vector<uint16_t> expect(320 * 240, kBackdrop);
        PutMapLayer(k.layer, k.ofs, k.dy);
        ReferenceLayer(expect, k.layer, k.ofs, k.dy, 1024, 512);
        EXPECT_EQ(WorkSurface->pixels, expect) << "layer " << k.layer << " offset " << k.ofs;
        EXPECT_EQ(MenScroll[layerOfs], k.ofs);
    }

    // Past column 2999 nothing is drawn (no wrap to column 0).
    FillScreen(kBackdrop);
    for (int r = 0; r < 15; r++) MenMap[2999][r][4] = 5, MenMap[0][r][4] = 6;
    PutMapLayer(4, 2990 * 16, 0);
    EXPECT_NE(At(9 * 16 + 3, 100), kBackdrop);   // column 2999
    for (int y = 0; y < 240; y++)
        for (int x = 160; x < 320; x++) ASSERT_EQ(At(x, y), kBackdrop);

    // Stage 1 draws layers 6..1 back to front over its far layer.
    for (int& v : MenScroll) v = 0;
    MenScroll[scrollPos] = 321;
    std::vector<uint16_t> expect(320 * 240, kBackdrop);
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) expect[y * 320 + x] = SheetPixel(x, y + 240) == PureGreen() ? kBackdrop : SheetPixel(x, y + 240);
    for (int l = 6; l >= 1; l--) ReferenceLayer(expect, l, (321 * LayerRate1[l]) >> 1, 0, 1024, 512);
    FillScreen(kBackdrop);
    PutMenBack(1);
    EXPECT_EQ(WorkSurface->pixels, expect);
}

TEST_F(StageDraw, Stage1FarLayerAndTransitionViews) {
    if (!DrawingWorks()) GTEST_SKIP() << "sprite copies not available yet";
    // farX = -639: the right half at -319, the left half at 1.
    MenScroll[farX] = -639;
    MenScroll[scrollPos] = 0;
    PutMenBack(1);
    EXPECT_EQ(At(0, 5), SheetPixel(639, 245));
    EXPECT_EQ(At(1, 7), SheetPixel(0, 247) == PureGreen() ? kBackdrop : SheetPixel(0, 247));
    EXPECT_EQ(At(319, 239), SheetPixel(318, 479));

    // Mid-transition: the first view moved up by rise, the next one 640 further on below it.
    for (int c = 0; c < 3000; c++)
        for (int r = 0; r < 15; r++) MenMap[c][r][3] = static_cast<uint16_t>((c + r) % 700);
    for (int& v : MenScroll) v = 0;
    MenScroll[scrollPos] = 5500;
    MenScroll[rise] = 100;
    std::vector<uint16_t> expect(320 * 240, kBackdrop);
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++) {
            uint16_t px = SheetPixel(x, y + 240);
            if (px != PureGreen()) expect[y * 320 + x] = px;
        }
    ReferenceLayer(expect, 3, 5500 * 2 >> 1, -100, 1024, 512);
    ReferenceLayer(expect, 3, 6140 * 2 >> 1, 140, 1024, 512);
    FillScreen(kBackdrop);
    PutMenBack(1);
    EXPECT_EQ(WorkSurface->pixels, expect);
}

// ---------------------------------------------------------------- generated content

TEST(StageContent, Stage1MapFitsItsSheet) {
    std::string men = std::string(PELLO_TEST_DATA_DIR) + "/men1.dat";
    std::string bg = std::string(PELLO_TEST_DATA_DIR) + "/bg_stage1.bmp";
    if (!fs::exists(men) || !fs::exists(bg)) GTEST_SKIP() << "stage 1 data not generated";
    ClearMenTables();
    ASSERT_EQ(LoadMenFile(men.c_str()), 1);
    Surface* sheet = LoadIndexedBitmap(bg.c_str());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->width, 1024);
    ASSERT_GE(sheet->height, 480);
    uint16_t key = PixelFormat565 ? 0x07E0 : 0x03E0;

    // The far layer is the deepest drawing: it must cover every pixel.
    int holes = 0;
    for (int y = 240; y < 480; y++)
        for (int x = 0; x < 640; x++) holes += sheet->pixels[y * 1024 + x] == key;
    EXPECT_EQ(holes, 0);

    // Every tile the map uses lies on the sheet, outside the far layer, and
    // shows something; layers 7 to 9 are never drawn and stay empty.
    std::vector<char> checked(64 * 64, 0);
    int bad = 0, used = 0;
    for (int c = 0; c < kMapColumns; c++)
        for (int r = 0; r < kMapRows; r++)
            for (int l = 0; l < kMapLayers; l++) {
                unsigned t = MenMap[c][r][l];
                if (t == kEmptyTile) continue;
                if (l > 6) {
                    bad++;
                    continue;
                }
                int tx = (t & 63) * 16, ty = (t >> 6) * 16;
                if (ty + 16 > sheet->height || (ty >= 240 && ty < 480 && tx < 640)) {
                    bad++;
                    continue;
                }
                if (checked[t]) continue;
                checked[t] = 1;
                used++;
                bool any = false;
                for (int y = 0; y < 16 && !any; y++)
                    for (int x = 0; x < 16; x++) any |= sheet->pixels[(ty + y) * 1024 + tx + x] != key;
                bad += !any;
            }
    EXPECT_EQ(bad, 0);
    EXPECT_GT(used, 100);

    // The foreground jumps by 640 pixels between sections 18 and 19: it holds
    // nothing in the columns seen just before and just after.
    for (int c = 830; c <= 905; c++)
        for (int r = 0; r < kMapRows; r++) ASSERT_EQ(MenMap[c][r][0], kEmptyTile) << "column " << c;
    FreeSurface(sheet);
}
