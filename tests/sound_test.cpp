// Sound: the wave reader, channels and mixing, conversion, streaming, music files.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/core.h"
#include "platform/audio.h"
#include "platform/platform.h"
#include "player/player.h"
#include "screens/screens.h"
#include "sound/sound.h"
#include "stage/stage_table.h"

namespace fs = std::filesystem;

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}
void PutId(std::vector<uint8_t>& v, const char* id) { v.insert(v.end(), id, id + 4); }

struct WavSpec {
    uint16_t tag = 1, channels = 2, bits = 16;
    uint32_t rate = 44100;
    uint32_t fmtSize = 16;            // PCM: 16; others: 18 + extra
    std::vector<uint8_t> extra;       // non-PCM extra bytes (count written before them)
    bool withData = true;
    const char* riff = "RIFF";
    const char* form = "WAVE";
};

std::vector<uint8_t> MakeWav(const WavSpec& s, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> body;
    PutId(body, s.form);
    PutId(body, "LIST");  // an unrelated chunk before the format
    Put32(body, 3);
    body.insert(body.end(), {'x', 'y', 'z', 0});
    PutId(body, "fmt ");
    Put32(body, s.fmtSize);
    size_t fmtStart = body.size();
    Put16(body, s.tag);
    Put16(body, s.channels);
    Put32(body, s.rate);
    Put32(body, s.rate * s.channels * s.bits / 8);
    Put16(body, s.channels * s.bits / 8);
    Put16(body, s.bits);
    if (s.tag != 1 && s.fmtSize >= 18) {
        Put16(body, static_cast<uint32_t>(s.extra.size()));
        body.insert(body.end(), s.extra.begin(), s.extra.end());
    }
    body.resize(fmtStart + s.fmtSize, 0);
    if (s.withData) {
        PutId(body, "data");
        Put32(body, static_cast<uint32_t>(data.size()));
        body.insert(body.end(), data.begin(), data.end());
        if (data.size() & 1) body.push_back(0);
    }
    std::vector<uint8_t> file;
    PutId(file, s.riff);
    Put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// Stereo 16-bit frames with the same value on both sides.
std::vector<uint8_t> Constant(int frames, int16_t value) {
    std::vector<uint8_t> d;
    for (int i = 0; i < frames * 2; i++) Put16(d, static_cast<uint16_t>(value));
    return d;
}

int16_t RampSample(size_t i) { return static_cast<int16_t>((i * 37) % 20000 - 10000); }

class SoundTest : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("pello_sound_" + std::to_string(::getpid()));
        fs::create_directories(dir / "se");
        plat::AudioSelectBackend(plat::AudioBackend::Mixer);
        soundOk = InitSound();
        ASSERT_EQ(soundOk, 1);
        plat::MusicLogClear();
    }
    void TearDown() override {
        StopMidi();
        ReleaseSound();
        soundOk = 0;
        plat::AudioSelectBackend(plat::AudioBackend::Auto);
        fs::remove_all(dir);
    }
    // Writes a file and returns its name in the game's '\' form.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        std::string game = path;
        size_t slash = game.rfind('/');
        if (name.find('/') != std::string::npos) slash = game.rfind('/', slash - 1);
        game[slash] = '\\';
        return game;
    }
    std::vector<int16_t> Render(int frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        plat::AudioRender(out.data(), frames);
        return out;
    }
};

// --- the reader

TEST_F(SoundTest, WaveReaderRejectsMalformedFiles) {
    WaveFile w;
    std::vector<uint8_t> d = Constant(10, 5);
    WavSpec notRiff;
    notRiff.riff = "RIFX";
    WavSpec notWave;
    notWave.form = "AVI ";
    WavSpec shortFmt;
    shortFmt.fmtSize = 14;
    WavSpec noData;
    noData.withData = false;
    for (const WavSpec* s : {&notRiff, &notWave, &shortFmt, &noData}) {
        EXPECT_EQ(OpenWave(w, Write("bad.wav", MakeWav(*s, d)).c_str()), E_FAIL);
        EXPECT_FALSE(w.format.has_value());
        EXPECT_EQ(w.handle, nullptr);
    }
    EXPECT_EQ(OpenWave(w, (dir / "missing.wav").string().c_str()), E_FAIL);
    EXPECT_EQ(OpenWave(w, Write("empty.wav", {}).c_str()), E_FAIL);
}

TEST_F(SoundTest, WaveReaderReadsFormatAndData) {
    WaveFile w;
    WavSpec adpcm;
    adpcm.tag = 2;
    adpcm.fmtSize = 18 + 4;
    adpcm.extra = {9, 8, 7, 6};
    std::vector<uint8_t> d = {1, 2, 3, 4, 5};
    ASSERT_EQ(OpenWave(w, Write("adpcm.wav", MakeWav(adpcm, d)).c_str()), 0);
    EXPECT_EQ(w.format->formatTag, 2);
    EXPECT_EQ(w.format->extraSize, 4);
    EXPECT_EQ(w.format->extra, std::vector<uint8_t>({9, 8, 7, 6}));
    EXPECT_EQ(w.dataChunk.size, 5u);

    uint8_t buf[8] = {};
    uint32_t got = 0;
    EXPECT_EQ(ReadWave(w, 3, buf, &got), 0);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(ReadWave(w, 8, buf + 3, &got), 0);  // only what is left
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(std::vector<uint8_t>(buf, buf + 5), d);
    EXPECT_EQ(ReadWave(w, 8, buf, &got), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(ResetWave(w), 0);
    EXPECT_EQ(ReadWave(w, 1, buf, &got), 0);
    EXPECT_EQ(buf[0], 1);
    CloseWave(w);

    // A non-PCM format whose chunk has no room for its extra size fails.
    WavSpec cut = adpcm;
    cut.fmtSize = 16;
    EXPECT_EQ(OpenWave(w, Write("cut.wav", MakeWav(cut, d)).c_str()), E_FAIL);
    cut.fmtSize = 19;  // room for the size, not for the four bytes it announces
    EXPECT_EQ(OpenWave(w, Write("cut.wav", MakeWav(cut, d)).c_str()), E_FAIL);
}

TEST_F(SoundTest, WaveReaderCutsDataClaimingMoreThanTheFile) {
    std::vector<uint8_t> file = MakeWav(WavSpec{}, Constant(4, 1));
    file[file.size() - 16 - 4] = 0xFF;  // data size: far more than follows
    WaveFile w;
    ASSERT_EQ(OpenWave(w, Write("long.wav", file).c_str()), 0);
    EXPECT_EQ(w.dataChunk.size, 16u);
    CloseWave(w);
}

// --- channels

TEST_F(SoundTest, OneShotUpTo300000BytesStreamedAbove) {
    PlayWave(1, Write("a.wav", MakeWav(WavSpec{}, std::vector<uint8_t>(300000, 0))).c_str(), 0);
    EXPECT_EQ(plat::AudioChannelQueued(1), -1);
    EXPECT_TRUE(plat::AudioChannelHasSound(1));
    EXPECT_EQ(streamChannel, -1);
    PlayWave(2, Write("b.wav", MakeWav(WavSpec{}, std::vector<uint8_t>(300001, 0))).c_str(), 0);
    EXPECT_GE(plat::AudioChannelQueued(2), 0);
    EXPECT_EQ(streamChannel, 2);
    PlayWave(3, Write("c.wav", MakeWav(WavSpec{}, Constant(100, 1))).c_str(), 1);  // forced
    EXPECT_EQ(streamChannel, 3);
}

TEST_F(SoundTest, NewSoundCutsTheChannelOthersMix) {
    std::string a = Write("se/a.wav", MakeWav(WavSpec{}, Constant(4410, 1000)));
    std::string b = Write("se/b.wav", MakeWav(WavSpec{}, Constant(4410, -2000)));
    std::string loud = Write("se/loud.wav", MakeWav(WavSpec{}, Constant(4410, 30000)));
    PlayWave(2, a.c_str(), 0);
    EXPECT_EQ(Render(100)[0], 1000);
    PlayWave(2, b.c_str(), 0);
    std::vector<int16_t> out = Render(4410);
    EXPECT_EQ(out[0], -2000);
    EXPECT_EQ(out.back(), -2000);  // nothing of the first sound is left
    EXPECT_EQ(Render(10)[0], 0);   // played out

    PlayWave(1, a.c_str(), 0);
    PlayWave(2, b.c_str(), 0);
    EXPECT_EQ(Render(10)[5], -1000);
    PlayWave(1, loud.c_str(), 0);
    PlayWave(2, loud.c_str(), 0);
    PlayWave(3, loud.c_str(), 0);
    EXPECT_EQ(Render(10)[3], 30000);  // limited, not wrapped
}

TEST_F(SoundTest, PiledUpSoundsAreLimitedWhileOneKeepsItsLevel) {
    std::vector<uint8_t> d;
    std::vector<int16_t> wave;
    for (int i = 0; i < 22050; i++) {
        wave.push_back(static_cast<int16_t>(std::lround(29491 * std::sin(i * 2 * M_PI * 440 / 44100))));
        for (int side = 0; side < 2; side++) Put16(d, static_cast<uint16_t>(wave.back()));
    }
    std::string tone = Write("se/tone.wav", MakeWav(WavSpec{}, d));
    PlayWave(1, tone.c_str(), 0);
    std::vector<int16_t> out = Render(22050);
    for (int i = 0; i < 22050; i += 7) ASSERT_EQ(out[2 * i], wave[i]) << i;  // untouched

    // Three at once: under the ceiling, and still round waves, not flat tops.
    for (int c = 1; c <= 3; c++) PlayWave(c, tone.c_str(), 0);
    out = Render(22050);
    int flat = 0, top = 0;
    for (size_t i = 2; i < out.size(); i += 2) {
        top = std::max(top, std::abs(out[i]));
        if (std::abs(out[i]) > 20000 && out[i] == out[i - 2]) flat++;
    }
    EXPECT_EQ(top, 30000);
    EXPECT_LT(flat, 22050 / 50);
}

TEST_F(SoundTest, ConvertsWholeSoundsToTheOutputFormat) {
    // 22050 Hz mono 16-bit: doubled in rate, copied to both sides, no frames lost at the end.
    WavSpec mono;
    mono.channels = 1;
    mono.rate = 22050;
    std::vector<uint8_t> d;
    for (int i = 0; i < 11025; i++) Put16(d, 8000);
    PlayWave(0, Write("m.wav", MakeWav(mono, d)).c_str(), 0);
    std::vector<int16_t> out = Render(30000);
    int sounding = 0;
    for (size_t i = 0; i < out.size(); i += 2) {
        if (out[i] != 0) sounding++;
        EXPECT_EQ(out[i], out[i + 1]);
    }
    EXPECT_NEAR(sounding, 22050, 4);
    EXPECT_NEAR(out[20000], 8000, 40);

    // 8-bit unsigned: 0xC0 is a quarter of the way up.
    WavSpec eight = mono;
    eight.bits = 8;
    PlayWave(0, Write("e.wav", MakeWav(eight, std::vector<uint8_t>(2000, 0xC0))).c_str(), 0);
    EXPECT_NEAR(Render(1000)[600], 16384, 300);
}

// Conversions are kept by what the sound holds: a file rewritten between
// plays sounds as it is now, and a channel given a new sound before its
// previous one was ready plays only the newest.
TEST_F(SoundTest, KeptConversionsFollowTheFileAndTheChannel) {
    WavSpec mono;
    mono.channels = 1;
    mono.rate = 22050;
    auto level = [&](int16_t v) {
        std::vector<uint8_t> d;
        for (int i = 0; i < 2000; i++) Put16(d, static_cast<uint16_t>(v));
        return MakeWav(mono, d);
    };
    std::string k = Write("k.wav", level(1000));
    PlayWave(1, k.c_str(), 0);
    EXPECT_NEAR(Render(5000)[2000], 1000, 20);
    Write("k.wav", level(-3000));
    PlayWave(1, k.c_str(), 0);
    EXPECT_NEAR(Render(5000)[2000], -3000, 60);
    // New, then already converted; new, then new: only the second sounds.
    PlayWave(1, Write("n1.wav", level(5000)).c_str(), 0);
    PlayWave(1, k.c_str(), 0);
    EXPECT_NEAR(Render(5000)[2000], -3000, 60);
    PlayWave(1, Write("n2.wav", level(7000)).c_str(), 0);
    PlayWave(1, Write("n3.wav", level(-7000)).c_str(), 0);
    EXPECT_NEAR(Render(5000)[2000], -7000, 140);
}

TEST_F(SoundTest, StreamedSoundLoopsSeamlessly) {
    // 75001 frames (300004 bytes): streamed, and longer than one refill.
    const size_t frames = 75001;
    std::vector<uint8_t> d;
    for (size_t i = 0; i < frames * 2; i++) Put16(d, static_cast<uint16_t>(RampSample(i)));
    PlayWave(4, Write("loop.wav", MakeWav(WavSpec{}, d)).c_str(), 0);
    size_t at = 0;
    for (int pass = 0; pass < 60; pass++) {  // 2.6 s: wraps twice
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (plat::AudioChannelQueued(4) < 2205 * 4 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::vector<int16_t> out = Render(2205);
        for (size_t i = 0; i < out.size(); i++, at++)
            ASSERT_EQ(out[i], RampSample(at % (frames * 2))) << "sample " << at;
    }
    // Reusing the channel ends the stream: the old worker no longer feeds it.
    PlayWave(4, Write("short.wav", MakeWav(WavSpec{}, Constant(10, 7))).c_str(), 0);
    EXPECT_EQ(plat::AudioChannelQueued(4), -1);
    std::vector<int16_t> out = Render(20);
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[30], 0);
}

TEST_F(SoundTest, StreamRewindsWhenDataEndsExactlyAtARead) {
    // 44100 frames at 44100 Hz: every one-second refill ends exactly at the
    // end of the data, and the next one must start again from the top.
    std::vector<uint8_t> d;
    for (size_t i = 0; i < 44100 * 2; i++) Put16(d, static_cast<uint16_t>(RampSample(i)));
    PlayWave(5, Write("exact.wav", MakeWav(WavSpec{}, d)).c_str(), 1);
    for (size_t second = 0; second < 3; second++) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (plat::AudioChannelQueued(5) < 44100 * 4 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::vector<int16_t> out = Render(44100);
        for (size_t i = 0; i < out.size(); i++) ASSERT_EQ(out[i], RampSample(i)) << second << " " << i;
    }
}

TEST_F(SoundTest, FailedStartLeavesTheChannelEmpty) {
    std::string good = Write("g.wav", MakeWav(WavSpec{}, Constant(100, 5)));
    PlayWave(0, good.c_str(), 0);
    EXPECT_TRUE(plat::AudioChannelHasSound(0));
    PlayWave(0, (dir / "nothere.wav").string().c_str(), 0);
    EXPECT_FALSE(plat::AudioChannelHasSound(0));
    EXPECT_EQ(channelBusy[0], 1);

    WavSpec adpcm;
    adpcm.tag = 2;
    adpcm.fmtSize = 20;
    adpcm.extra = {0, 0};
    PlayWave(1, Write("x.wav", MakeWav(adpcm, Constant(100, 5))).c_str(), 0);
    EXPECT_EQ(channelBusy[1], 1);  // the buffer could not be made: dropped
    EXPECT_FALSE(plat::AudioChannelHasSound(1));
    PlayWave(9, good.c_str(), 0);  // no such channel
    PlayWave(-1, good.c_str(), 0);
    EXPECT_EQ(Render(10)[0], 0);
}

TEST_F(SoundTest, NothingPlaysWithoutSound) {
    soundOk = 0;
    PlayWave(0, Write("g.wav", MakeWav(WavSpec{}, Constant(100, 5))).c_str(), 0);
    EXPECT_EQ(channelBusy[0], 0);
    EXPECT_FALSE(plat::AudioChannelHasSound(0));
    EXPECT_EQ(Render(10)[0], 0);
    soundOk = 1;
}

// --- music

std::vector<uint8_t> TinyMidi(int noteTicks) {
    std::vector<uint8_t> trk = {0x00, 0xC0, 0x00,          // piano
                                0x00, 0x90, 60,   100};    // note on
    trk.push_back(static_cast<uint8_t>(noteTicks));        // < 128
    trk.insert(trk.end(), {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> m = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    for (int s = 24; s >= 0; s -= 8) m.push_back(static_cast<uint8_t>(trk.size() >> s));
    m.insert(m.end(), trk.begin(), trk.end());
    return m;
}

using Log = std::vector<std::string>;

TEST_F(SoundTest, MusicCommands) {
    std::string a = Write("a.mid", TinyMidi(48));
    std::string b = Write("b.mid", TinyMidi(48));
    EXPECT_EQ(PlayMidi(a.c_str()), 0);
    EXPECT_EQ(musicOn, 1);
    EXPECT_EQ(plat::MusicLog(), Log({"open " + GameFilePath(a.c_str()), "play"}));

    plat::MusicLogClear();  // replacing a playing piece: stop, close, open, play
    PlayMidi(b.c_str());
    EXPECT_EQ(plat::MusicLog(), Log({"stop", "close", "open " + GameFilePath(b.c_str()), "play"}));

    plat::MusicLogClear();  // the end of the piece restarts it; other codes do nothing
    OnMusicEnd(2);
    OnMusicEnd(4);
    EXPECT_TRUE(plat::MusicLog().empty());
    OnMusicEnd(1);
    EXPECT_EQ(plat::MusicLog(), Log({"stop", "seek", "play"}));

    plat::MusicLogClear();  // stopping twice sends the commands once
    StopMidi();
    StopMidi();
    EXPECT_EQ(plat::MusicLog(), Log({"stop", "close"}));
    EXPECT_EQ(musicOn, 0);
    plat::MusicLogClear();
    OnMusicEnd(1);  // a late notice after a stop
    EXPECT_TRUE(plat::MusicLog().empty());

    // A missing piece still counts as playing, so the next stop is sent.
    EXPECT_NE(PlayMidi((dir / "none.mid").string().c_str()), 0);
    EXPECT_EQ(musicOn, 1);
    plat::MusicLogClear();
    StopMidi();
    EXPECT_EQ(plat::MusicLog(), Log({"stop", "close"}));
}

// With a soundfont, the synthesizer plays into the mixer and the end of the
// piece reaches the message queue once per play.
TEST_F(SoundTest, MusicEndReachesTheMessageQueue) {
    ReleaseSound();
    plat::AudioSelectBackend(plat::AudioBackend::Mixer, true);
    soundOk = InitSound();
    if (!plat::AudioHasMusic()) GTEST_SKIP() << "no soundfont";
    plat::Message m;
    while (plat::PeekMessage(m, true)) {
    }
    PlayMidi(Write("t.mid", TinyMidi(48)).c_str());  // a quarter second at 120 bpm
    int64_t energy = 0;
    std::vector<int> ends;  // 50 ms blocks in which an end was posted
    for (int i = 0; i < 40; i++) {
        for (int16_t s : Render(2205)) energy += std::abs(s);
        while (plat::PeekMessage(m, true)) {
            if (m.type != plat::MsgType::MusicEnd) continue;
            EXPECT_EQ(m.code, 1);
            ends.push_back(i);
            if (ends.size() == 1) OnMusicEnd(m.code);
        }
    }
    // Each end comes right after the note (not seconds later), and only the
    // restarted play gives a second one.
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[0], 4);
    EXPECT_EQ(ends[1], 9);
    EXPECT_GT(energy, 0);
}

// The real device thread (SDL's dummy driver) mixing while the main thread
// starts, replaces and stops sounds and music.
TEST_F(SoundTest, DeviceThreadMixesWhileTheGameChangesSounds) {
    ReleaseSound();
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    plat::AudioSelectBackend(plat::AudioBackend::Device);
    soundOk = InitSound();
    if (soundOk == 0) GTEST_SKIP() << "no audio device";
    std::string shortWav = Write("s.wav", MakeWav(WavSpec{}, Constant(2000, 300)));
    std::string longWav = Write("l.wav", MakeWav(WavSpec{}, Constant(80000, -300)));
    std::string mid = Write("m.mid", TinyMidi(20));
    for (int i = 0; i < 30; i++) {
        PlayWave(i % 4, shortWav.c_str(), 0);
        if (i % 10 == 0) PlayWave(5, longWav.c_str(), 0);
        if (i % 7 == 0) PlayMidi(mid.c_str());
        if (i % 11 == 0) StopMidi();
        plat::Message m;
        while (plat::PeekMessage(m, true))
            if (m.type == plat::MsgType::MusicEnd) OnMusicEnd(m.code);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(plat::AudioChannelHasSound(5));
    EXPECT_GE(plat::AudioChannelQueued(5), 0);
}

// --- the generated data holds every sound the game can name

TEST(SoundData, EveryNamedSoundAndPieceExists) {
    fs::path data = PELLO_TEST_DATA_DIR;
    GameStateRecord saved = GameState;
    std::set<std::string> names;
    for (int chno = 0; chno < 10; chno++)
        for (int event = 1; event <= 8; event++)
            for (int option = 1; option <= 3; option++)
                for (int waza = 0; waza <= 1; waza++)
                    for (unsigned seed = 0; seed < 12; seed++) {  // covers every random variant
                        GameState.chno = chno;
                        GameState.option = option;
                        GameState.wazaVoice = waza;
                        GameSrand(seed);
                        const char* name = VoiceName(event);
                        if (name[0]) names.insert(name);
                    }
    GameState = saved;
    EXPECT_EQ(names.count("wav\\cv0_maho3c.wav"), 1u);
    EXPECT_EQ(names.count("wav\\cv7_taiyaki1.wav"), 1u);
    for (int sel = 0; sel < 9; sel++)
        if (const char* voice = GreetingVoice(sel)) names.insert(voice);
    for (const char* effect : {"se\\se-1.wav", "se\\se-2.wav", "se\\se-3.wav", "se\\se-20.wav", "se\\se-21.wav",
                               "se\\se-22.wav", "se\\se-30.wav", "se\\se-31.wav", "se\\cs-1.wav", "se\\cs-2.wav",
                               "se\\cs-3.wav", "wav\\demo_s4a.wav", "wav\\demo_s4b.wav"})
        names.insert(effect);
    EXPECT_GE(names.size(), 120u);
    for (const std::string& name : names) {
        // Each is a PCM file short enough to be played in one piece.
        WaveFile w;
        ASSERT_EQ(OpenWave(w, (data / GameFilePath(name.c_str())).string().c_str()), 0) << name;
        EXPECT_EQ(w.format->formatTag, 1) << name;
        EXPECT_LE(w.dataChunk.size, kStreamThreshold) << name;
        EXPECT_GT(w.dataChunk.size, 2000u) << name;
        CloseWave(w);
    }
    std::vector<std::string> pieces = {"select.mid", "boss1.mid"};
    for (int stage = 1; stage <= 6; stage++) pieces.push_back(StageRow(stage).music);
    for (const std::string& piece : pieces) {
        std::error_code ec;
        EXPECT_GT(fs::file_size(data / piece, ec), 1000u) << piece;
        EXPECT_FALSE(ec) << piece;
    }
}

}  // namespace
