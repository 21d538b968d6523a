#pragma once
#include "platform/joystick_device.h"

#include <cstdint>

// The first joystick, read once per loop pass when the Joystick setting is on.
struct JoystickState {
    JoystickCaps caps;        // the stick's ranges, as the device told them at start-up
    bool present = false;     // answered at start-up with usable X and Y ranges
    bool lastPollOk = false;  // the last poll produced a reading
    float x = 0.0f, y = 0.0f; // the stick, each -1..+1
    uint32_t buttons = 0;     // bit n = button n + 1
};

extern JoystickState joystickState;

// True when a first reading succeeded. A device without an X or a Y range
// counts as none; there is no later retry.
bool initJoystick(JoystickState& joystick);
// True when a reading arrived. A gamepad reads as a joystick whose buttons
// 0-3 are the d-pad (left, down, right, up), 4 is A or the right trigger and
// 5 is B.
bool pollJoystick(JoystickState& joystick);
// Closes the device; the state is off again.
void releaseJoystick(JoystickState& joystick);
