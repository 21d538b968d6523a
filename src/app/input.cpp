#include "app/input.h"

#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/joystick.h"
#include "app/settings.h"

InputState inputState;

namespace {

// Joystick button n acts as this key.
const uint32_t kJoystickButtonKeys[8] = {kKeyLeft,  kKeyDown,    kKeyRight,  kKeyUp,
                                         kKeySpace, kKeyControl, kKeyInsert, kKeyDelete};

void setKey(uint32_t code, uint8_t state) {
    if (code < kKeyCount) inputState.keys[code] = state;
}

void quitGame() {
    destroyGameContext();
    running = false;
}

}  // namespace

void handleInputMessage(const InputMessage& message) {
    switch (message.code) {
    case kMessageKeyDown:
        setKey(message.wParam, 1);
        noticeKeyDown(message.wParam);
        if (message.wParam == kKeyQ || message.wParam == kKeyEscape) quitGame();
        break;
    case kMessageKeyUp:
        setKey(message.wParam, 0);
        break;
    case kMessageMouseMove:
        // Window coordinates, scaled by the size the game believes it has.
        inputState.pointerX = float(message.x) * 2.0f / float(gameSettings.width) - 1.0f;
        inputState.pointerY = float(message.y) * 2.0f / float(gameSettings.height) - 1.0f;
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
