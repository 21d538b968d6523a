#include "platform/joystick_device.h"

#include <SDL.h>

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

struct JoystickDevice {
    bool started = false;
    SDL_Joystick* joystick = nullptr;
    SDL_GameController* pad = nullptr;  // set when the joystick is a known gamepad
};

JoystickDevice device;

void closeDevice() {
    if (device.pad)
        SDL_GameControllerClose(device.pad);
    else if (device.joystick)
        SDL_JoystickClose(device.joystick);
    device.pad = nullptr;
    device.joystick = nullptr;
}

bool openFirstDevice() {
    if (SDL_NumJoysticks() < 1) return false;
    if (SDL_IsGameController(0)) {
        device.pad = SDL_GameControllerOpen(0);
        if (device.pad) device.joystick = SDL_GameControllerGetJoystick(device.pad);
    } else {
        device.joystick = SDL_JoystickOpen(0);
    }
    return device.joystick != nullptr;
}

void fullRange(int32_t& min, int32_t& max) {
    min = SDL_JOYSTICK_AXIS_MIN;
    max = SDL_JOYSTICK_AXIS_MAX;
}

JoystickCaps capsOfDevice() {
    JoystickCaps caps;
    bool hasX, hasY;
    if (device.pad) {
        hasX = SDL_GameControllerHasAxis(device.pad, SDL_CONTROLLER_AXIS_LEFTX);
        hasY = SDL_GameControllerHasAxis(device.pad, SDL_CONTROLLER_AXIS_LEFTY);
    } else {
        int axes = SDL_JoystickNumAxes(device.joystick);
        hasX = axes >= 1;
        hasY = axes >= 2;
    }
    if (hasX) fullRange(caps.xMin, caps.xMax);
    if (hasY) fullRange(caps.yMin, caps.yMax);
    return caps;
}

uint32_t padButtons(SDL_GameController* pad) {
    struct {
        SDL_GameControllerButton button;
        PadButton bit;
    } const kButtons[] = {
        {SDL_CONTROLLER_BUTTON_A, kPadA},
        {SDL_CONTROLLER_BUTTON_B, kPadB},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kPadDpadLeft},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kPadDpadDown},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kPadDpadRight},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, kPadDpadUp},
    };
    uint32_t buttons = 0;
    for (const auto& entry : kButtons)
        if (SDL_GameControllerGetButton(pad, entry.button)) buttons |= entry.bit;
    return buttons;
}

void readDevice(JoystickReading& reading) {
    reading = JoystickReading{};
    if (device.pad) {
        reading.gamepad = true;
        reading.x = SDL_GameControllerGetAxis(device.pad, SDL_CONTROLLER_AXIS_LEFTX);
        reading.y = SDL_GameControllerGetAxis(device.pad, SDL_CONTROLLER_AXIS_LEFTY);
        reading.rightTrigger = SDL_GameControllerGetAxis(device.pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
        reading.buttons = padButtons(device.pad);
        return;
    }
    int axes = SDL_JoystickNumAxes(device.joystick);
    if (axes >= 1) reading.x = SDL_JoystickGetAxis(device.joystick, 0);
    if (axes >= 2) reading.y = SDL_JoystickGetAxis(device.joystick, 1);
    int buttons = SDL_JoystickNumButtons(device.joystick);
    for (int button = 0; button < buttons && button < 32; ++button)
        if (SDL_JoystickGetButton(device.joystick, button)) reading.buttons |= 1u << button;
}

}  // namespace

bool openJoystickDevice(JoystickCaps& caps) {
    if (!device.started) {
        if (SDL_InitSubSystem(kSubsystems) != 0) return false;
        device.started = true;
        // Read by polling only: queued joystick events would wake the game's
        // loop for nothing, and would make SDL poll while it waits.
        SDL_JoystickEventState(SDL_IGNORE);
        SDL_GameControllerEventState(SDL_IGNORE);
    }
    closeDevice();
    if (!openFirstDevice()) return false;
    caps = capsOfDevice();
    return true;
}

bool readJoystickDevice(JoystickReading& reading) {
    if (!device.started) return false;
    // Without events SDL reads the devices, and notices them come and go, only here.
    SDL_JoystickUpdate();
    if (device.joystick && !SDL_JoystickGetAttached(device.joystick)) closeDevice();
    if (!device.joystick && !openFirstDevice()) return false;
    readDevice(reading);
    return true;
}

void closeJoystickDevice() {
    closeDevice();
    if (device.started) SDL_QuitSubSystem(kSubsystems);
    device.started = false;
}
