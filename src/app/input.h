#pragma once
#include "game/input_state.h"
#include "platform/events.h"

#include <cstdint>

extern InputState inputState;

// Updates the input state from one message; Q, Escape and the window's
// close request end the game.
void handleInputMessage(const InputMessage& message);

// Writes the first eight joystick buttons (bit n = button n) into their keys.
void applyJoystickButtons(uint32_t buttons);

// Polls the joystick, handles at most one message; returns whether the game
// is still running.
bool pumpMessages();
