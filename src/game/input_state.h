#pragma once
#include <cstdint>

// Windows virtual-key codes: the game reads its keys by these numbers,
// whatever the window system calls them.
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
