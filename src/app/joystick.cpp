#include "app/joystick.h"

JoystickState joystickState;

namespace {

// Half-way down: a trigger fires like a button.
constexpr int32_t kTriggerPressed = 16384;

// (position - min) / (max - min) x 2 - 1, the differences as unsigned 32-bit
// numbers: the ends give -1 and +1, no dead zone and no clamping.
float scaleAxis(int32_t position, int32_t min, int32_t max) {
    uint32_t offset = uint32_t(position) - uint32_t(min);
    uint32_t span = uint32_t(max) - uint32_t(min);
    return float(double(offset) / double(span) * 2.0 - 1.0);
}

// The pad's buttons in the places of the joystick buttons the game maps to
// the arrow keys, space and Ctrl.
uint32_t padAsJoystickButtons(const JoystickReading& reading) {
    struct {
        uint32_t pad;
        uint32_t joystick;
    } const kPadButtons[] = {
        {kPadDpadLeft, 1u << 0}, {kPadDpadDown, 1u << 1}, {kPadDpadRight, 1u << 2},
        {kPadDpadUp, 1u << 3},   {kPadA, 1u << 4},        {kPadB, 1u << 5},
    };
    uint32_t buttons = 0;
    for (const auto& entry : kPadButtons)
        if (reading.buttons & entry.pad) buttons |= entry.joystick;
    if (reading.rightTrigger >= kTriggerPressed) buttons |= 1u << 4;
    return buttons;
}

}  // namespace

bool initJoystick(JoystickState& joystick) {
    const JoystickCaps& caps = joystick.caps;
    JoystickReading first;
    joystick.present = openJoystickDevice(joystick.caps) && caps.xMin != caps.xMax &&
                       caps.yMin != caps.yMax && readJoystickDevice(first);
    joystick.lastPollOk = joystick.present;
    if (!joystick.present) closeJoystickDevice();
    return joystick.present;
}

bool pollJoystick(JoystickState& joystick) {
    JoystickReading reading;
    joystick.lastPollOk = joystick.present && readJoystickDevice(reading);
    if (!joystick.lastPollOk) return false;
    joystick.buttons = reading.gamepad ? padAsJoystickButtons(reading) : reading.buttons;
    joystick.x = scaleAxis(reading.x, joystick.caps.xMin, joystick.caps.xMax);
    joystick.y = scaleAxis(reading.y, joystick.caps.yMin, joystick.caps.yMax);
    return true;
}

void releaseJoystick(JoystickState& joystick) {
    if (joystick.present) closeJoystickDevice();
    joystick = JoystickState{};
}
