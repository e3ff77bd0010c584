// The pause screen and the volume bar, both drawn over the game's own
// picture with the captions of "shell.bmp".
#include <algorithm>

#include "platform/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "video/video.h"

namespace {

constexpr uint32_t kVolumeBarMs = 1200;  // how long the bar stays after a change

Surface* captions = nullptr;  // loaded on first use, kept for the program's life

Surface* Captions() {
    if (!captions) {
        captions = LoadBitmapSurface("shell.bmp");
        SetKeyColor(captions, 0x07E0);
    }
    return captions;
}

bool VolumeBar(Surface* frame) {
    int which = 0;
    uint32_t ago = 0;
    if (!plat::LastVolumeChange(which, ago) || ago >= kVolumeBarMs) return false;
    if (!frame) return true;
    int levels[2];
    plat::GetVolumes(levels[0], levels[1]);
    const int level = levels[which];
    // A dark plate over the lower middle of the frame, clear of the HUD rows.
    PutBox(frame, 92, 184, 228, 204, 24, 16, 16);
    PutSprite(94, 188, Captions(), which == 0 ? RECT{0, 26, 64, 38} : RECT{64, 26, 128, 38}, 17);
    for (int i = 0; i < 10; i++) {
        bool lit = level >= 10 * (i + 1);
        int x = 160 + 6 * i;
        PutBox(frame, x, 189, x + 5, 199, lit ? 120 : 60, lit ? 230 : 60, lit ? 255 : 60);
    }
    return true;
}

}  // namespace

void InstallVolumeBar() { FlipOverlay = VolumeBar; }

bool PauseUntilResumed() {
    if (!WorkSurface) return true;
    const uint32_t sinceFrame = std::min<uint32_t>(plat::GetTicks() - static_cast<uint32_t>(frameTick), 16);
    const std::vector<uint16_t> last = WorkSurface->pixels;
    plat::PauseAudio(true);
    DarkenScreen(14);
    PutSprite(96, 104, Captions(), RECT{0, 0, 128, 26}, 17);
    bool resume = true;
    for (bool paused = true; paused;) {
        FlipScreen(false);
        plat::Message msg;
        if (plat::PeekMessage(msg, true)) {
            if (msg.type == plat::MsgType::Pause && msg.code == 0) {
                paused = false;
            } else if (msg.type == plat::MsgType::KeyEscape || msg.type == plat::MsgType::Quit) {
                // The message loop ends the program, as it does in play.
                plat::PostMessage(msg);
                paused = resume = false;
            } else if (msg.type == plat::MsgType::MusicEnd) {
                OnMusicEnd(msg.code);
            }
        }
        if (paused) plat::Sleep(15);
    }
    WorkSurface->pixels = last;
    plat::PauseAudio(false);
    // The gate goes on from where the pause found it: no frames to catch up.
    frameTick = static_cast<int>(plat::GetTicks() - sinceFrame);
    return resume;
}
