#pragma once
#include "platform/events.h"

#include <cstdint>

// Windows virtual-key codes the game reads.
constexpr uint32_t kKeyControl = 17;
constexpr uint32_t kKeyEscape = 27;
constexpr uint32_t kKeySpace = 32;
constexpr uint32_t kKeyLeft = 37;
constexpr uint32_t kKeyUp = 38;
constexpr uint32_t kKeyRight = 39;
constexpr uint32_t kKeyDown = 40;
constexpr uint32_t kKeyInsert = 45;
constexpr uint32_t kKeyDelete = 46;
constexpr uint32_t kKeyP = 80;
constexpr uint32_t kKeyQ = 81;
constexpr int kKeyCount = 256;

// Keyboard, mouse and joystick folded into one state: the mouse buttons and
// the joystick buttons write into keys, the joystick's stick into the pointer.
struct InputState {
    uint8_t keys[kKeyCount] = {};  // 1 while the key is held
    float pointerX = 0.0f;         // -1 at the window's left edge, +1 at its right
    float pointerY = 0.0f;         // -1 at the top, +1 at the bottom
};

extern InputState inputState;

// Updates the input state from one message; Q, Escape and the window's
// close request end the game.
void handleInputMessage(const InputMessage& message);

// Writes the first eight joystick buttons (bit n = button n) into their keys.
void applyJoystickButtons(uint32_t buttons);

// Polls the joystick, handles at most one message; returns whether the game
// is still running.
bool pumpMessages();
