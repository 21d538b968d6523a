#pragma once
#include "game/input_timeline.h"
#include "game/world.h"

#include <cstdint>
#include <string>

// Demos: a game recorded as the frames ran, and played back to the same
// world. A frame is its input, its time and the sounds' playing flags taken
// at its start; the world's own sound starts need no recording. The flags
// are written only where they differ from what playback expects, which is
// the world's view as the last frame left it: in practice, a line when the
// mixer has ended a sound.

struct DemoRecorder {
    std::string pending;   // whole lines not written out yet
    InputState lastInput;  // as the last recorded frame had it
    uint32_t lastMilliseconds = 0;
    int frame = 0;  // the last frame recorded
    uint64_t lastCheck = 0;
};

void startDemoRecording(DemoRecorder& recorder, const DemoHeader& header);
// Before a frame runs, with the world as the last frame left it.
void recordDemoFrame(DemoRecorder& recorder, const World& world, uint32_t milliseconds,
                     const InputState& input, uint32_t soundsTaken);
// After the frame: the world's check on every 35th.
void recordDemoFrameEnd(DemoRecorder& recorder, const World& world);
// After the last frame: its check (if not written already) and the end line.
// Returns the final check.
uint64_t finishDemoRecording(DemoRecorder& recorder, const World& world);

struct DemoPlayer {
    InputTimeline timeline;
    InputState input;
    uint32_t milliseconds = 0;
    int frame = 0;        // the last frame handed out
    int departedAt = 0;   // the first check frame that differed; 0 while none did
    bool checked = false;  // the last frame handed out has a check line
    uint64_t check = 0;
};

// Takes a parsed demo (parseDemo) to play from its first frame.
void startDemoPlayback(DemoPlayer& player, InputTimeline timeline);
// The next frame's time, input (left in player.input) and the sounds' flags:
// from the demo where it has them, else what the world's view holds.
// False after the demo's last frame.
bool nextDemoFrame(DemoPlayer& player, const World& world, uint32_t& milliseconds,
                   uint32_t& sounds);
// After the frame: compares the world with the demo's check, if it has one
// for the frame. True when this is the first frame that departs.
bool checkDemoFrame(DemoPlayer& player, const World& world);

// "" for a complete demo; for one whose recording was cut off, a note saying
// it plays up to where it stops.
std::string demoCutOffNote(const InputTimeline& timeline);
// The line a departure is reported with.
std::string demoDepartureText(int frame);
