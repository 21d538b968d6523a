#include "app/input.h"

#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/joystick.h"
#include "app/screenshot.h"
#include "app/settings.h"

InputState inputState;

namespace {

// Joystick button n acts as this key.
const uint32_t kJoystickButtonKeys[8] = {kKeyLeft,  kKeyDown,    kKeyRight,  kKeyUp,
                                         kKeySpace, kKeyControl, kKeyInsert, kKeyDelete};

void setKey(uint32_t code, uint8_t state) {
    if (code < kKeyCount) inputState.keys[code] = state;
}

// Keys for the player's comforts, never seen by the world.
constexpr uint32_t kKeyReturn = 13;
constexpr uint32_t kKeyF11 = 122;
constexpr uint32_t kKeyF12 = 123;

// F11 or Alt+Return: window or full screen; F12: a screenshot. Once per
// press, not again while the key repeats.
void comfortKey(const InputMessage& message, bool repeated) {
    if (repeated) return;
    if (message.wParam == kKeyF11 || (message.wParam == kKeyReturn && message.alt))
        toggleGameFullScreen(frameClock.paused);
    if (message.wParam == kKeyF12) askForScreenshot();
}

// The player's mouse speed and inversion, applied before the pointer enters
// the input state (so a demo records what the world saw). At their defaults
// the pointer is left exactly as measured.
float mouseAxis(float value, bool invert) {
    if (gameSettings.mouseSpeed != 100) value *= float(gameSettings.mouseSpeed) * 0.01f;
    return invert ? -value : value;
}

void quitGame() {
    destroyGameContext();
    running = false;
}

}  // namespace

void handleInputMessage(const InputMessage& message) {
    switch (message.code) {
    case kMessageKeyDown:
        comfortKey(message, message.wParam < kKeyCount && inputState.keys[message.wParam]);
        // P is the frame clock's alone: its press waits there for the next
        // frame, and the world's input never holds it.
        if (message.wParam != kKeyP) setKey(message.wParam, 1);
        noticeKeyDown(message.wParam);
        if (message.wParam == kKeyQ || message.wParam == kKeyEscape) quitGame();
        break;
    case kMessageKeyUp:
        setKey(message.wParam, 0);
        break;
    case kMessageMouseMove:
        // Window coordinates, scaled by the size the game believes it has.
        inputState.pointerX =
            mouseAxis(float(message.x) * 2.0f / float(gameSettings.width) - 1.0f, false);
        inputState.pointerY = mouseAxis(
            float(message.y) * 2.0f / float(gameSettings.height) - 1.0f, gameSettings.invertMouse != 0);
        break;
    case kMessageLeftButtonDown:
    case kMessageLeftButtonUp:
        setKey(kKeySpace, message.code == kMessageLeftButtonDown);
        break;
    case kMessageRightButtonDown:
    case kMessageRightButtonUp:
        setKey(kKeyControl, message.code == kMessageRightButtonDown);
        break;
    case kMessageClose:
        quitGame();
        break;
    case kMessagePageHidden:
        // As if P were pressed, unless the game is paused already.
        if (!frameClock.paused) noticeKeyDown(kKeyP);
        break;
    default:
        break;
    }
}

void applyJoystickButtons(uint32_t buttons) {
    for (int bit = 0; bit < 8; ++bit) setKey(kJoystickButtonKeys[bit], (buttons >> bit) & 1u);
}

bool pumpMessages() {
    if (pollJoystick(joystickState)) {
        inputState.pointerX = joystickState.x;
        inputState.pointerY = joystickState.y;
        applyJoystickButtons(joystickState.buttons);
    }
    InputMessage message;
    if (takeMessage(message)) handleInputMessage(message);
    return running;
}
