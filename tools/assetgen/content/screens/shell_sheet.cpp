// "shell.bmp": the captions of the pause screen and the volume bar, drawn over the frame by the shell.
#include "kit.h"

using namespace ag;

namespace {

const char* kShell = "shell.bmp";

TextStyle Caption(int scale, int ramp0, int ramp1) {
    TextStyle st;
    st.scale = scale;
    st.color = C(ramp0);
    st.shade = C(ramp1);
    st.fx = TextFx::Outline;
    st.fxColor = C(P_INK);
    return st;
}

void PaintShell(Canvas& c) {
    DrawTextCentered(c, {0, 0, 128, 26}, "PAUSED", Caption(3, P_GOLD3, P_GOLD2));
    DrawTextCentered(c, {0, 26, 64, 38}, "MUSIC", Caption(1, P_ICE3, P_SKY3));
    DrawTextCentered(c, {64, 26, 128, 38}, "EFFECTS", Caption(1, P_ICE3, P_SKY3));
}

}  // namespace

AG_REGISTER(RegisterShellSheet) {
    DeclareSheet({kShell, 128, 38, Depth::Rgb24, kKey, "pause and volume captions"});
    DeclareCell(kShell, "paused", {0, 0, 128, 26}, "the pause caption", Copy::Keyed, "shell");
    DeclareCell(kShell, "music", {0, 26, 64, 38}, "volume bar caption: music", Copy::Keyed, "shell");
    DeclareCell(kShell, "effects", {64, 26, 128, 38}, "volume bar caption: effects", Copy::Keyed, "shell");
    AddPainter(kShell, "shell", PaintShell);
}
