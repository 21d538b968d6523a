#include "replay.h"

#include "game/input_timeline.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

const char kReplayUsage[] =
    "usage: vexar-tool replay --seed N --frames N --out DIR [--frame-time S] [--input FILE]\n"
    "                         [--width W] [--height H] [--stereo 0|1] [--hiqual 0|1]\n"
    "                         [--media DIR] [--screenshot F1,F2,...] [--draw 0|1]\n"
    "                         [--pictures-per-frame N]\n"
    "       vexar-tool replay --demo FILE --out DIR [--media DIR] [--screenshot F1,F2,...]\n"
    "                         [--draw 0|1] [--pictures-per-frame N]\n"
    "Runs the game headless and writes state.txt, timings.csv, audio.wav and the\n"
    "screenshots into DIR: from a seed, every frame the same length, or a demo.\n"
    "  --seed N            the clock reading the game seeds its random numbers with\n"
    "  --frames N          how many frames to run\n"
    "  --out DIR           the folder to write into (made when missing)\n"
    "  --frame-time S      seconds per frame (0.03)\n"
    "  --input FILE        the input timeline (none: no input at all)\n"
    "  --width W           the window's width (640)\n"
    "  --height H          the window's height (480)\n"
    "  --stereo 0|1        the stereo (\"3D\") mode (0)\n"
    "  --hiqual 0|1        high-quality textures (0)\n"
    "  --media DIR         the media folder (the one beside vexar-tool)\n"
    "  --screenshot F,...  frames (1 to the last) to save as frame-NNNNNN.png\n"
    "  --draw 0|1          draw every frame, for the drawing's timings (0: only the\n"
    "                      screenshots are drawn; with none, no OpenGL is needed)\n"
    "  --pictures-per-frame N\n"
    "                      draw N pictures for each frame drawn, as Smooth motion\n"
    "                      does between frames: picture K places what moves K/N of\n"
    "                      the way from the frame before; a screenshot frame saves\n"
    "                      each as frame-NNNNNN-K.png, the last (the frame's own) as\n"
    "                      frame-NNNNNN.png (1)\n"
    "  --demo FILE         a recorded game: its seed, settings, frame times and\n"
    "                      input, with its checks compared\n"
    "  --help              this text\n"
    "Exit status: 0 when done, 1 when it could not be done, 2 for a usage error or\n"
    "a demo the game departs from, 130 and 143 when Ctrl-C or SIGTERM stopped it.\n";

namespace {

constexpr int kMaxPicturesPerFrame = 100;

// long long: a long has only 32 bits on Windows, too few for a seed.
bool readLong(const char* text, long long low, long long high, long long& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= low && value <= high;
}

bool readFrameList(const std::string& text, std::vector<int>& frames) {
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        long long frame = 0;
        // The range is checked against --frames once every option is read.
        if (!readLong(item.c_str(), -(1LL << 30), 1LL << 30, frame)) return false;
        frames.push_back(int(frame));
    }
    return !frames.empty();
}

bool readFrameTime(const char* text, float& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtof(text, &end);
    return errno == 0 && end != text && *end == '\0' && std::isfinite(value) && value > 0.0f;
}

bool readInt(const char* text, long long low, long long high, int& value) {
    long long number = 0;
    if (!readLong(text, low, high, number)) return false;
    value = int(number);
    return true;
}

bool readSwitch(const char* text, bool& value) {
    int number = 0;
    if (!readInt(text, 0, 1, number)) return false;
    value = number == 1;
    return true;
}

bool readText(const char* text, std::string& value) {
    value = text;
    return !value.empty();
}

// One option and its value; false when the value does not fit the option.
bool readOption(const std::string& name, const char* value, ReplayOptions& o) {
    if (name == "--seed") {
        long long seed = 0;
        if (!readLong(value, 0, 0xFFFFFFFFLL, seed)) return false;
        o.seed = unsigned(seed);
        return true;
    }
    // The limits a demo has are checked once every option is read.
    if (name == "--frames") return readInt(value, 0, INT32_MAX, o.frames);
    if (name == "--out") return readText(value, o.out);
    if (name == "--frame-time") return readFrameTime(value, o.frameTime);
    if (name == "--input") return readText(value, o.input);
    if (name == "--width") return readInt(value, 1, INT32_MAX, o.width);
    if (name == "--height") return readInt(value, 1, INT32_MAX, o.height);
    if (name == "--stereo") return readSwitch(value, o.stereo);
    if (name == "--hiqual") return readSwitch(value, o.highQuality);
    if (name == "--media") return readText(value, o.media);
    if (name == "--screenshot") return readFrameList(value, o.screenshots);
    if (name == "--demo") return readText(value, o.demo);
    if (name == "--draw") return readSwitch(value, o.drawEveryFrame);
    if (name == "--pictures-per-frame") return readInt(value, 1, kMaxPicturesPerFrame, o.picturesPerFrame);
    return false;
}

}  // namespace

bool parseReplayOptions(int argc, char** argv, ReplayOptions& options) {
    bool seed = false, frames = false, other = false;
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc || !readOption(argv[i], argv[i + 1], options)) {
            std::fprintf(stderr, "vexar-tool replay: bad option %s %s\n%s", argv[i],
                         i + 1 < argc ? argv[i + 1] : "(no value)", kReplayUsage);
            return false;
        }
        seed = seed || std::strcmp(argv[i], "--seed") == 0;
        frames = frames || std::strcmp(argv[i], "--frames") == 0;
        // What a demo decides itself.
        other = other || !std::strstr(" --demo --out --media --screenshot --draw --pictures-per-frame ",
                                      (" " + std::string(argv[i]) + " ").c_str());
    }
    if (!options.demo.empty()) {
        if (!other && !options.out.empty()) return true;
        std::fprintf(stderr, "vexar-tool replay: a demo takes only --out, --media, --screenshot, --draw and "
                     "--pictures-per-frame\n%s",
                     kReplayUsage);
        return false;
    }
    if (!seed || !frames || options.out.empty()) {
        std::fprintf(stderr, "vexar-tool replay: --seed, --frames and --out are needed\n%s", kReplayUsage);
        return false;
    }
    return true;
}

bool mediaFolderFound(const std::string& folder, const char* command) {
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) return true;
    std::fprintf(stderr, "vexar-tool %s: the media folder %s does not exist\n", command, folder.c_str());
    return false;
}

namespace {

bool refused(const char* what) {
    std::fprintf(stderr, "vexar-tool replay: %s\n", what);
    return false;
}

// The work a replay asks for within what a demo may ask for.
bool withinDemoLimits(const ReplayOptions& o) {
    char text[200];
    const double seconds = double(o.frames) * double(o.frameTime);
    if (o.frames > kMaxFrames)
        std::snprintf(text, sizeof text, "--frames %d is more than %d", o.frames, kMaxFrames);
    else if (double(o.frameTime) * 1000.0 > double(kMaxFrameMs))
        std::snprintf(text, sizeof text, "--frame-time %g is more than %g seconds", double(o.frameTime),
                      kMaxFrameMs / 1000.0);
    else if (seconds * 1000.0 > double(kMaxGameMs))
        std::snprintf(text, sizeof text,
                      "--frames %d of --frame-time %g make %g seconds of game time, more than %g",
                      o.frames, double(o.frameTime), seconds, double(kMaxGameMs) / 1000.0);
    else if (o.width > kMaxWindowSide || o.height > kMaxWindowSide)
        std::snprintf(text, sizeof text, "--width %d --height %d: a side is more than %d", o.width,
                      o.height, kMaxWindowSide);
    else if (int64_t(o.width) * o.height > kMaxWindowPixels)
        std::snprintf(text, sizeof text, "--width %d --height %d is more than %lld pixels", o.width,
                      o.height, static_cast<long long>(kMaxWindowPixels));
    else
        return true;
    return refused(text);
}

}  // namespace

bool validReplayOptions(const ReplayOptions& options) {
    if (!mediaFolderFound(options.media, "replay") || !withinDemoLimits(options)) return false;
    for (int frame : options.screenshots) {
        if (frame < 1 || frame > options.frames) {
            std::fprintf(stderr, "vexar-tool replay: --screenshot %d is not a frame from 1 to %d\n",
                         frame, options.frames);
            return false;
        }
    }
    return true;
}
