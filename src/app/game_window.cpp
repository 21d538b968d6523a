#include "app/game_window.h"

#include "app/settings.h"
#include "platform/window.h"

void registerGameWindowClass() { startWindowSystem(); }

bool createGameWindow(bool holdPointer) {
    GameSettings& settings = gameSettings;
    if (settings.useScreenRes == 3) desktopSize(settings.width, settings.height);
    WindowRequest request;
    request.title = "Vexar";
    request.width = settings.width;
    request.height = settings.height;
    request.fullScreen = settings.windowed == 0;
    request.holdPointer = holdPointer;
    return openWindow(request);
}

void destroyGameContext() { closeWindowContext(); }

void swapGameBuffers() { swapWindowBuffers(); }
