// The entry swoop at stage start and after every lost life, and the fall
// that follows a lost life.
#include "core/core.h"
#include "player/player.h"

int EnterPlayer() {
    if (entryVoice == 0) {
        entryVoice = 1;
        PlayVoice(1);
    }
    if (entryOn == 0) {
        entryOn = 1;
        Player.entryAngle = 0;
        invincible = 128;
    }
    if (Player.entryAngle >= 120) return 1;
    // A quarter swing and a bit: in from the left edge, down and right.
    GameState.playerX = GetSin(Player.entryAngle);
    GameState.playerY = 60 + (GetSin(Player.entryAngle) >> 1);
    Player.entryAngle += 3;
    return 0;
}

int FallPlayer() {
    if (dying == 1) {
        if (Player.fallVoice == 0) {
            Player.fallVoice = 1;
            PlayVoice(6);
        }
        GameState.playerX -= 8;
        GameState.playerY += 8;
        invincible = 100;
        if (GameState.playerX <= 0 || GameState.playerY >= 240) {
            dying = 0;
            entryOn = 0;        // a new swoop next frame
            if (GameState.lives < 0) gameOverFlag = 1;
        }
        return 1;
    }
    Player.fallVoice = 0;
    return 0;
}
