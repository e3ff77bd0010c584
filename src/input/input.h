// Input: keyboard and the first joystick polled into one six-bit word.
#pragma once

enum InputBits { IN_UP = 1, IN_DOWN = 2, IN_RIGHT = 4, IN_LEFT = 8, IN_B1 = 16, IN_B2 = 32 };

int GetInput();
void ResetInputState();             // forget the joystick detection (tests)

// Replays hook in here. A source replaces the devices' word (the window's
// events are still pumped first, so Escape and the close button work); an
// observer sees every word returned.
struct InputTap {
    int (*source)() = nullptr;
    void (*observe)(int word) = nullptr;
};
extern InputTap inputTap;
// True while a read is pumping the window's events.
bool InsideInputRead();
