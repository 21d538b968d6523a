#pragma once
#include <cstdint>

// The first joystick, read once per loop pass when the Joystick setting is on.
struct JoystickState {
    bool present = false;     // answered at start-up with usable X and Y ranges
    bool lastPollOk = false;  // the last poll produced a reading
    float x = 0.0f, y = 0.0f; // the stick, each -1..+1
    uint32_t buttons = 0;     // bit n = button n + 1
};

extern JoystickState joystickState;

// True when a first reading succeeded.
bool initJoystick(JoystickState& joystick);
// True when a reading arrived.
bool pollJoystick(JoystickState& joystick);
