// Shared set-up of the combat tests: empty pools, a flown-in craft at
// (100, 100), blank sheets in the slots the combat code draws from, and a
// log of every voice and sound it starts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "enemy/enemy.h"
#include "player/player.h"
#include "shell/shell.h"
#include "shot/shot.h"
#include "video/video.h"

namespace combat_test {

inline std::vector<std::string> sounds;
inline void LogVoice(int event) {
    sounds.push_back("voice " + std::to_string(event) + (GameState.wazaVoice ? "b" : "a"));
}
inline void LogSe(int n) { sounds.push_back("se " + std::to_string(n)); }
inline void LogWave(int channel, const char* path, int) {
    sounds.push_back("wave " + std::to_string(channel) + " " + path);
}

class CombatTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::fill(std::begin(Teki), std::end(Teki), TekiRecord{});
        std::fill(std::begin(Tama), std::end(Tama), TamaRecord{});
        std::fill(std::begin(Item), std::end(Item), ItemRecord{});
        std::fill(std::begin(ItemLabel), std::end(ItemLabel), ItemLabelRecord{});
        ResetPlayerWork();
        EmptyShotPools();
        Waza = WazaWork{};
        GameState = GameStateRecord{};
        GameState.lives = 5;
        GameState.playerX = 100;
        GameState.playerY = 100;
        stageNo = 1;
        ResetStageFlags();
        entryOn = 1;
        GameSrand(7);
        savedSound_ = combatSound;
        combatSound = {LogVoice, LogSe, LogWave};
        sounds.clear();
        savedWork_ = WorkSurface;
        savedFormat_ = PixelFormat565;
        PixelFormat565 = 1;
        WorkSurface = MakeSurface(320, 240);
        for (int i = 0; i < 7; i++) savedSlot_[i] = Slot[i];
        Slot[0] = MakeSurface(320, 240);
        Slot[1] = MakeSurface(800, 288);
        Slot[5] = MakeSurface(320, 240);
        Slot[6] = MakeSurface(896, 320);
        for (int i : {0, 1, 6}) SetKeyColor(Slot[i], 0x07E0);
        for (int i : {2, 3, 4}) Slot[i] = nullptr;
    }
    void TearDown() override {
        combatSound = savedSound_;
        FreeSurface(WorkSurface);
        WorkSurface = savedWork_;
        PixelFormat565 = savedFormat_;
        for (int i = 0; i < 7; i++) {
            if (Slot[i] != savedSlot_[i]) FreeSurface(Slot[i]);
            Slot[i] = savedSlot_[i];
        }
        ResetPlayerWork();
    }

    // A plain enemy (type 11) centred at (x, y); returns its index.
    static int Enemy(int x, int y, int w = 32, int h = 32, int hp = 10, int type = 11) {
        for (int i = 0; i < kTekiMax; i++)
            if (Teki[i].active == 0) {
                SetTeki(x, y, type, 0, 0, w, h, hp, 100, 7);
                return i;
            }
        return -1;
    }
    // A shot centred at (x, y) that stays where it is; returns its index.
    static int ShotAt(int x, int y, int w = 16, int h = 16, int kind = 0, int damage = 1) {
        for (int i = 0; i < kShotCount; i++)
            if (Shot[i].active == 0) {
                SetShot(kind, x, y, x + 320, y, 0, w, h, 0, 0, 1, 1, damage, 0);
                return i;
            }
        return -1;
    }
    static int Bullet(int x, int y, int w = 8, int h = 8) {
        SetTama(1, x, y, x - 320, y, 0, w, h, 0, 0, 0, 1, 1);
        for (int i = 0; i < kTamaMax; i++)
            if (Tama[i].active == 1 && Tama[i].x == x && Tama[i].y == y) return i;
        return -1;
    }
    static int ActiveItems() {
        return static_cast<int>(std::count_if(std::begin(Item), std::end(Item), [](const ItemRecord& i) { return i.active == 1; }));
    }
    static int ActiveExplosions() {
        return static_cast<int>(std::count_if(std::begin(Explosion), std::end(Explosion),
                                              [](const ExplosionRecord& e) { return e.frame != -1; }));
    }
    static void FillSurface(Surface* s, uint16_t v) { s->pixels.assign(s->pixels.size(), v); }

private:
    CombatSoundCalls savedSound_{};
    Surface* savedWork_ = nullptr;
    Surface* savedSlot_[7] = {};
    int savedFormat_ = 1;
};

}  // namespace combat_test
