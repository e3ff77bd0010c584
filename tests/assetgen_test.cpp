// The data generator: its writers against the game's readers (and a walk of
// the formats the game reads through the platform), the stage file layout,
// the wave, table and tile helpers, the sheet map checks, and byte-identical output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "kit.h"
#include "sound/sound.h"
#include "video/video.h"

namespace fs = std::filesystem;

namespace {

ag::Bytes ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return ag::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
uint32_t Le16(const ag::Bytes& b, size_t at) { return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8); }
uint32_t Le32(const ag::Bytes& b, size_t at) { return Le16(b, at) | (Le16(b, at + 2) << 16); }
uint32_t Be32(const ag::Bytes& b, size_t at) {
    return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | b[at + 3];
}

fs::path TempDir(const std::string& name) {
    fs::path p = fs::temp_directory_path() / ("pello_assetgen_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

uint16_t To565(ag::Rgb c) { return uint16_t((c.b >> 3) | ((c.g >> 2) << 5) | ((c.r >> 3) << 11)); }

ag::Canvas TestPicture(int w, int h) {
    ag::Canvas c(w, h, ag::kKey);
    c.FillRect(1, 1, w - 2, 2, ag::C(ag::P_SKY2));
    c.Set(0, h - 1, ag::C(ag::P_FIRE3));     // bottom-left: first pixel of the file's rows
    c.Set(w - 1, 0, ag::C(ag::P_GOLD1));     // top-right: last row of the file
    return c;
}

}  // namespace

TEST(AssetgenBmp, IndexedLayoutMatchesTheEightBitReader) {
    ag::ClearErrors();
    ag::Canvas c = TestPicture(12, 5);
    ag::Bytes b = ag::Bmp8(c, "test");
    ASSERT_EQ(ag::ErrorCount(), 0);
    ASSERT_EQ(b.size(), 1078u + 12 * 5);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(Le32(b, 10), 1078u);                 // pixel data offset
    EXPECT_EQ(Le16(b, 18), 12u);
    EXPECT_EQ(Le16(b, 22), 5u);
    EXPECT_EQ(Le16(b, 28), 8u);                    // bits per pixel
    EXPECT_EQ(Le32(b, 30), 0u);                    // uncompressed
    // colour table entry 0 is pure green (blue, green, red, reserved)
    EXPECT_EQ(b[54], 0);
    EXPECT_EQ(b[55], 255);
    EXPECT_EQ(b[56], 0);
    // bottom-up rows of exactly `width` bytes
    EXPECT_EQ(b[1078 + 0], ag::P_FIRE3);
    EXPECT_EQ(b[1078 + 4 * 12 + 11], ag::P_GOLD1);
    EXPECT_EQ(b[1078 + 4 * 12 + 0], ag::P_KEY);

    // a colour outside the palette and a width not a multiple of 4 are refused
    c.Set(3, 3, ag::Rgb{1, 2, 3});
    ag::Bmp8(c, "test");
    EXPECT_EQ(ag::ErrorCount(), 1);
    ag::ClearErrors();
    // ...until the area is snapped to the palette (the key stays the key)
    c.Quantize(ag::Rect{0, 0, 12, 5});
    EXPECT_EQ(c.Get(3, 3), ag::C(ag::P_BLACK));
    EXPECT_EQ(c.Get(0, 0), ag::kKey);
    ag::Bmp8(c, "test");
    EXPECT_EQ(ag::ErrorCount(), 0);
    ag::Bmp8(ag::Canvas(10, 2), "test");
    EXPECT_EQ(ag::ErrorCount(), 1);
    ag::ClearErrors();
}

TEST(AssetgenBmp, GameReadersLoadWhatTheWritersWrite) {
    fs::path dir = TempDir("bmp");
    ag::Canvas c = TestPicture(16, 6);
    {
        auto b8 = ag::Bmp8(c, "t8");
        std::ofstream(dir / "t8.bmp", std::ios::binary).write(reinterpret_cast<const char*>(b8.data()), long(b8.size()));
        auto b24 = ag::Bmp24(TestPicture(13, 6));   // odd width: padded rows
        std::ofstream(dir / "t24.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(b24.data()), long(b24.size()));
    }
    // 24-bit: header walk
    ag::Bytes b = ReadAll(dir / "t24.bmp");
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(Le32(b, 10), 54u);
    EXPECT_EQ(Le16(b, 28), 24u);
    EXPECT_EQ(b.size(), 54u + 40 * 6);            // 13 * 3 = 39 bytes, padded to 40
    EXPECT_EQ(Le32(b, 2), b.size());

    PixelFormat565 = 1;
    Surface* s8 = LoadIndexedBitmap((dir / "t8.bmp").c_str());
    Surface* s24 = LoadBitmapSurface((dir / "t24.bmp").c_str());
    ASSERT_NE(s8, nullptr);
    ASSERT_NE(s24, nullptr);
    ASSERT_EQ(s8->width, 16);
    ASSERT_EQ(s8->height, 6);
    EXPECT_EQ(s8->pixels[0 * 16 + 0], 0x07E0);                       // key green
    EXPECT_EQ(s8->pixels[5 * 16 + 0], To565(ag::C(ag::P_FIRE3)));
    EXPECT_EQ(s8->pixels[0 * 16 + 15], To565(ag::C(ag::P_GOLD1)));
    EXPECT_EQ(s8->pixels[1 * 16 + 3], To565(ag::C(ag::P_SKY2)));
    ASSERT_EQ(s24->width, 13);
    EXPECT_EQ(s24->pixels[5 * 13 + 0], To565(ag::C(ag::P_FIRE3)));
    EXPECT_EQ(s24->pixels[0 * 13 + 12], To565(ag::C(ag::P_GOLD1)));
    EXPECT_EQ(s24->pixels[0], 0x07E0);
    FreeSurface(s8);
    FreeSurface(s24);
    fs::remove_all(dir);
}

TEST(AssetgenStage, FieldsLandAtTheirOffsets) {
    ag::ClearErrors();
    ag::StageDesc d;
    d.templates[3] = ag::EnemyTemplate{true, 64, 32, 24, 16, 7, 5, 300, 14, ""};
    d.formations[2].m[1] = ag::FormationMember{true, 20, 12, 3};
    d.Single(40, 20, 3);
    d.Group(50, 18, 2);
    d.SetTile(2999, 14, 9, ag::StageDesc::TileAt(48, 32));
    d.SetTile(0, 0, 0, 5);
    ag::Bytes b = ag::StageBytes(d);
    ASSERT_EQ(ag::ErrorCount(), 0);
    ASSERT_EQ(b.size(), 911840u);
    // timeline entries 0 and 1
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(Le16(b, 2), 40u);
    EXPECT_EQ(Le16(b, 4), 20u);
    EXPECT_EQ(Le16(b, 6), 3u);
    EXPECT_EQ(b[8], 2);
    EXPECT_EQ(Le16(b, 14), 2u);
    EXPECT_EQ(b[16], 0);                          // unused entries stay empty
    // template 3 at 1740 + 3 * 22: x/8, y/8, w/8-1, h/8-1, hp, meter, score, type-11
    size_t t = 1740 + 3 * 22;
    EXPECT_EQ(Le16(b, t + 2), 8u);
    EXPECT_EQ(Le16(b, t + 4), 4u);
    EXPECT_EQ(Le16(b, t + 6), 2u);
    EXPECT_EQ(Le16(b, t + 8), 1u);
    EXPECT_EQ(Le16(b, t + 10), 7u);
    EXPECT_EQ(Le16(b, t + 12), 5u);
    EXPECT_EQ(Le16(b, t + 14), 300u);
    EXPECT_EQ(Le16(b, t + 16), 3u);
    // formation 2 member 1 at 2840 + 2 * 82: present, dt, dy, template words
    size_t g = 2840 + 2 * 82;
    EXPECT_EQ(Le16(b, g + 2 * 2), 1u);
    EXPECT_EQ(Le16(b, g + 2 * 12), 20u);
    EXPECT_EQ(Le16(b, g + 2 * 22), 12u);
    EXPECT_EQ(Le16(b, g + 2 * 32), 3u);
    // map: column-major, 300 bytes a column, 20 a row, layers adjacent
    EXPECT_EQ(Le16(b, 11840), 5u);
    EXPECT_EQ(Le16(b, 11840 + 2), 0xFFFFu);
    EXPECT_EQ(Le16(b, 911840 - 2), 2u * 64 + 3);
    for (size_t i = 3660; i < 11840; ++i) ASSERT_EQ(b[i], 0) << i;

    // an event naming an undefined template is refused
    d.Single(60, 10, 4);
    ag::StageBytes(d);
    EXPECT_EQ(ag::ErrorCount(), 1);
    ag::ClearErrors();
}

TEST(AssetgenStage, WavesLandWhereTheGameSpawnsAndClosedFramesAreRefused) {
    // A stage whose clock jumps 100 at frame 500, with frames 480..539 closed.
    struct Jumping : ag::Waves {
        using Waves::Waves;
        int ClockOf(int f) const override { return f < 500 ? f : f + 100; }
        int FrameOf(int c) const override { return c < 500 ? c : c < 600 ? -1 : c - 100; }
        bool Closed(int f) const override { return f < 0 || (f >= 480 && f < 540); }
    };
    ag::ClearErrors();
    ag::StageDesc d;
    d.templates[0] = ag::EnemyTemplate{true, 0, 0, 24, 16, 1, 0, 0, 11, ""};
    for (int shift : {4, 5})
        for (int frame : {0, 37, 400, 700, 1234}) {
            Jumping w(d, shift);
            w.One(frame, 101, 0);
            const ag::StageEvent& e = d.events.back();
            // the game fires it on the frame's clock value or within one step after, never before
            const int clock = w.ClockOf(frame);
            EXPECT_FALSE(MenSingleFires(clock - 1, e.pos, shift)) << frame;
            EXPECT_TRUE(MenSingleFires(clock + (1 << shift) - 1, e.pos, shift)) << frame;
            EXPECT_LE(std::abs(MenCentreY(e.row, 16) - 101), 4) << frame;
        }
    EXPECT_EQ(ag::ErrorCount(), 0);

    Jumping w(d, 5);
    w.One(500, 100, 0);                  // on a closed frame
    w.One(470, 100, 0);                  // fires only after the jump, inside the closed stretch
    EXPECT_EQ(ag::ErrorCount(), 2);
    w.DefineFormation(1, {ag::M(0, 0, 0), ag::M(40, 0, 0)}, "");
    w.Group(440, 100, 1);                // its second member would enter on a closed frame
    EXPECT_EQ(ag::ErrorCount(), 3);
    ag::ClearErrors();
}

TEST(AssetgenTable, ABadLineNamesItsFileAndLineAndTheOtherLinesAreRead) {
    ag::ClearErrors();
    const auto lines = ag::ParseTable("# comment\none 10 \"a # kept\"\n\none 1O\nodd 3\nopen \"quote\n", "t.txt");
    std::vector<std::string> read;
    ag::ReadEntries(lines, {{"one", [&](const ag::TableLine& l) {
                                 l.Expect(1, 2);
                                 read.push_back(std::to_string(l.Int(1)) + l.Text(2));
                             }}});
    EXPECT_EQ(read, std::vector<std::string>{"10a # kept"});
    ASSERT_EQ(ag::ErrorCount(), 3);
    EXPECT_EQ(ag::Errors()[0].rfind("t.txt:6: ", 0), 0u) << ag::Errors()[0];   // the open quote
    EXPECT_EQ(ag::Errors()[1].rfind("t.txt:4: ", 0), 0u) << ag::Errors()[1];   // not a number
    EXPECT_EQ(ag::Errors()[2].rfind("t.txt:5: ", 0), 0u) << ag::Errors()[2];   // no such entry
    ag::ClearErrors();
}

TEST(AssetgenStage, TileCutterKeepsEachTileOnceAndSkipsReservedSlots) {
    ag::ClearErrors();
    ag::Canvas sheet(1024, 1024), layer(48, 240);
    layer.FillRect(0, 0, 16, 16, ag::C(ag::P_SKY2));     // tile A at column 0 and column 2, row 3
    layer.FillRect(32, 48, 16, 16, ag::C(ag::P_SKY2));
    layer.Set(20, 5, ag::C(ag::P_FIRE3));                // tile B at column 1
    ag::TileCutter cut(sheet, "t.bmp", {}, {0});
    cut.CutLayer(layer, 4);
    const ag::TileMap& map = cut.map;
    EXPECT_EQ(map[MenMapIndex(0, 0, 4)], 1);           // slot 0 is reserved
    EXPECT_EQ(map[MenMapIndex(2, 3, 4)], 1);
    EXPECT_EQ(map[MenMapIndex(1, 0, 4)], 2);
    EXPECT_EQ(map[MenMapIndex(1, 1, 4)], kEmptyTile);
    EXPECT_EQ(map[MenMapIndex(0, 0, 3)], kEmptyTile);
    EXPECT_EQ(sheet.Get(16 + 15, 15), ag::C(ag::P_SKY2));
    EXPECT_EQ(sheet.Get(32 + 4, 5), ag::C(ag::P_FIRE3));
    EXPECT_EQ(cut.Count(), 3);
    EXPECT_EQ(cut.Finish(8).sheet.h, 16);
    EXPECT_EQ(ag::ErrorCount(), 0);
    cut.Tile(layer, 16, 0, true);                        // a hole in a layer that must be opaque
    EXPECT_GT(ag::ErrorCount(), 0);
    ag::ClearErrors();
}

TEST(AssetgenSheetMap, RejectsOutOfSheetOverlapsStrayPaintAndWrongNothing) {
    using namespace ag;
    auto setup = [] {
        ResetRegistry();
        ClearErrors();
        DeclareSheet({"s.bmp", 64, 32, Depth::Rgb24, kKey, ""});
        AddPainter("s.bmp", "me", [](Canvas& c) { c.FillRect(CellRect("s.bmp", "a"), C(P_SKY2)); });
        DeclareCell("s.bmp", "a", {0, 0, 16, 16}, "", Copy::Keyed, "me");
    };
    setup();
    EXPECT_TRUE(CheckSheetMap());

    setup();
    DeclareCell("s.bmp", "out", {60, 0, 72, 8}, "", Copy::Keyed, "me");
    EXPECT_FALSE(CheckSheetMap());

    setup();
    DeclareCell("s.bmp", "b", {8, 8, 24, 24}, "", Copy::Keyed, "me");
    EXPECT_FALSE(CheckSheetMap());
    setup();
    DeclareCell("s.bmp", "b", {8, 8, 24, 24}, "", Copy::Keyed, "me", "*");   // marked as shared
    EXPECT_TRUE(CheckSheetMap());

    // a painter drawing outside its cells, a blank cell, green in an additive cell
    setup();
    AddPainter("s.bmp", "other", [](Canvas& c) { c.Set(40, 20, C(P_WHITE)); });
    DeclareCell("s.bmp", "c", {32, 0, 48, 16}, "", Copy::Additive, "other");
    DeclareCell("s.bmp", "d", {48, 0, 64, 16}, "", Copy::Keyed, "other");
    Canvas out;
    EXPECT_TRUE(CheckSheetMap());
    EXPECT_FALSE(PaintSheet("s.bmp", out));
    EXPECT_EQ(ErrorCount(), 3) << "stray pixel, blank cell, green in an additive cell";

    // a placeholder painter gives way to a real one of the same owner
    setup();
    AddPainter("s.bmp", "me", [](Canvas& c) { c.Set(0, 0, C(P_WHITE)); }, true);
    ASSERT_TRUE(PaintSheet("s.bmp", out));
    EXPECT_EQ(out.Get(0, 0), C(P_SKY2));
    ResetRegistry();
    ClearErrors();
}

TEST(AssetgenSound, WavRoundTripAndGeneratedEffects) {
    ag::Sound s = ag::Tone(ag::Wave::Sine, 0.1, 440);
    ag::Bytes b = ag::WavBytes(s);
    ASSERT_EQ(b.size(), 44u + 2 * s.s.size());
    EXPECT_EQ(Le16(b, 20), 1u);       // PCM
    EXPECT_EQ(Le16(b, 22), 1u);       // mono
    EXPECT_EQ(Le32(b, 24), 22050u);
    EXPECT_EQ(Le16(b, 34), 16u);
    ag::Sound back;
    ASSERT_TRUE(ag::ReadWav(b, back));
    ASSERT_EQ(back.s.size(), s.s.size());
    for (size_t i = 0; i < s.s.size(); i += 97) EXPECT_NEAR(back.s[i], s.s[i], 1e-3);

    // the generated effects: a RIFF walk finds PCM data of a sensible length
    for (const char* name : {"se/se-1.wav", "se/se-2.wav"}) {
        ag::Bytes f = ReadAll(fs::path(PELLO_TEST_DATA_DIR) / name);
        ASSERT_GT(f.size(), 44u) << name;
        ag::Sound x;
        ASSERT_TRUE(ag::ReadWav(f, x)) << name;
        EXPECT_GT(x.Seconds(), 0.05) << name;
        EXPECT_LT(x.Seconds(), 3.0) << name;
        EXPECT_LT(f.size(), 300000u) << name << " would be streamed";
    }
}

TEST(AssetgenMusic, SmfHeaderTracksAndDrums) {
    ag::Song s;
    s.bpm = 120;
    s.lengthBeats = 8;
    auto& t = s.AddTrack("lead", 0, ag::gm::Flute);
    EXPECT_DOUBLE_EQ(t.Melody(0, "C5:1 r:1 E5 G5:2"), 5.0);
    auto& d = s.AddTrack("drums", 9, 0);
    d.Pattern(0, "x.x.", 0.5, ag::gm::Kick);
    ag::Bytes b = ag::SmfBytes(s);
    ASSERT_GE(b.size(), 14u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "MThd");
    EXPECT_EQ((b[8] << 8) | b[9], 1);     // format 1
    EXPECT_EQ((b[10] << 8) | b[11], 3);   // tempo track + 2
    // walk the chunks; count note-ons per channel
    size_t p = 14;
    int tracks = 0, ch0 = 0, ch9 = 0;
    while (p + 8 <= b.size()) {
        ASSERT_EQ(std::string(b.begin() + long(p), b.begin() + long(p) + 4), "MTrk");
        uint32_t len = Be32(b, p + 4);
        for (size_t q = p + 8; q + 2 < p + 8 + len; ++q) {
            if (b[q] == 0x90 && b[q + 2] > 0) ++ch0;
            if (b[q] == 0x99 && b[q + 2] > 0) ++ch9;
        }
        p += 8 + len;
        ++tracks;
    }
    EXPECT_EQ(p, b.size());
    EXPECT_EQ(tracks, 3);
    EXPECT_EQ(ch0, 3);
    EXPECT_EQ(ch9, 2);
    EXPECT_EQ(ag::NoteNumber("A4"), 69);
    EXPECT_EQ(ag::NoteNumber("Bb2"), 46);
    EXPECT_EQ(ag::NoteNumber("H2"), -1);
}

TEST(AssetgenOutput, SameBytesOnEveryRun) {
    // Two runs at once, each as a new user with empty home, configuration and
    // runtime folders (libraries set up their per-user state on first use),
    // must both write what the build wrote.
    fs::path dir = TempDir("run");
    std::string cmd = "cd \"" + dir.string() + "\" && for r in 1 2; do mkdir -p home$r/config home$r/runtime && "
                      "chmod 700 home$r/runtime && HOME=\"$PWD/home$r\" XDG_CONFIG_HOME=\"$PWD/home$r/config\" "
                      "XDG_RUNTIME_DIR=\"$PWD/home$r/runtime\" \"" PELLO_ASSETGEN_EXE "\" out$r --quiet & "
                      "pids=\"$pids $!\"; done; for p in $pids; do wait $p || exit 1; done";
    ASSERT_EQ(std::system(("bash -c '" + cmd + "'").c_str()), 0);
    for (const char* run : {"out1", "out2"}) {
        int compared = 0;
        for (auto& e : fs::recursive_directory_iterator(dir / run)) {
            if (!e.is_regular_file()) continue;
            fs::path rel = fs::relative(e.path(), dir / run);
            ag::Bytes mine = ReadAll(e.path()), built = ReadAll(fs::path(PELLO_TEST_DATA_DIR) / rel);
            EXPECT_TRUE(mine == built) << run << "/" << rel << " differs from the build's copy";
            ++compared;
        }
        EXPECT_GE(compared, 180) << run;
        EXPECT_TRUE(fs::exists(dir / run / "wav" / "cv0_maho0.wav")) << run;
    }
    fs::remove_all(dir);
}

TEST(AssetgenBmp, EveryGeneratedBitmapLoadsWithTheGamesReader) {
    PixelFormat565 = 1;
    int loaded = 0;
    for (auto& e : fs::directory_iterator(PELLO_TEST_DATA_DIR)) {
        if (e.path().extension() != ".bmp") continue;
        std::string name = e.path().filename().string();
        bool indexed = name.rfind("bg_stage", 0) == 0 || name.find("_en.bmp") != std::string::npos;
        Surface* s = indexed ? LoadIndexedBitmap(e.path().c_str()) : LoadBitmapSurface(e.path().c_str());
        ASSERT_NE(s, nullptr) << name;
        EXPECT_GT(s->width, 0) << name;
        if (name == "fix.bmp") {
            EXPECT_EQ(s->width, 800);
            EXPECT_EQ(s->height, 288);
            EXPECT_EQ(s->pixels[size_t(50) * 800 + 700], 0x07E0);      // empty sheet area: the key
            EXPECT_EQ(s->pixels[size_t(286) * 800 + 2], 0);            // flash cell corner: black
        }
        if (name == "tama.bmp") {
            EXPECT_EQ(s->pixels[size_t(40) * s->width + 200], 0);   // additive sheet: black
        }
        if (name == "icon.bmp") {  // the window's icon: a face on the transparent key
            EXPECT_EQ(s->width * 1000 + s->height, 32032);
            EXPECT_EQ(s->pixels[0], 0x07E0);
            EXPECT_NE(s->pixels[size_t(21) * 32 + 16], 0x07E0);
        }
        FreeSurface(s);
        ++loaded;
    }
    EXPECT_GE(loaded, 2);
}

TEST(AssetgenSound, EveryGeneratedWavOpensWithTheGamesReader) {
    int opened = 0;
    for (auto& e : fs::recursive_directory_iterator(PELLO_TEST_DATA_DIR)) {
        if (e.path().extension() != ".wav") continue;
        WaveFile w;
        ASSERT_EQ(OpenWave(w, e.path().c_str()), 0) << e.path();
        ASSERT_TRUE(w.format.has_value());
        EXPECT_EQ(w.format->formatTag, 1) << e.path();
        EXPECT_EQ(w.format->channels, 1) << e.path();
        EXPECT_EQ(w.format->samplesPerSec, 22050u) << e.path();
        EXPECT_EQ(w.format->bitsPerSample, 16) << e.path();
        uint32_t expected = uint32_t(fs::file_size(e.path()) - 44);
        std::vector<uint8_t> buf(expected + 16);
        uint32_t got = 0;
        EXPECT_EQ(ReadWave(w, uint32_t(buf.size()), buf.data(), &got), 0) << e.path();
        EXPECT_EQ(got, expected) << e.path();
        CloseWave(w);
        ++opened;
    }
    EXPECT_GE(opened, 2);
}
