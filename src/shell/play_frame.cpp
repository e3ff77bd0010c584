// The play frame: its gate at the game's pace, then one step of scenery, enemies, bullets, player and meter.
#include "enemy/enemy.h"
#include "platform/platform.h"
#include "player/player.h"
#include "screens/screens.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "shot/shot.h"
#include "sound/sound.h"
#include "stage/stage.h"
#include "video/video.h"

int frameTick, frameTriple, frameExtra;
long playFramesRun;

namespace {
// Returns true when the next frame is due, and starts it.
bool FrameGate() {
    int32_t elapsed = static_cast<int32_t>(plat::GetTicks() - static_cast<uint32_t>(frameTick));
    if (elapsed < 15 + frameExtra) return false;
    frameTriple += 1;
    if (frameTriple == 3) {
        frameTriple = 0;
        frameExtra = 1;
    } else {
        frameExtra = 0;
    }
    frameTick = static_cast<int>(plat::GetTicks());
    replay::OnGateStep();
    return true;
}
// Everything a play frame does after the gate and the game-over hand-off.
// shown: the technique's opening flash plays and the frame is presented.
void PlaySteps(bool shown) {
    if (wazaReq == 1) {
        GameState.mater -= (wazaCharge == 60) ? 100 : 50;
        wazaReq = shown ? h_Play() : 0;
        wazaOn2 = 1;
        wazaOn = 1;
    }

    PutMenBack(stageNo);
    StepMenEvent(menFrame);
    menFrame += 1;
    MoveTeki();
    PutTeki();
    MoveTama();
    MovePlayerShots();
    PutTama();
    PutPlayerShots();
    Atari();
    AtariPlayer();
    MovePlayer(GameState.chno, GameState.option, GameState.shotLv);
    PutExplosion();
    PutSpark();
    MoveItem();
    PutItemLabel();
    if (GameState.chno == 8) PutBurst();
    PutMenFront(stageNo);
    h_Waza();
    PutStatus();
    if (wholeGameRun == 1) PutBossBar();
    if (BossBlast(bossDown) == 1) {
        if (PutStageClear(1) == 1) clearFlag = 1;
    }

    if (!shown) return;
    // The frame that ends a stage clear draws no fade: the whole game keeps
    // the last darkened frame on screen instead of showing it.
    if (clearFlag == 1 && wholeGameRun == 1) return;
    // Play speed is the gate's alone: this flip never waits.
    if (FlipScreen(false) == kSurfacesLost) RestoreStageSurfaces();
}
}  // namespace

void GameFrame() {
    if (!FrameGate()) return;
    playFramesRun += 1;

    if (gameOverFlag == 1) {
        if (h_Continue() == 0) {
            h_GameOver();
            restartFlag = 1;
        } else {
            continueFlag = 1;
        }
        return;
    }

    PlaySteps(true);
}

void LookAheadFrame() {
    if (gameOverFlag == 1) return;
    // The run's count of scenes shown lies outside the play state that the
    // looker restores, so a scene started ahead must not count: the scene
    // the run then really shows would become skippable, and play would no
    // longer read its input as a replay of the run does.
    const int scenesSeen = storyScenesSeen;
    drawingOff = true;
    soundHeld = true;
    PlaySteps(false);
    drawingOff = false;
    soundHeld = false;
    storyScenesSeen = scenesSeen;
}
