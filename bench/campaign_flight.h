// The campaign flown by the simple pilot of campaign_pilot.h (it cannot be hurt),
// headless, from the generated data, with the effects and voices going into
// the device-less mixer just as they would go to a device. The caller runs
// each pass of the play step and hears of each play frame from a stage's
// first through its clear.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "campaign_pilot.h"
#include "platform/audio.h"
#include "player/player.h"
#include "screens/screens.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"

namespace flight {

struct Hooks {
    void (*pass)() = GameFrame;  // runs one pass of the play step (GameFrame, timed or watched)
    // A play frame ran: its stage, its number in the stage from 0, and
    // whether it is the clear (the stage's last).
    void (*frame)(int stage, long n, bool clear) = nullptr;
};

namespace detail {
inline Hooks hooks;
inline long stageFrame = 0;
inline bool counting = false;
inline int titles = 0;

inline void Pass() {
    if (invincible == 0) invincible = 1;  // nothing can hit the craft this frame
    const long before = playFramesRun;
    hooks.pass();
    if (playFramesRun == before || !counting) return;
    const long n = stageFrame++;
    const bool clear = clearFlag == 1;
    if (clear) counting = false;
    if (hooks.frame) hooks.frame(stageNo, n, clear);
    // Should the pilot not finish a fight on its own, it is ended for it.
    if (n > 9000 && n % 200 == 0 && campaignpilot::LiveBoss()) AllTekiDamege(30000);
    if (n > 30000) quitFlag = 1;
}
inline void LoadStage() {
    LoadStageSlots();
    stageFrame = 0;
    counting = true;
    if (stageNo == 1) {  // a well-armed pilot keeps the run short
        GameState.shotLv = 2;
        GameState.option = 3;
    }
}
inline int TitleOnce() { return titles++ == 0 ? h_Title() : 1; }
inline void Caption(int stage) {
    plat::SetScriptedInput(std::vector<int>(200, 0));
    h_StageCaption(stage);
    plat::SetScriptedInput(campaignpilot::ButtonThenNothing());
}
}  // namespace detail

// Flies every stage with data; false (after a message) without generated
// data in dataDir. The working folder stays dataDir, with the sound open.
inline bool Fly(const std::string& dataDir, const Hooks& h) {
    std::error_code ec;
    std::filesystem::current_path(dataDir, ec);
    if (ec || !std::filesystem::exists("men1.dat")) {
        std::fprintf(stderr, "no generated data in %s\n", dataDir.c_str());
        return false;
    }
    plat::Options o;
    o.headless = true;
    if (!plat::Startup(o) || InitDisplay() != 0) return false;
    plat::AudioSelectBackend(plat::AudioBackend::Mixer);
    soundOk = InitSound();
    SetGamma(255);
    GameSrand(1234);
    ResetInputState();
    ResetScreensState();
    detail::hooks = h;
    detail::titles = 0;
    const OuterLoopCalls saved = outerLoopCalls;
    outerLoopCalls = {detail::TitleOnce, h_Charsel, detail::Pass, h_StageEnd, detail::LoadStage, detail::Caption};
    PlayerInput = campaignpilot::Pilot;
    quitFlag = 0;
    SetRunStages(0, true);
    plat::SetScriptedInput(campaignpilot::ButtonThenNothing());
    OuterLoop();
    SetRunStages(0, false);
    outerLoopCalls = saved;
    quitFlag = 0;
    return true;
}

}  // namespace flight
