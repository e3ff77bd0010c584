// Shared set-up for the boss and stage-clear tests: the enemy fixture plus a
// listener that tells which sound channels were started, through the
// device-less mixer and tiny WAV files in a scratch folder.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "enemy_fixture.h"
#include "platform/audio.h"
#include "sound/sound.h"
#include "video/video.h"

class SoundListener {
public:
    // Writes a short silent WAV for each game name ("se\\se-1.wav") and moves
    // into the scratch folder so the game finds them.
    explicit SoundListener(const std::vector<std::string>& names) {
        namespace fs = std::filesystem;
        char tmpl[] = "/tmp/pello_boss_XXXXXX";
        dir_ = mkdtemp(tmpl);
        for (std::string n : names) {
            for (char& c : n)
                if (c == '\\') c = '/';
            fs::path p = fs::path(dir_) / n;
            fs::create_directories(p.parent_path());
            std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(Wav().data()), Wav().size());
        }
        old_ = fs::current_path();
        fs::current_path(dir_);
        plat::AudioSelectBackend(plat::AudioBackend::Mixer);
        soundOk = InitSound();
    }
    ~SoundListener() {
        ReleaseSound();
        soundOk = 0;
        plat::AudioSelectBackend(plat::AudioBackend::Auto);
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    bool ok() const { return soundOk == 1; }
    // True when something was started on the channel since the last look.
    bool Started(int channel) {
        bool s = plat::AudioChannelHasSound(channel);
        plat::AudioStopChannel(channel);
        channelBusy[channel] = 0;
        return s;
    }

private:
    static const std::vector<uint8_t>& Wav() {
        static const std::vector<uint8_t> w = [] {
            std::vector<uint8_t> v;
            auto u16 = [&](uint32_t x) { v.push_back(x & 255); v.push_back((x >> 8) & 255); };
            auto u32 = [&](uint32_t x) { u16(x & 0xFFFF); u16(x >> 16); };
            auto id = [&](const char* s) { for (int k = 0; k < 4; k++) v.push_back(uint8_t(s[k])); };
            const uint32_t data = 2000;
            id("RIFF"); u32(36 + data); id("WAVE");
            id("fmt "); u32(16); u16(1); u16(1); u32(22050); u32(44100); u16(2); u16(16);
            id("data"); u32(data);
            v.resize(v.size() + data, 0);
            return v;
        }();
        return w;
    }
    std::string dir_;
    std::filesystem::path old_;
};

class BossTestBase : public EnemyTestBase {
protected:
    void SetUp() override {
        EnemyTestBase::SetUp();
        itemDrop = 1;
        inputOn = 1;
        plat::MusicLogClear();
    }
    static TekiRecord* Find(int type) {
        for (TekiRecord& t : Teki)
            if (t.active != 0 && t.type == type) return &t;
        return nullptr;
    }
    static bool MusicOpened(const char* name) {
        for (const std::string& s : plat::MusicLog())
            if (s.find(std::string("open ") ) == 0 && s.find(name) != std::string::npos) return true;
        return false;
    }
};
