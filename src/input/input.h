// Input: keyboard and the first joystick polled into one six-bit word.
#pragma once

enum InputBits { IN_UP = 1, IN_DOWN = 2, IN_RIGHT = 4, IN_LEFT = 8, IN_B1 = 16, IN_B2 = 32 };

int GetInput();
void ResetInputState();             // forget the joystick detection (tests)
