// The game exactly as `vexar` runs it, with a virtual gamepad plugged in before
// it starts. SDL's virtual devices are seen only inside the process that made
// them, so this is how the CPU use of a game that polls an open joystick is
// measured on a machine without one.
#include "app/program.h"

#include <SDL.h>

#include <cstdio>

int main() {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0 ||
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0) < 0) {
        std::fprintf(stderr, "virtual_pad_game: no virtual joystick: %s\n", SDL_GetError());
        return 1;
    }
    int status = runGame(ProgramOptions{});
    finishProgram();
    return status;
}
