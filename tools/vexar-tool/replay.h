#pragma once
#include <string>
#include <vector>

// vexar-tool replay: the real game, headless, from a seed and an input
// timeline, with every frame the same length and the sound mixed in lock-step
// with game time; writes what happened frame by frame. With --demo, the demo
// gives the seed, the settings, every frame's time and the sounds' flags,
// and its checks are compared. Frames are drawn up to the last screenshot, or
// all of them for the timings; with neither the game runs with no OpenGL.
struct ReplayOptions {
    unsigned seed = 0;
    int frames = 0;
    std::string out;
    float frameTime = 0.03f;
    std::string input;  // "" for no input at all
    int width = 640, height = 480;
    bool stereo = false;
    bool highQuality = false;
    std::string media;  // "" for the media folder beside the executable
    std::vector<int> screenshots;
    std::string demo;  // "" for a replay from --seed and --frames
    bool drawEveryFrame = false;  // else frames are drawn up to the last screenshot
    int picturesPerFrame = 1;  // pictures drawn per frame drawn, as Smooth motion does
};

// `vexar-tool replay --help`.
extern const char kReplayUsage[];

// False, with a message on standard error, when the arguments are wrong.
bool parseReplayOptions(int argc, char** argv, ReplayOptions& options);
// False, with a line on standard error, when what the options name cannot be
// used: a media folder that does not exist, a screenshot past the last frame.
bool validReplayOptions(const ReplayOptions& options);
// True for "" (the folder beside the tool) or a folder that exists; otherwise
// false with a line on standard error.
bool mediaFolderFound(const std::string& folder, const char* command);

int runReplay(int argc, char** argv);
