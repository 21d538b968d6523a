#include "app/replay_session.h"

#include "audio/sound_mixer.h"
#include "game/world_setup.h"
#include "platform/audio_output.h"
#include "platform/clock_manual.h"
#include "platform/offscreen_gl.h"
#include "platform/wav_file.h"
#include "render/renderer.h"
#include "render/world_drawing.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>

namespace {

// One mixed block of sound lasts this long.
constexpr double kBlockSeconds = double(kMixBlockFrames) / double(kMixSampleRate);

void setClockTo(const ReplaySession& session, double seconds) {
    setManualClock(session.clockStart + unsigned(std::llround(seconds * 1000.0)));
}

void mixBlocksDue(ReplaySession& session) {
    int16_t block[kMixBlockFrames * 2];
    while (session.nextBlock <= session.seconds) {
        setClockTo(session, session.nextBlock);
        pullManualAudioBlock(block);
        if (session.audio && session.audioError == 0 && !appendWav(session.audio, block, kMixBlockFrames))
            session.audioError = errno != 0 ? errno : EIO;
        session.nextBlock += kBlockSeconds;
    }
    setClockTo(session, session.seconds);
}

using Clock = std::chrono::steady_clock;

long long microsecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
}

// The frame's pictures, the first beginning it and the others beginning as
// it did, like the game's between two frames.
void drawPicturesBetween(ReplaySession& session) {
    const World& world = *session.world;
    const int n = session.picturesPerFrame;
    for (int k = 1; k <= n; ++k) {
        placeBetween(session.before, world, float(double(k) / double(n)), session.view);
        drawWorldFrame(world, session.view, k > 1);
        if (k < n && session.pictureDrawn) session.pictureDrawn(k);
    }
}

}  // namespace

bool startSession(ReplaySession& session, const SessionSettings& settings) {
    if (settings.pictures) {
        // Headless: no window on any display, and no sound device.
        preferHeadlessVideo();
        session.gl = createOffscreenGl(settings.world.width, settings.world.height);
        if (!session.gl) return false;
    }
    session.frameTime = settings.frameTime;
    session.clockStart = settings.seed;
    setManualClock(settings.seed);
    setManualAudioOutput(true);
    session.world = std::make_unique<World>();
    World& world = *session.world;
    // The game's own start-up, as far as the world is concerned.
    const float black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    setUpGameView(world, black);
    if (session.gl && !setUpRenderer(black, settings.world)) return false;
    GameStart start;
    start.seed = settings.seed;
    start.world = settings.world;
    if (!setUpGameWorld(world, start)) return false;
    if (session.gl) prepareWorldDrawing(world);
    return true;
}

void advanceSessionTime(ReplaySession& session, float seconds) {
    session.seconds += double(seconds);
    mixBlocksDue(session);
}

FrameTimes runSessionFrame(ReplaySession& session, const FrameInput& frame, bool draw) {
    World& world = *session.world;
    FrameTimes times;
    const bool between = draw && session.gl && session.picturesPerFrame > 1;
    if (between) keepDrawnState(world, session.before);
    Clock::time_point started = Clock::now();
    updateGameFrame(world, frame);
    times.updateUs = microsecondsSince(started);
    if (!draw || !session.gl) return times;
    started = Clock::now();
    if (between)
        drawPicturesBetween(session);
    else
        drawWorldFrame(world);
    finishDrawing();  // the frame's cost includes the drawing OpenGL queued
    times.renderUs = microsecondsSince(started);
    return times;
}

FrameTimes stepSession(ReplaySession& session, bool draw) {
    advanceSessionTime(session, session.frameTime);
    return runSessionFrame(session, frameInputOf(session.input, session.frameTime, playingSoundFlags()),
                           draw);
}

void endSession(ReplaySession& session) {
    if (session.gl) releaseRenderer();
    if (session.world) releaseWorld(*session.world);
    session.world.reset();
    closeSoundOutput();
    setManualAudioOutput(false);
    destroyOffscreenGl(session.gl);
    session.gl = nullptr;
}
