// The pause screen, the volume bar and the file notices, all drawn over the
// game's own picture with the captions of "shell.bmp".
#include <algorithm>

#include "platform/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "video/video.h"

namespace {

constexpr uint32_t kVolumeBarMs = 1200;  // how long the bar stays after a change
constexpr uint32_t kNoticeMs = 2500;     // how long a notice stays

bool noticeShown = false;
Notice notice = Notice::ScreenshotSaved;
uint32_t noticeTick = 0;

Surface* captions = nullptr;  // loaded on first use, kept for the program's life

Surface* Captions() {
    if (!captions) {
        captions = LoadBitmapSurface("shell.bmp");
        SetKeyColor(captions, 0x07E0);
    }
    return captions;
}

// The last notice, on a dark plate over the upper middle of the frame.
bool NoticePlate(Surface* frame) {
    if (!noticeShown || plat::GetTicks() - noticeTick >= kNoticeMs) return false;
    if (!frame) return true;
    const int row = 38 + 12 * static_cast<int>(notice);
    PutBox(frame, 94, 40, 226, 56, 24, 16, 16);
    PutSprite(96, 42, Captions(), RECT{0, row, 128, row + 12}, 17);
    return true;
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

bool Overlays(Surface* frame) {
    bool bar = VolumeBar(frame);
    bool plate = NoticePlate(frame);
    return bar || plate;
}

}  // namespace

void InstallVolumeBar() { FlipOverlay = Overlays; }

void ShowNotice(Notice n) {
    notice = n;
    noticeShown = true;
    noticeTick = plat::GetTicks();
}


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
    // Keys tapped while paused belong to the pause, not to the next frame.
    plat::ForgetKeyPresses();
    // The gate goes on from where the pause found it: no frames to catch up.
    frameTick = static_cast<int>(plat::GetTicks() - sinceFrame);
    return resume;
}
