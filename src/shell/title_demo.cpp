// The title's demo: the planning pilot flies a stage picked at random (of
// those with data) with a character picked at random, for a while or until
// any key, with DEMO over the picture. The play state is put back afterwards
// and no run is begun, so nothing of it is recorded or scored.
#include <vector>

#include "pilot/pilot.h"
#include "platform/platform.h"
#include "screens/picture.h"
#include "shell/shell.h"
#include "shell/whole_game.h"
#include "sound/sound.h"
#include "stage/stage_table.h"
#include "state/play_state.h"
#include "video/text.h"
#include "video/video.h"

namespace {

constexpr uint32_t kDemoMs = 40000;
bool (*underDemo)(Surface*) = nullptr;  // the overlay in force before the demo

bool DemoCaption(Surface* frame) {
    if (frame) {
        if ((plat::GetTicks() / 600) % 2 == 0) PutTextCentered(40, "DEMO", Ink::Highlight);
        if (underDemo && underDemo(nullptr)) underDemo(frame);
    }
    return true;
}

// The play has come to an end of its own: a clear, a game over or a quit.
bool RunOver() { return clearFlag == 1 || gameOverFlag == 1 || restartFlag == 1 || continueFlag == 1 || quitFlag == 1; }

}  // namespace

void TitleDemo() {
    playstate::Snapshot before;
    playstate::Save(before);
    GameSrand(plat::GetTicks() * 2654435761u);
    std::vector<int> stages;
    for (int s = 1; s <= kLastStage; s++)
        if (!MissingStageFile(s)) stages.push_back(s);
    if (stages.empty()) return;
    const int pick = GameRand() % 9;  // the selection's nine characters
    GameState = GameStateRecord{};
    GameState.lives = 5;
    GameState.chno = pick >= 1 ? pick + 1 : pick;
    stageNo = stages[static_cast<size_t>(GameRand()) % stages.size()];

    pilot::Install({pilot::Kind::Planner, static_cast<uint32_t>(GameRand()), false, false, false});
    ResetPools();
    ResetStageFlags();
    StopMidi();
    PlayMidi(StageRow(stageNo).music);
    outerLoopCalls.loadStage();
    underDemo = FlipOverlay;
    FlipOverlay = DemoCaption;

    int prev = 0;
    screens::BeginMenuInput(prev);
    const uint32_t start = plat::GetTicks();
    for (bool on = true; on && !RunOver() && plat::GetTicks() - start < kDemoMs;) {
        plat::Message msg;
        if (plat::PeekMessage(msg, true)) {
            if (msg.type == plat::MsgType::Quit) {
                plat::PostMessage(msg);  // for the title's own loop
                on = false;
            } else if (msg.type == plat::MsgType::KeyEscape) {
                on = false;
            } else if (msg.type == plat::MsgType::MusicEnd) {
                OnMusicEnd(msg.code);
            }
            continue;
        }
        const long ran = playFramesRun;
        outerLoopCalls.gameFrame();
        if (playFramesRun != ran)
            on = !screens::ReadMenuInput(prev).Any();
        else
            WaitTowardsGate();
    }

    FlipOverlay = underDemo;
    pilot::Remove();
    StopMidi();
    plat::DropMessages(plat::MsgType::MusicEnd);
    plat::DropMessages(plat::MsgType::Pause);
    ClearAllScreens();
    playstate::Restore(before);
}
