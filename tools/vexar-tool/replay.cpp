#include "replay.h"

#include "replay_outputs.h"

#include "app/replay_session.h"
#include "tool_help.h"

#include "app/demo_playback.h"
#include "audio/sound_mixer.h"
#include "game/demo.h"
#include "game/input_timeline.h"
#include "game/world_check.h"
#include "platform/file_system.h"
#include "platform/interrupt.h"
#include "platform/media_path.h"
#include "platform/wav_file.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

struct ReplayFiles {
    std::string folder;
    std::FILE* state = nullptr;
    std::FILE* timings = nullptr;
    WavWriter* audio = nullptr;
    int frame = 0;             // the frame being run
    int pictureError = 0;      // the errno of a picture between frames not written
    std::string pictureName;  // and its name
};

bool cannotWrite(const std::string& path, int error) {
    std::fprintf(stderr, "vexar-tool replay: cannot write %s: %s\n", path.c_str(),
                 std::strerror(error));
    return false;
}

bool openFiles(const std::string& folder, ReplayFiles& files) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(folder), error);
    files.folder = folder;
    // Binary, so the lines end alike on every system and the states compare byte for byte.
    files.state = openFile(folder + "/state.txt", "wb");
    files.timings = openFile(folder + "/timings.csv", "wb");
    files.audio = openWavWriter(folder + "/audio.wav", kMixSampleRate, 2);
    if (!files.state || !files.timings || !files.audio) {
        std::fprintf(stderr, "vexar-tool replay: cannot write into %s\n", folder.c_str());
        return false;
    }
    writeStateHeader(files.state);
    std::fprintf(files.timings, "frame,update_us,render_us\n");
    return true;
}

// Each frame's lines go out as it ends, so that a full disk stops the
// replay at the frame it hit, with what was written before it intact.
bool flushed(std::FILE* file, const std::string& path) {
    return std::fflush(file) == 0 || cannotWrite(path, errno);
}

bool framesWritten(const ReplaySession& session, const ReplayFiles& files) {
    if (session.audioError != 0) return cannotWrite(files.folder + "/audio.wav", session.audioError);
    return flushed(files.state, files.folder + "/state.txt") &&
           flushed(files.timings, files.folder + "/timings.csv");
}

bool closeFiles(ReplayFiles& files) {
    bool ok = true;
    if (files.state) ok = std::fclose(files.state) == 0 && ok;
    if (files.timings) ok = std::fclose(files.timings) == 0 && ok;
    if (files.audio) ok = closeWavWriter(files.audio) && ok;
    return ok;
}

bool loadTimeline(const std::string& path, InputTimeline& timeline) {
    if (path.empty()) return true;
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        std::fprintf(stderr, "vexar-tool replay: cannot read %s\n", path.c_str());
        return false;
    }
    std::string error;
    if (parseInputTimeline(std::string(bytes.begin(), bytes.end()), timeline, error)) return true;
    std::fprintf(stderr, "vexar-tool replay: %s: %s\n", path.c_str(), error.c_str());
    return false;
}

bool screenshotAt(const ReplayOptions& o, int frame) {
    return std::find(o.screenshots.begin(), o.screenshots.end(), frame) != o.screenshots.end();
}

// Every frame up to the last screenshot is drawn (all of them for the
// timings): a picture also depends on the drawing before it (the stars take
// their light from the normal the frame before left current), so only then
// is it the one the game showed. With no screenshot nothing is drawn.
bool drawnAt(const ReplayOptions& o, int frame) {
    if (o.drawEveryFrame) return true;
    return !o.screenshots.empty() &&
           frame <= *std::max_element(o.screenshots.begin(), o.screenshots.end());
}

// What every frame leaves behind, however it was run; false (said) when
// something could not be written.
bool writeFrameOutputs(const ReplaySession& session, const ReplayOptions& o, ReplayFiles& files,
                       int frame, const FrameTimes& times) {
    if (files.pictureError != 0) return cannotWrite(files.pictureName, files.pictureError);
    if (screenshotAt(o, frame) && !writeScreenshot(o.out, frame, o.width, o.height)) {
        const int error = errno;
        return cannotWrite(screenshotPath(o.out, frame), error);
    }
    writeStateLine(files.state, frame, *session.world);
    std::fprintf(files.timings, "%d,%lld,%lld\n", frame, times.updateUs, times.renderUs);
    return framesWritten(session, files);
}

// A screenshot frame's pictures before its own, each as it is drawn.
void savePictureBetween(const ReplayOptions& o, ReplayFiles& files, int picture) {
    if (!screenshotAt(o, files.frame) || files.pictureError != 0) return;
    if (writeScreenshot(o.out, files.frame, o.width, o.height, picture)) return;
    files.pictureError = errno != 0 ? errno : EIO;
    files.pictureName = screenshotPath(o.out, files.frame, picture);
}

// 1 when something could not be written, else 0.
int runFrames(ReplaySession& session, const ReplayOptions& o, InputTimeline& timeline,
              ReplayFiles& files) {
    for (int frame = 1; frame <= o.frames; ++frame) {
        noteInterruptFrame(frame);
        files.frame = frame;
        applyInputChanges(timeline, frame, session.input);
        if (!writeFrameOutputs(session, o, files, frame, stepSession(session, drawnAt(o, frame))))
            return 1;
    }
    return 0;
}

// The demo's frames at their own times and with its sounds' flags; 2 when
// the world departs from the recording, 1 when something could not be
// written, else 0.
int runDemoFrames(ReplaySession& session, const ReplayOptions& o, DemoPlayer& player,
                  ReplayFiles& files) {
    World& world = *session.world;
    FrameInput frame;
    while (nextDemoFrameInput(player, world, frame)) {
        noteInterruptFrame(player.frame);
        files.frame = player.frame;
        advanceSessionTime(session, frame.seconds);
        const FrameTimes times = runSessionFrame(session, frame, drawnAt(o, player.frame));
        if (!writeFrameOutputs(session, o, files, player.frame, times)) return 1;
        if (checkDemoFrame(player, world))
            std::fprintf(stderr, "vexar-tool replay: %s\n",
                         demoDepartureText(player.departedAt).c_str());
    }
    std::printf("%d frames, final check %016" PRIx64 "\n", player.frame, worldCheck(world));
    return player.departedAt != 0 ? 2 : 0;
}

// The demo's own settings for the session, and for the outputs its size.
SessionSettings demoSettings(const DemoHeader& header, ReplayOptions& o) {
    const GameStart start = gameStartOf(header);
    SessionSettings settings;
    settings.seed = start.seed;
    settings.world = start.world;
    o.width = start.world.width;
    o.height = start.world.height;
    return settings;
}

SessionSettings sessionSettings(const ReplayOptions& o) {
    SessionSettings settings;
    settings.seed = o.seed;
    settings.frameTime = o.frameTime;
    settings.world.stereo = o.stereo;
    settings.world.highQualityTextures = o.highQuality;
    settings.world.width = o.width;
    settings.world.height = o.height;
    return settings;
}

}  // namespace

int runReplay(int argc, char** argv) {
    if (printHelpIfAsked(argc, argv, kReplayUsage)) return 0;
    ReplayOptions options;
    if (!parseReplayOptions(argc, argv, options)) return 2;
    InputTimeline timeline;
    DemoPlayer player;
    const bool demo = !options.demo.empty();
    if (demo) {
        if (!loadDemoFile(options.demo, timeline, "vexar-tool replay")) return 1;
        options.frames = timeline.lastFrame;  // a demo runs its own frames
        startDemoPlayback(player, std::move(timeline));
    } else if (!loadTimeline(options.input, timeline)) {
        return 1;
    }
    if (!validReplayOptions(options)) return 1;
    SessionSettings settings =
        demo ? demoSettings(player.timeline.header, options) : sessionSettings(options);
    ReplayFiles files;
    if (!openFiles(options.out, files)) {
        closeFiles(files);
        return 1;
    }
    if (!options.media.empty()) setMediaFolder(options.media);
    ReplaySession session;
    session.audio = files.audio;
    session.picturesPerFrame = options.picturesPerFrame;
    session.pictureDrawn = [&options, &files](int picture) { savePictureBetween(options, files, picture); };
    settings.pictures = options.drawEveryFrame || !options.screenshots.empty();
    if (!startSession(session, settings)) {
        closeFiles(files);
        return 1;
    }
    writeStateLine(files.state, 0, *session.world);
    noteInterruptFrame(0);
    const int status = demo ? runDemoFrames(session, options, player, files)
                            : runFrames(session, options, timeline, files);
    endSession(session);
    if (closeFiles(files) || status == 1) return status;
    return cannotWrite(options.out + " (closing its files)", errno) ? status : 1;
}
