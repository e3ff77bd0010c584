// The outer loop: title, selection, stage set-up and the message loop that
// runs the play frames, from the top of a pass until the quit message.
#include <iostream>

#include "platform/platform.h"
#include "player/player.h"
#include "screens/screens.h"
#include "shell/options.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "stage/stage_table.h"
#include "video/video.h"

OuterLoopCalls outerLoopCalls = {h_Title,        h_Charsel,      GameFrame, h_StageEnd,
                                 LoadStageSlots, h_StageCaption, h_Epilogue};

namespace {

// Pausing is for play, not for the screens; where Escape leads back to the
// title, one pressed on a screen is dropped too.
void DropMenuMessages() {
    plat::DropMessages(plat::MsgType::Pause);
    if (plat::QuitReturnsToTitle()) plat::DropMessages(plat::MsgType::KeyEscape);
}

// A hit enemy drawn as a faint tint or a white flash, as the launch says
// (the title's options screen may have changed it); the whole game's options
// translucent.
void SetHitDrawing() {
    hitTint = launch.reduceFlashing >= 0 ? launch.reduceFlashing == 1 : launch.campaign;
    faintOptions = launch.campaign;
}

}  // namespace

void SetRunStages(int stage, bool campaign, bool wholeCast) {
    launch.stage = stage;
    launch.campaign = campaign;
    launch.wholeCast = wholeCast;
}

void (*runOverHook)(int endReason) = nullptr;

void WaitTowardsGate() {
    // Give the processor back until a millisecond before the next gate; the
    // last millisecond is polled in short naps, so the gate still opens on
    // its exact tick.
    int32_t wait = static_cast<int32_t>(static_cast<uint32_t>(frameTick) + 15u + static_cast<uint32_t>(frameExtra) -
                                        plat::GetTicks());
    if (wait > 1)
        plat::Sleep(static_cast<uint32_t>(wait - 1));
    else
        plat::Nap();
}

int OuterLoop(bool runSetUp) {
    // NextStage: a campaign goes on to the following stage with the run as it stands.
    enum class Entry { A, B, C, NextStage } entry = runSetUp ? Entry::C : Entry::A;
    int t = 0;
    bool newRun = false;
    for (;;) {
        SetHitDrawing();
        if (entry == Entry::A) {
            GameState = GameStateRecord{};
            stageNo = launch.stage > 0 ? launch.stage : 1;
            t = outerLoopCalls.title();
            SetHitDrawing();
            DropMenuMessages();
            if (t != 0 && plat::QuitReturnsToTitle()) continue;  // nothing to quit to: the title again
            if (t != 0) quitFlag = 1;  // straight on to the stage set-up, then out
            newRun = t == 0;
        }
        if (entry == Entry::B || (entry == Entry::A && t == 0)) {
            PlayMidi("select.mid");
            GameState.lives = 5;
            GameState.barrier = 0;
            GameState.option = 0;
            GameState.shotLv = 0;
            GameState.score = 0;
            CharselWholeCast = (launch.campaign || launch.wholeCast) ? 1 : 0;
            wholeGameRun = CharselWholeCast;
            if (newRun) storyScenesSeen = 0;
            int s = outerLoopCalls.charsel();
            DropMenuMessages();
            GameState.chno = (s >= 1) ? s + 1 : s;
            if (launch.character >= 0) GameState.chno = launch.character;
            if (launch.shotLv >= 0) GameState.shotLv = launch.shotLv;
            if (launch.option >= 0) GameState.option = launch.option;
            if (newRun)
                replay::RunBegins(launch.character, launch.shotLv, launch.option,
                                  launch.campaign    ? replay::kModeCampaign
                                  : launch.wholeCast ? replay::kModePractice
                                                     : replay::kModePlain);
            newRun = false;
        }
        // C: stage set-up.
        ResetPools();
        ResetStageFlags();
        if (t == 0) {
            StopMidi();
            PlayMidi(StageRow(stageNo).music);
        }
        outerLoopCalls.loadStage();
        if (entry == Entry::NextStage && outerLoopCalls.stageCaption) outerLoopCalls.stageCaption(stageNo);

        // Message loop: messages first; play only while the queue is empty.
        for (entry = Entry::C; entry == Entry::C;) {
            plat::Message msg;
            replay::OnMessageLoop();
            if (plat::PeekMessage(msg, true)) {
                switch (msg.type) {
                    case plat::MsgType::Quit:
                        replay::RunEnds(replay::kEndQuit);
                        return msg.code;
                    case plat::MsgType::KeyEscape:
                        if (plat::QuitReturnsToTitle()) {
                            replay::RunEnds(replay::kEndQuit);
                            StopMidi();
                            entry = Entry::A;
                            break;
                        }
                        // Escape destroys the window, whose end posts the quit message.
                        plat::PostMessage({plat::MsgType::Quit, 0});
                        break;
                    case plat::MsgType::MusicEnd:
                        OnMusicEnd(msg.code);
                        break;
                    case plat::MsgType::Pause:
                        PauseUntilResumed();
                        break;
                }
                continue;
            }
            if (restartFlag == 1) {
                replay::RunEnds(replay::kEndGameOver);
                if (playingBack) return 0;
                if (runOverHook) runOverHook(replay::kEndGameOver);
                entry = Entry::A;
            } else if (continueFlag == 1) {
                entry = Entry::B;
            } else if (quitFlag == 1) {
                plat::PostMessage({plat::MsgType::Quit, 0});
            } else {
                outerLoopCalls.gameFrame();
                if (clearFlag == 1) {
                    ClearAllScreens();
                    StopMidi();
                    if (launch.campaign && stageNo < kLastStage) {
                        if (const char* missing = MissingStageFile(stageNo + 1)) {
                            std::cerr << "pelloquinade: the campaign ends after stage " << stageNo << ": stage "
                                      << stageNo + 1 << " has no data (" << missing << " is missing)\n";
                        } else {
                            stageNo += 1;
                            entry = Entry::NextStage;
                            break;
                        }
                    }
                    // The whole game's ending comes after the run has ended, so a
                    // recorded run stops at the clear and its replay never plays it.
                    const bool ending = launch.campaign && stageNo == kLastStage && outerLoopCalls.epilogue;
                    if (!ending) outerLoopCalls.stageEnd();
                    replay::RunEnds(replay::kEndClear);
                    if (playingBack) return 0;
                    if (ending) outerLoopCalls.epilogue();
                    if (runOverHook) runOverHook(replay::kEndClear);
                    entry = Entry::A;
                } else if (launch.frames > 0 && playFramesRun >= launch.frames) {
                    plat::PostMessage({plat::MsgType::Quit, 0});
                } else {
                    WaitTowardsGate();
                }
            }
        }
    }
}
