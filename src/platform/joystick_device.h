#pragma once
#include <cstdint>

// The system's first joystick (device 0), read by polling: it sends no events,
// so it never wakes a sleeping loop. A gamepad the system knows is read by its
// named controls instead of its raw axes and buttons.

// The stick's ranges; an axis the device lacks has an empty range (min == max).
struct JoystickCaps {
    int32_t xMin = 0, xMax = 0;
    int32_t yMin = 0, yMax = 0;
};

// A gamepad's buttons, as bits of JoystickReading::buttons.
enum PadButton : uint32_t {
    kPadA = 1u << 0,
    kPadB = 1u << 1,
    kPadDpadLeft = 1u << 2,
    kPadDpadDown = 1u << 3,
    kPadDpadRight = 1u << 4,
    kPadDpadUp = 1u << 5,
};

struct JoystickReading {
    bool gamepad = false;  // then the stick is the left one and the buttons are PadButton bits
    int32_t x = 0, y = 0;
    uint32_t buttons = 0;      // bit n = button n of a plain joystick
    int32_t rightTrigger = 0;  // a gamepad's, 0 (released) to 32767
};

// Opens device 0 and tells its ranges; false when there is none.
bool openJoystickDevice(JoystickCaps& caps);
// False while the device is unplugged. One plugged in again (the first device
// there is) is opened and read again without being asked.
bool readJoystickDevice(JoystickReading& reading);
void closeJoystickDevice();
