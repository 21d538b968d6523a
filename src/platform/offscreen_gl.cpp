#include "platform/offscreen_gl.h"

#include "platform/gl_attributes.h"

#include <SDL.h>

#include <cstdio>

struct OffscreenGl {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

OffscreenGl* createOffscreenGl(int width, int height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "no video: %s\n", SDL_GetError());
        return nullptr;
    }
    requestGlContext();
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    auto* gl = new OffscreenGl;
    gl->window = SDL_CreateWindow("vexar-offscreen", 0, 0, width, height,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (gl->window) gl->context = SDL_GL_CreateContext(gl->window);
    if (!gl->context) {
        std::fprintf(stderr, "no OpenGL context: %s\n", SDL_GetError());
        destroyOffscreenGl(gl);
        return nullptr;
    }
    SDL_GL_MakeCurrent(gl->window, gl->context);
    return gl;
}

void destroyOffscreenGl(OffscreenGl* gl) {
    if (!gl) return;
    if (gl->context) SDL_GL_DeleteContext(gl->context);
    if (gl->window) SDL_DestroyWindow(gl->window);
    delete gl;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
