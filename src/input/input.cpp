// The input word: keyboard and first joystick read into six bits, taps between two reads kept for one read.
#include "input/input.h"

#include "platform/platform.h"

namespace {
struct JoyState {
    int joyChecked = 0;
    int joyOn = 0;
    int joyCenterX = 0;
    int joyCenterY = 0;
} joy;
bool insideRead = false;

int DeviceWord();
}  // namespace

InputTap inputTap;
bool InsideInputRead() { return insideRead; }

void ResetInputState() { joy = JoyState{}; }

int GetInput() {
    int word = 0;
    if (inputTap.source) {
        insideRead = true;
        plat::BeginInputQuery();
        insideRead = false;
        word = inputTap.source();
    } else {
        word = DeviceWord();
    }
    if (inputTap.observe) inputTap.observe(word);
    return word;
}

namespace {
int DeviceWord() {
    if (joy.joyChecked == 0) {
        joy.joyChecked = 1;
        plat::JoyCaps caps{};
        int x, y;
        unsigned buttons;
        if (plat::JoyCount() == 0 || !plat::JoyPosition(x, y, buttons) || !plat::JoyCapsOf(caps)) {
            joy.joyOn = 0;
        } else {
            // Unsigned halving of the range, as the device reports it.
            joy.joyCenterX = static_cast<int>(static_cast<unsigned>(caps.xmax - caps.xmin) / 2);
            joy.joyCenterY = static_cast<int>(static_cast<unsigned>(caps.ymax - caps.ymin) / 2);
            joy.joyOn = 1;
        }
    }

    insideRead = true;
    plat::BeginInputQuery();
    insideRead = false;
    static const plat::Key keys[6] = {plat::Key::Up, plat::Key::Down, plat::Key::Right,
                                      plat::Key::Left, plat::Key::Z, plat::Key::X};
    int word = 0;
    for (int i = 0; i < 6; i++)
        if (plat::QueryKey(keys[i]) != 0) word |= 1 << i;

    if (joy.joyOn == 1) {
        int x, y;
        unsigned buttons;
        if (!plat::JoyPosition(x, y, buttons)) return word;
        if (x >= joy.joyCenterX + 30) word |= IN_RIGHT;
        if (x <= joy.joyCenterX - 30) word |= IN_LEFT;
        if (y >= joy.joyCenterY + 30) word |= IN_DOWN;
        if (y <= joy.joyCenterY - 30) word |= IN_UP;
        if (buttons & 1) word |= IN_B1;
        if (buttons & 2) word |= IN_B2;
    }
    return word;
}
}  // namespace
