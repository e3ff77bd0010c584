// "shell.bmp": the captions of the pause screen, the volume bar and the
// notices about the player's files, drawn over the frame by the shell.
#include <iterator>

#include "kit.h"

using namespace ag;

namespace {

const char* kShell = "shell.bmp";
// The notices, one 12-pixel row each under the volume captions, in the
// order the shell numbers them.
constexpr const char* kNotices[] = {"SCREENSHOT SAVED", "SCREENSHOT NOT SAVED", "SETTINGS NOT SAVED",
                                    "REPLAY NOT SAVED"};
constexpr int kNoticeTop = 38, kNoticeH = 12;
constexpr int kNoticeCount = int(std::size(kNotices));

void PaintShell(Canvas& c) {
    DrawTextCentered(c, {0, 0, 128, 26}, "PAUSED", OutlinedText(3, P_GOLD3, P_GOLD2));
    DrawTextCentered(c, {0, 26, 64, 38}, "MUSIC", OutlinedText(1, P_ICE3, P_SKY3));
    DrawTextCentered(c, {64, 26, 128, 38}, "EFFECTS", OutlinedText(1, P_ICE3, P_SKY3));
    for (int i = 0; i < kNoticeCount; ++i) {
        const bool bad = i != 0;
        DrawTextCentered(c, {0, kNoticeTop + kNoticeH * i, 128, kNoticeTop + kNoticeH * (i + 1)}, kNotices[i],
                         bad ? OutlinedText(1, P_ROSE3, P_FIRE3) : OutlinedText(1, P_ICE3, P_SKY3));
    }
}

}  // namespace

AG_REGISTER(RegisterShellSheet) {
    DeclareSheet({kShell, 128, kNoticeTop + kNoticeH * kNoticeCount, Depth::Rgb24, kKey,
                  "pause, volume and file notice captions"});
    DeclareCell(kShell, "paused", {0, 0, 128, 26}, "the pause caption", Copy::Keyed, "shell");
    DeclareCell(kShell, "music", {0, 26, 64, 38}, "volume bar caption: music", Copy::Keyed, "shell");
    DeclareCell(kShell, "effects", {64, 26, 128, 38}, "volume bar caption: effects", Copy::Keyed, "shell");
    for (int i = 0; i < kNoticeCount; ++i)
        DeclareCell(kShell, CellName("notice", i), {0, kNoticeTop + kNoticeH * i, 128, kNoticeTop + kNoticeH * (i + 1)},
                    Format("file notice %d: \"%s\"", i, kNotices[i]), Copy::Keyed, "shell");
    AddPainter(kShell, "shell", PaintShell);
}
