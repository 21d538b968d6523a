#include "platform/events.h"

#include <SDL.h>

namespace {

struct KeyMapping {
    SDL_Keycode symbol;
    uint32_t virtualKey;
};

// Keys outside the letter, digit and function-key runs.
const KeyMapping kKeyTable[] = {
    {SDLK_BACKSPACE, 8},   {SDLK_TAB, 9},        {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},     {SDLK_RSHIFT, 16},    {SDLK_LCTRL, 17},     {SDLK_RCTRL, 17},
    {SDLK_PAUSE, 19},      {SDLK_CAPSLOCK, 20},  {SDLK_ESCAPE, 27},    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},     {SDLK_PAGEDOWN, 34},  {SDLK_END, 35},       {SDLK_HOME, 36},
    {SDLK_LEFT, 37},       {SDLK_UP, 38},        {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},     {SDLK_DELETE, 46},    {SDLK_KP_0, 96},      {SDLK_KP_1, 97},
    {SDLK_KP_2, 98},       {SDLK_KP_3, 99},      {SDLK_KP_4, 100},     {SDLK_KP_5, 101},
    {SDLK_KP_6, 102},      {SDLK_KP_7, 103},     {SDLK_KP_8, 104},     {SDLK_KP_9, 105},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109}, {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},
};

uint32_t mouseButtonMessage(uint8_t button, bool down) {
    if (button == SDL_BUTTON_LEFT) return down ? kMessageLeftButtonDown : kMessageLeftButtonUp;
    if (button == SDL_BUTTON_RIGHT) return down ? kMessageRightButtonDown : kMessageRightButtonUp;
    return kMessageNone;
}

InputMessage translate(const SDL_Event& event) {
    InputMessage message;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        message.wParam = virtualKeyFromSymbol(event.key.keysym.sym);
        // A key without a virtual-key code reaches the game as nothing at all.
        if (message.wParam != 0)
            message.code = event.type == SDL_KEYDOWN ? kMessageKeyDown : kMessageKeyUp;
        message.alt = (event.key.keysym.mod & KMOD_ALT) != 0;
        break;
    case SDL_MOUSEMOTION:
        message.code = kMessageMouseMove;
        message.x = event.motion.x;
        message.y = event.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        message.code = mouseButtonMessage(event.button.button, event.type == SDL_MOUSEBUTTONDOWN);
        message.x = event.button.x;
        message.y = event.button.y;
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) message.code = kMessageClose;
        break;
    case SDL_QUIT:  // also what SDL makes of SIGINT and SIGTERM
        message.code = kMessageClose;
        break;
    case SDL_USEREVENT:
        if (event.user.code == kPageHiddenEventCode) message.code = kMessagePageHidden;
        break;
    default:
        break;
    }
    return message;
}

}  // namespace

uint32_t virtualKeyFromSymbol(int32_t symbol) {
    if (symbol >= SDLK_a && symbol <= SDLK_z) return uint32_t('A' + (symbol - SDLK_a));
    if (symbol >= SDLK_0 && symbol <= SDLK_9) return uint32_t('0' + (symbol - SDLK_0));
    if (symbol >= SDLK_F1 && symbol <= SDLK_F12) return uint32_t(112 + (symbol - SDLK_F1));
    for (const auto& entry : kKeyTable)
        if (entry.symbol == symbol) return entry.virtualKey;
    return 0;
}

bool takeMessage(InputMessage& message) {
    SDL_Event event;
    if (SDL_PollEvent(&event) != 1) return false;
    message = translate(event);
    return true;
}
