#include "autopilot.h"

#include "replay.h"
#include "app/replay_session.h"
#include "tool_help.h"

#include "audio/sound_mixer.h"
#include "game/demo.h"
#include "platform/interrupt.h"
#include "platform/media_path.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kUsage[] =
    "usage: vexar-tool autopilot --plan attack|ram --seed N --frames N --out FILE [--media DIR]\n"
    "Flies the game headless with a simple pilot and writes its flight as a demo\n"
    "(which replay --input reads as a timeline).\n"
    "  --plan attack       shoot the droids near the station, then the radars from\n"
    "                      beyond their range\n"
    "  --plan ram          fly into the nearest droid\n"
    "  --seed N            the clock reading the game seeds its random numbers with\n"
    "  --frames N          how many frames to fly\n"
    "  --out FILE          the demo to write\n"
    "  --media DIR         the media folder (the one beside vexar-tool)\n"
    "  --help              this text\n";

constexpr uint32_t kFrameMs = 30;
const float kFrameTime = frameSecondsOf(kFrameMs);
constexpr float kShotSpeed = 50.0f;       // units a second
constexpr float kDroidSpeed = 15.0f;
constexpr float kRadarStandOff = 125.0f;  // a radar fires within 100 units
constexpr float kDroidStandOff = 35.0f;
constexpr float kTargetRadius = 0.7f;    // how far off its centre a shot still hits an enemy

struct PilotOptions {
    std::string plan, out, media;
    unsigned seed = 0;
    int frames = 0;
};

bool parseOptions(int argc, char** argv, PilotOptions& o) {
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--plan") o.plan = value;
        else if (name == "--seed") o.seed = unsigned(std::strtoul(value, nullptr, 10));
        else if (name == "--frames") o.frames = std::atoi(value);
        else if (name == "--out") o.out = value;
        else if (name == "--media") o.media = value;
        else return false;
    }
    // No more frames than a demo may have, so that what it writes plays back.
    return (o.plan == "attack" || o.plan == "ram") && o.frames > 0 && o.frames <= kMaxFrames &&
           !o.out.empty();
}

// The live enemy the plan goes for next, or -1: droids first, nearest first.
int chooseTarget(const World& world) {
    const Vec3 at = matrixPosition(world.player.matrix);
    int best = -1;
    float bestScore = 0.0f;
    for (int k = 0; k < kEnemyCount; ++k) {
        if (world.enemies[k].side == kSideNone) continue;
        const Vec3 d = matrixPosition(world.enemies[k].matrix) - at;
        const float score = dot(d, d) + (k < kDroidCount ? 0.0f : 1e9f);
        if (best < 0 || score < bestScore) {
            best = k;
            bestScore = score;
        }
    }
    return best;
}

// Where a shot fired now meets the target, allowing for a droid's flight.
Vec3 aimPoint(const World& world, int target) {
    const SceneObject& enemy = world.enemies[target];
    const Vec3 from = matrixPosition(world.player.matrix);
    Vec3 point = matrixPosition(enemy.matrix);
    if (target >= kDroidCount) return point;
    const Vec3 velocity = kDroidSpeed * matrixAxisZ(enemy.matrix);
    for (int i = 0; i < 4; ++i) {
        Vec3 d = point - from;
        const float seconds = std::sqrt(dot(d, d)) / kShotSpeed;
        point = matrixPosition(enemy.matrix) + seconds * velocity;
    }
    return point;
}

// Shots share one ring of four: a new one takes the oldest's slot wherever it
// is. Fire only when that shot is spent or already past the target.
bool nextSlotIsFree(const World& world, float targetDistance) {
    const SceneObject& next = world.shots[(world.state.nextShot + 1) % kShotCount].object;
    if (next.side == kSideNone) return true;
    const Vec3 d = next.trackPosition - matrixPosition(world.player.matrix);
    return dot(d, d) > targetDistance * targetDistance + 100.0f;
}

float clampUnit(float v) { return v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v); }

// Pointer values as a timeline stores them: hundredths.
float quantise(float v) { return std::round(v * 100.0f) / 100.0f; }

struct Steering {
    float pointerX = 0.0f, pointerY = 0.0f;
    float offAim = 0.0f;  // radians between the nose and the aim point
    float distance = 0.0f;
};

// Turns the nose towards the point: a pointer to the right turns right (the
// player's -X), one below the centre pitches down (towards -Y).
Steering steerTowards(const World& world, Vec3 point) {
    const Matrix4& m = world.player.matrix;
    const Vec3 d = point - matrixPosition(m);
    const float x = dot(d, matrixAxisX(m)), y = dot(d, matrixAxisY(m)), z = dot(d, matrixAxisZ(m));
    const float yaw = std::atan2(x, z), pitch = std::atan2(y, std::sqrt(x * x + z * z));
    Steering s;
    // Close most of the error in a few frames without overshooting.
    s.pointerX = quantise(clampUnit(-0.3f * yaw / kFrameTime));
    s.pointerY = quantise(clampUnit(-0.3f * pitch / kFrameTime));
    s.distance = std::sqrt(dot(d, d));
    // From the side components: the player's axes drift a little from unit
    // length over a long flight, which would spoil an angle taken from z alone.
    s.offAim = std::atan2(std::sqrt(x * x + y * y), z);
    return s;
}

void setKey(InputState& input, uint32_t key, bool down) { input.keys[key] = down ? 1 : 0; }

// Throttle keys towards a wanted speed from -1 to 1.
void holdSpeed(InputState& input, float throttle, float wanted) {
    setKey(input, kKeyUp, throttle < wanted - 0.05f);
    setKey(input, kKeyDown, throttle > wanted + 0.05f);
}

void pilot(const World& world, const std::string& plan, InputState& input) {
    const int target = chooseTarget(world);
    const float throttle = world.player.velocity.z;
    if (target < 0 || world.state.playing == 0) {
        input = InputState{};
        return;
    }
    const bool ram = plan == "ram";
    const Steering s = steerTowards(world, ram ? matrixPosition(world.enemies[target].matrix)
                                               : aimPoint(world, target));
    input.pointerX = s.pointerX;
    input.pointerY = s.pointerY;
    if (ram) {
        holdSpeed(input, throttle, 1.0f);
        return;
    }
    const float standOff = target < kDroidCount ? kDroidStandOff : kRadarStandOff;
    // Close in from afar; back away, still facing it, once it is near.
    holdSpeed(input, throttle, clampUnit((s.distance - standOff) / 20.0f));
    const float range = target < kDroidCount ? 80.0f : 160.0f;
    setKey(input, kKeySpace, s.offAim * s.distance < kTargetRadius && s.distance < range &&
                                 nextSlotIsFree(world, s.distance));
}

}  // namespace

int runAutopilot(int argc, char** argv) {
    if (printHelpIfAsked(argc, argv, kUsage)) return 0;
    PilotOptions options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    if (!mediaFolderFound(options.media, "autopilot")) return 1;
    std::FILE* out = std::fopen(options.out.c_str(), "w");
    if (!out) {
        std::fprintf(stderr, "vexar-tool autopilot: cannot write %s\n", options.out.c_str());
        return 1;
    }
    if (!options.media.empty()) setMediaFolder(options.media);
    ReplaySession session;
    SessionSettings settings;
    settings.seed = options.seed;
    settings.frameTime = kFrameTime;
    if (!startSession(session, settings)) return 1;
    std::fprintf(out, "# vexar-tool autopilot --plan %s --seed %u --frames %d\n",
                 options.plan.c_str(), options.seed, options.frames);
    // The flight is written as a demo: the same lines the game records.
    DemoRecorder recorder;
    GameStart start;
    start.seed = options.seed;
    startDemoRecording(recorder, demoHeaderOf(start));
    World& world = *session.world;
    for (int frame = 1; frame <= options.frames; ++frame) {
        noteInterruptFrame(frame);
        pilot(world, options.plan, session.input);
        advanceSessionTime(session, kFrameTime);
        const FrameInput input = frameInputOf(session.input, kFrameTime, playingSoundFlags());
        recordDemoFrame(recorder, world, kFrameMs, input.input, input.soundsPlaying);
        runSessionFrame(session, input, false);
        recordDemoFrameEnd(recorder, world);
    }
    finishDemoRecording(recorder, world);
    std::fputs(recorder.pending.c_str(), out);
    const GameState& state = world.state;
    std::printf("kills: %d\nplaying: %d\n", int(state.kills), int(state.playing));
    endSession(session);
    return std::fclose(out) == 0 ? 0 : 1;
}
