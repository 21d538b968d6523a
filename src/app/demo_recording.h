#pragma once
#include "app/game_session.h"
#include "game/demo.h"

#include <string>

struct OutputFile;

// `vexar --record FILE`: the game as played, written to a demo as it goes.
// The lines of each frame are kept and handed to the file at least once a
// second, so a crash, a kill or an error box keeps every frame but the last
// second's at worst; a pause writes everything out at once. The frames go to
// a temporary file beside the demo's name (platform/output_file.h), which
// takes that name when the game ends: a file already there is kept until
// then, and kept for good when no game is played.
struct DemoRecording {
    std::string path;
    OutputFile* file = nullptr;
    DemoRecorder recorder;
    uint32_t lastWrite = 0;  // the clock's count at the last write
};

// Before the launcher, so that a file that cannot be written is said at once:
// false, with one line on standard error.
bool openDemoRecording(DemoRecording& recording, const std::string& path);
// The launcher was closed: no game, no demo file (one already there stays).
void abandonDemoRecording(DemoRecording& recording);
// Once the game's choices are known: the header, written at once.
void beginDemoRecording(DemoRecording& recording, const GameStart& start);
// Around each frame, as the demo module records it.
void recordFrameStart(DemoRecording& recording, const World& world, uint32_t milliseconds,
                      const FrameInput& frame);
void recordFrameEnd(DemoRecording& recording, const World& world);
// Writes out what is pending; for a pause, when nothing may come for a while.
void writeDemoNow(DemoRecording& recording);
// The end line, the file closed and put in its place, and one line on
// standard error with the frame count and the final check.
void endDemoRecording(DemoRecording& recording, const World& world);
