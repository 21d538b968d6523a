#include "replay_session.h"

#include "app/game_gl.h"
#include "audio/sound_mixer.h"
#include "game/scene_render.h"
#include "game/world_setup.h"
#include "game/world_update.h"
#include "model/texture_cache.h"
#include "platform/audio_output.h"
#include "platform/clock_manual.h"
#include "platform/gl.h"
#include "platform/offscreen_gl.h"
#include "platform/video_system.h"
#include "platform/wav_file.h"

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
        if (session.audio) appendWav(session.audio, block, kMixBlockFrames);
        session.nextBlock += kBlockSeconds;
    }
    setClockTo(session, session.seconds);
}

using Clock = std::chrono::steady_clock;

long long microsecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
}

}  // namespace

bool startSession(ReplaySession& session, const SessionSettings& settings) {
    // Headless: no window on any display, and no sound device.
    preferHeadlessVideo();
    session.gl = createOffscreenGl(settings.world.width, settings.world.height);
    if (!session.gl) return false;
    session.frameTime = settings.frameTime;
    session.clockStart = settings.seed;
    setManualClock(settings.seed);
    setManualAudioOutput(true);
    session.world = std::make_unique<World>();
    World& world = *session.world;
    // The game's own start-up, as far as the world is concerned.
    gameSrand(world.random, settings.seed);
    const float black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    setUpGameGl(black, settings.world.width, settings.world.height);
    initCamera(world.camera);
    resetTextureCache(settings.world.highQualityTextures);
    setupWorld(world, settings.world);
    return true;
}

FrameTimes stepSession(ReplaySession& session, bool draw) {
    World& world = *session.world;
    FrameTimes times;
    session.seconds += double(session.frameTime);
    mixBlocksDue(session);
    Clock::time_point started = Clock::now();
    advanceWorld(world, session.input, session.frameTime);
    publishSoundPositions();
    times.updateUs = microsecondsSince(started);
    if (!draw) {
        advanceScenePasses(world);
        return times;
    }
    started = Clock::now();
    clearFrameAndSaveProjection();
    drawFrame(world);
    glFinish();  // the frame's cost includes the drawing OpenGL queued
    times.renderUs = microsecondsSince(started);
    return times;
}

void endSession(ReplaySession& session) {
    if (session.world) releaseWorld(*session.world);
    session.world.reset();
    closeSoundOutput();
    setManualAudioOutput(false);
    releaseTextureCache();
    destroyOffscreenGl(session.gl);
    session.gl = nullptr;
}
