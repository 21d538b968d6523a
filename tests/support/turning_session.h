#pragma once
#include "app/replay_session.h"
#include "platform/media_path.h"

#include <string>

// The real game headless with pictures and the build's media, the player
// turning all the while, `frames` frames run and drawn. False without GL.
// (Only for tests that link the headless session.)
inline bool startTurningSession(ReplaySession& session, unsigned seed, int frames) {
    setMediaFolder(std::string(VEXAR_BINARY_DIR) + "/media");
    SessionSettings settings;
    settings.pictures = true;
    settings.seed = seed;
    if (!startSession(session, settings)) return false;
    session.input.pointerX = 0.6f;
    for (int frame = 0; frame < frames; ++frame) stepSession(session, true);
    return true;
}
