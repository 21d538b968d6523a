#include "platform/gl_attributes.h"

#include <SDL.h>

void requestGlContext() {
    // OpenGL 1.1's fixed function, which the compatibility profile keeps.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}
