#include "platform/window.h"

#include "platform/events.h"
#include "platform/gl_attributes.h"
#include "platform/video_system.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

struct GameWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool fullScreen = false;
    bool holdPointer = true;
    int width = 0, height = 0;
};

GameWindow gameWindow;
bool openGlKept = false;

// 32 depth bits as asked for, else the deepest buffer the driver offers.
SDL_Window* createWithDeepestDepth(const WindowRequest& request, Uint32 flags) {
    for (int depth : {32, 24, 16}) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        if (SDL_Window* window = SDL_CreateWindow(request.title, SDL_WINDOWPOS_UNDEFINED,
                                                  SDL_WINDOWPOS_UNDEFINED, request.width,
                                                  request.height, flags))
            return window;
    }
    return nullptr;
}

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

bool headlessDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// Full screen hides the pointer; a window keeps it inside (unless told not to).
void holdOrHidePointer() {
    SDL_ShowCursor(gameWindow.fullScreen ? SDL_DISABLE : SDL_ENABLE);
    SDL_SetWindowGrab(gameWindow.window,
                      !gameWindow.fullScreen && gameWindow.holdPointer ? SDL_TRUE : SDL_FALSE);
}

}  // namespace

bool startWindowSystem() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // A driver named on purpose (tests, kiosks) is taken as it is.
    bool chosen = environmentSet("SDL_VIDEODRIVER");
    if (!prepareVideoDriver(chosen)) return false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "vexar: cannot open the game window: %s does not answer (%s)\n",
                     displayName().c_str(), SDL_GetError());
        return false;
    }
    if (!chosen && headlessDriver(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::fprintf(stderr, "vexar: cannot open the game window: the display does not answer\n");
        return false;
    }
    return true;
}

void stopWindowSystem() {
    if (gameWindow.context) SDL_GL_DeleteContext(gameWindow.context);
    if (gameWindow.window) SDL_DestroyWindow(gameWindow.window);
    gameWindow = GameWindow{};
    if (openGlKept) SDL_GL_UnloadLibrary();
    openGlKept = false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void keepOpenGlLoaded() {
    if (!openGlKept && SDL_WasInit(SDL_INIT_VIDEO)) openGlKept = SDL_GL_LoadLibrary(nullptr) == 0;
}

bool desktopSize(int& width, int& height) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
    width = mode.w;
    height = mode.h;
    return true;
}

bool displayHasMode(int width, int height) {
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height)
            return true;
    }
    return false;
}

bool openWindow(const WindowRequest& request) {
    // SDL would start the video on its own, headless drivers and all.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (request.fullScreen) {
        if (!displayHasMode(request.width, request.height)) return false;
        flags |= SDL_WINDOW_FULLSCREEN;
    }
    requestGlContext();
    gameWindow.fullScreen = request.fullScreen;
    gameWindow.holdPointer = request.holdPointer;
    gameWindow.width = request.width;
    gameWindow.height = request.height;
    gameWindow.window = createWithDeepestDepth(request, flags);
    if (!gameWindow.window) return false;
    gameWindow.context = SDL_GL_CreateContext(gameWindow.window);
    if (!gameWindow.context || SDL_GL_MakeCurrent(gameWindow.window, gameWindow.context) != 0)
        return false;
    // The game reads keys as key messages, not as text.
    SDL_StopTextInput();
    SDL_RaiseWindow(gameWindow.window);
    holdOrHidePointer();
    return true;
}

void closeWindowContext() {
    if (gameWindow.window) {
        if (gameWindow.fullScreen) {
            SDL_SetWindowFullscreen(gameWindow.window, 0);
            SDL_ShowCursor(SDL_ENABLE);
        } else {
            SDL_SetWindowGrab(gameWindow.window, SDL_FALSE);
        }
    }
    if (gameWindow.context) {
        SDL_GL_MakeCurrent(gameWindow.window, nullptr);
        SDL_GL_DeleteContext(gameWindow.context);
        gameWindow.context = nullptr;
    }
}

bool toggleFullScreen() {
    if (!gameWindow.window || !gameWindow.context) return false;
    const bool full = !gameWindow.fullScreen;
    if (full && !displayHasMode(gameWindow.width, gameWindow.height)) {
        std::fprintf(stderr, "vexar: the display has no %dx%d mode for full screen; staying in a window\n",
                     gameWindow.width, gameWindow.height);
        return false;
    }
    if (SDL_SetWindowFullscreen(gameWindow.window, full ? SDL_WINDOW_FULLSCREEN : 0) != 0) {
        std::fprintf(stderr, "vexar: cannot switch to %s: %s\n", full ? "full screen" : "a window",
                     SDL_GetError());
        return false;
    }
    gameWindow.fullScreen = full;
    holdOrHidePointer();
    return true;
}

bool windowIsFullScreen() { return gameWindow.window && gameWindow.fullScreen; }

void swapWindowBuffers() {
    if (!gameWindow.window || !gameWindow.context) return;
    SDL_GL_SwapWindow(gameWindow.window);
    yieldAfterFrame();
}

bool syncSwapsToDisplay() {
    if (!gameWindow.context) return false;
    return SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
}

int displayRefreshRate() {
    SDL_DisplayMode mode;
    if (!gameWindow.window || SDL_GetWindowDisplayMode(gameWindow.window, &mode) != 0) return 0;
    return mode.refresh_rate;
}

void setWindowTitle(const char* title) {
    if (gameWindow.window) SDL_SetWindowTitle(gameWindow.window, title);
}
