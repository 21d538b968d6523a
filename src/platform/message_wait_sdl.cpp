#include "platform/events.h"

#include <SDL.h>

void yieldAfterFrame() {}

void waitForMessage(int timeoutMs) {
    if (timeoutMs < 0)
        SDL_WaitEvent(nullptr);
    else if (timeoutMs > 0)
        SDL_WaitEventTimeout(nullptr, timeoutMs);
}
