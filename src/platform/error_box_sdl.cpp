#include "platform/error_box.h"

#include <SDL.h>

// Without a display the box cannot be shown; the line on standard error is
// all there is then.
void showErrorBox(const char* text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "ERROR", text, nullptr);
}
