#pragma once
#include "app/game_session.h"
#include "game/drawn_view.h"
#include "game/input_state.h"
#include "game/world.h"

#include <functional>
#include <memory>

struct OffscreenGl;
struct WavWriter;

// The game run headless, a frame at a time: the same start-up, frame
// sequence, sound mixing and drawing as the live game, with the sound mixed
// on the calling thread whenever game time reaches the next block, so that
// the sound-gated rules (the firing rhythm) come out the same on every run.
struct SessionSettings {
    unsigned seed = 0;  // stands for the clock the game seeds its random source with
    float frameTime = 0.03f;  // for stepSession
    WorldSettings world;
    // Frames are to be drawn: a headless OpenGL context and what the drawing
    // makes of the world. Without, the game runs with no display and no OpenGL.
    bool pictures = false;
};

struct ReplaySession {
    std::unique_ptr<World> world;
    OffscreenGl* gl = nullptr;
    InputState input;
    float frameTime = 0.03f;
    unsigned clockStart = 0;
    double seconds = 0.0;    // game time since the start, not reset by a ram
    double nextBlock = 0.0;  // when the mixer makes its next block
    WavWriter* audio = nullptr;  // where the mixed blocks go, if anywhere
    int audioError = 0;  // the errno of the first block that could not be written
    // Pictures drawn per frame, as Smooth motion draws them: picture k of N
    // places what moves k/N of the way from the frame before, so the last
    // is the frame's own. Each but the last is handed, drawn, to
    // `pictureDrawn` (with k), if set.
    int picturesPerFrame = 1;
    std::function<void(int picture)> pictureDrawn;
    DrawnState before;
    DrawnView view;
};

// The clock and the sound output driven by game time, the world set up, and
// for pictures headless GL with the world prepared for drawing. False (with a
// line on standard error) when pictures are asked for and there is no GL
// context.
bool startSession(ReplaySession& session, const SessionSettings& settings);

struct FrameTimes {
    long long updateUs = 0;
    long long renderUs = 0;  // 0 when the frame is not drawn
};

// Game time moves on by a frame of `seconds`; the sound due by its end is
// mixed. Call before that frame runs.
void advanceSessionTime(ReplaySession& session, float seconds);
// The game's frame with this input, and drawn (in a session for pictures)
// when asked.
FrameTimes runSessionFrame(ReplaySession& session, const FrameInput& frame, bool draw);
// Both, with the session's fixed frame time, its input, and the sounds'
// flags as the mixer, in lock-step, has them.
FrameTimes stepSession(ReplaySession& session, bool draw);

void endSession(ReplaySession& session);
