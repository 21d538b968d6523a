#include "app/joystick.h"

JoystickState joystickState;

// No joystick support yet: no device is ever present.
bool initJoystick(JoystickState&) { return false; }

bool pollJoystick(JoystickState&) { return false; }
