// The special techniques bought with the meter: the opening flash around
// the craft when one is released, then, frame by frame, the beam technique
// (a charge, five orbs, five piercing beams) or the meteor rain (a pause
// while the voice plays, then a hundred meteors over three layers and one
// blow to every enemy). Their pictures are cells of "sp_maho.bmp" (slot 6),
// the flash is on the HUD sheet (slot 1). Every character has both.
#include "core/core.h"
#include "enemy/enemy.h"
#include "platform/platform.h"
#include "player/player.h"
#include "video/video.h"

WazaWork Waza;

namespace {

const RECT kWholeScreen{0, 0, 320, 240};

// The six light strips of the beam technique's opening: (left, width).
const int StripLeft[6] = {0, 160, 320, 400, 480, 640};
const int StripWidth[6] = {160, 160, 80, 80, 160, 160};

const RECT kOrbCell{800, 144, 824, 168};

// Orbs 2..6: where each sits around the craft, and where its beam starts
// and aims, relative to the craft plus the orb's turn (s, c).
struct OrbPlace {
    int dx, dy;        // picture's top left
    int startX, beamY, aimX;
};
const OrbPlace Orbs[5] = {
    {-12, -12, 36, 0, 308},
    {-44, -44, 4, -32, 276},
    {-28, -28, 20, -16, 292},
    {-44, 20, 4, 32, 276},
    {-28, 4, 20, 16, 292},
};

int OrbS(int a) { return GetSin(a) >> 3; }
int OrbC(int a) { return GetSin(a + 90) >> 3; }

void PutOrbs(int level) {
    const GameStateRecord& g = GameState;
    for (int n = 0; n < 5; n++) {
        int a = Waza.ex[2 + n];
        PutSpriteAdd(g.playerX + OrbS(a) + Orbs[n].dx, g.playerY + OrbC(a) + Orbs[n].dy, Slot[6], kOrbCell, 0,
                     level);
    }
}

void EndWaza() {
    wazaOn = 0;
    wazaOn2 = 0;
    invincible = 64;  // the craft fades back in
}

void BeamWaza() {
    int* ex = Waza.ex;
    const int e = ex[0];
    const GameStateRecord& g = GameState;
    if (e == 0) {
        GameState.wazaVoice = 0;
        combatSound.voice(7);
        combatSound.wave(3, "se\\cs-3.wav", 0);
    }
    // Pillars of light rising over the craft, fading fast.
    if (e <= 8) {
        for (int k = 0; k < 6; k++) {
            RECT strip{StripLeft[k], 0, StripLeft[k] + StripWidth[k], 240};
            PutSpriteAdd(g.playerX + 40 * k - 144, g.playerY - 224, Slot[6], strip, 0, 32 - 4 * e);
        }
    }
    // The charge: three pictures, four frames each.
    if (e >= 4 && e < 16) {
        ex[2] = 270;
        ex[3] = 360;
        ex[4] = 315;
        ex[5] = 180;
        ex[6] = 225;
        int n = (e - 4) >> 2;
        PutSpriteAdd(g.playerX - 24, g.playerY - 24, Slot[6], RECT{800, 48 * n, 848, 48 * n + 48}, 0, 31);
    }
    if (e >= 4 && e < 35) {
        // One glow that brightens, drawn four times over itself.
        for (int i = 0; i < 4; i++) PutSpriteAdd(g.playerX - 44, g.playerY - 12, Slot[6], kOrbCell, 0, ex[1]);
        ex[1] += 1;
    } else if (e >= 35 && e < 65) {
        // The glow splits into five orbs that swing out to their places.
        ex[2] -= 6;
        ex[3] -= 6;
        ex[4] -= 6;
        ex[5] += 6;
        ex[6] += 6;
        PutOrbs(31);
    } else if (e >= 65 && e < 125) {
        PutOrbs(ex[1]);
    } else if (e >= 125 && e < 156) {
        ex[1] -= 1;
        PutOrbs(ex[1]);
    }
    if (e == 125) {
        GameState.wazaVoice = 1;
        combatSound.voice(7);
        combatSound.wave(3, "se\\cs-1.wav", 0);
        for (int n = 0; n < 5; n++) {
            const OrbPlace& o = Orbs[n];
            int s = OrbS(ex[2 + n]), c = OrbC(ex[2 + n]);
            int y = g.playerY + c + o.beamY;
            SetShot(3, g.playerX + s + o.startX, y, g.playerX + s + o.aimX, y, 10, 96, 24, 800, 168, 1, 1, 2,
                    SHOT_ADD_WAZA);
        }
    }
    ex[0] += 1;
    if (ex[0] == 168) EndWaza();
}

struct MeteorLook {
    RECT glow, body;
    int offset;        // body's offset from the glow's top left
    int speed;
};
const MeteorLook MeteorKinds[3] = {
    {{0, 240, 80, 320}, {248, 240, 312, 304}, 8, 16},
    {{80, 240, 144, 304}, {200, 240, 248, 288}, 5, 8},
    {{144, 240, 176, 268}, {176, 240, 200, 264}, 3, 4},
};

void MeteorWaza() {
    int* ex = Waza.ex;
    if (ex[0] == 0) {
        ex[0] = 1;
        Waza.act = 0;
        Waza.rpt = 0;
        for (MeteoRecord& m : Waza.meteo) m = MeteoRecord{};
    }
    if (ex[1] == 0) {
        ex[1] = 1;
        GameState.wazaVoice = 0;
        combatSound.voice(8);
    }
    // A pause while the voice plays.
    Waza.act += 1;
    if (Waza.act < 180) return;

    if (Waza.rpt < 100) {
        for (MeteoRecord& m : Waza.meteo) {
            if (m.active != 0) continue;
            Waza.rpt += 1;
            m.active = 1;
            m.x = GameRand() % 640 - 340;
            m.y = -80;
            m.kind = GameRand() % 3;
            m.dx = m.dy = MeteorKinds[m.kind].speed;
            break;
        }
    }
    // Far to near: the small ones first.
    for (int kind = 2; kind >= 0; kind--) {
        const MeteorLook& look = MeteorKinds[kind];
        for (MeteoRecord& m : Waza.meteo) {
            if (m.active != 1 || m.kind != kind) continue;
            m.x += m.dx;
            m.y += m.dy;
            PutSpriteAdd(m.x, m.y, Slot[6], look.glow, 0, 31);
            PutSprite(m.x + look.offset, m.y + look.offset, Slot[6], look.body, 17);
            if (m.x >= 340 || m.y >= 240) m.active = 0;
        }
    }
    if (ex[1] == 1) {
        GameState.wazaVoice = 1;
        combatSound.voice(8);
        combatSound.wave(3, "se\\cs-2.wav", 0);
        ex[1] += 1;
    }
    // One blow per enemy for the whole rain, late arrivals included.
    AllTekiDamege(50);
    for (const MeteoRecord& m : Waza.meteo)
        if (m.active == 1) return;
    AllTekiHukkatu();
    EndWaza();
}

}  // namespace

int h_Play() {
    // The scene as it stands, darkened by the release, behind a flash of
    // ten pictures around the craft; the eleventh pass shows the scene alone.
    CopySurfaceRect(Slot[5], WorkSurface, kWholeScreen, 0, 0);
    for (int i = 0; i <= 10; i++) {
        PutSprite(0, 0, Slot[5], kWholeScreen, 16);
        if (i < 10)
            PutSpriteAdd(GameState.playerX - 40, GameState.playerY - 40, Slot[1],
                         RECT{80 * i, 208, 80 * i + 80, 288}, 16, 31);
        plat::Sleep(30);
        FlipScreen();
    }
    return 0;
}

void h_Waza() {
    if (wazaOn == 0) {
        for (int& v : Waza.ex) v = 0;
        return;
    }
    // Every character has both techniques (their pictures are loaded for
    // all), so a released technique always comes to its end.
    if (wazaCharge < 60)
        BeamWaza();
    else
        MeteorWaza();
}
