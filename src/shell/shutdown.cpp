// Shut-down: stops the music, frees the slots, releases sound and display,
// shows the cursor again and, on request, ends the program.
#include <cstdlib>

#include "platform/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"
#include "video/video.h"

void ShutdownGame() {
    StopMidi();
    for (int i = 0; i < 7; i++) FreeSlot(i);
    ReleaseSound();
    ReleaseDisplay();
    plat::ShowCursor(true);
    plat::Shutdown();
}

void ShutdownAndExit(int code) {
    ShutdownGame();
    std::exit(code);
}
