#pragma once
#include "game/input_state.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Recorded input and demos share one text format (docs/demo-format.md), one
// change a line:
//     FRAME key NAME down|up      NAME: up down left right space ctrl insert delete
//     FRAME pointer X Y           the pointer, as finite numbers (-1 to 1 inside the window)
// where a change with frame number F applies before frame F's update (frames
// count from 1). A demo adds a header before its first frame line and these:
//     FRAME time MS               the frame time in clock milliseconds, from this frame on
//     FRAME sounds LIST           the sounds' playing flags taken at the frame's start:
//                                 slot numbers joined by commas, or "none"
//     FRAME check HASH            the world's check after the frame, 16 hex digits
//     FRAME end                   the demo's last frame; nothing follows
// "#" starts a comment; blank lines are allowed.

// The version of the demo format this game writes and the newest it reads.
constexpr int kDemoFormatVersion = 1;
// A demo checks the world after every this many frames.
constexpr int kDemoCheckInterval = 35;

// What a demo or a timeline may ask for, checked while it is read
// (docs/demo-format.md says why these): far above any real game, far below
// what a few hostile lines could otherwise claim.
constexpr int kMaxFrames = 1000000;
constexpr uint32_t kMaxFrameMs = 86400000;  // a day, for one frame
constexpr uint64_t kMaxGameMs = 86400000;   // and for all of them together
constexpr int kMaxWindowSide = 8192;
constexpr int64_t kMaxWindowPixels = 7680 * 4320;
constexpr size_t kMaxLineBytes = 1024;

struct DemoHeader {
    int version = 0;       // 0: no header, a plain input timeline
    std::string game;      // the version of the game that recorded it
    bool hasSeed = false;
    uint32_t seed = 0;
    bool stereo = false;
    bool highQuality = false;
    int width = 640, height = 480;
};

enum class TimelineKind : uint8_t { Key, Pointer, Time, Sounds, Check, End };

struct TimelineLine {
    int frame = 0;
    int lineNumber = 0;  // in the file, for what is said about it
    TimelineKind kind = TimelineKind::Key;
    uint32_t key = 0;  // a virtual-key code
    bool down = false;
    float pointerX = 0.0f, pointerY = 0.0f;
    uint32_t value = 0;  // milliseconds, or the sounds' flags (slot i in bit i)
    uint64_t check = 0;
};

struct InputTimeline {
    DemoHeader header;
    std::vector<TimelineLine> lines;  // in frame order; lines of one frame in file order
    size_t next = 0;                  // the first line not taken yet
    int lastFrame = 0;                // the highest frame number in the file
    int firstFrameLine = 0;           // the line number of the first frame line
    bool ended = false;               // an end line closes the demo
    bool cutOff = false;              // a demo's last line stopped half-way (ignored)
};

// False, with `error` naming the line number and what is wrong, on a bad line
// or one that asks for more than the limits above.
bool parseInputTimeline(const std::string& text, InputTimeline& timeline, std::string& error);
// The same, and the file must be a demo this game can play: its header
// complete and of a version it reads, and a frame time before frame 1 runs.
bool parseDemo(const std::string& text, InputTimeline& timeline, std::string& error);

// What a demo says about one frame besides its input.
struct TimelineFrame {
    bool hasTime = false;
    uint32_t milliseconds = 0;
    bool hasSounds = false;
    uint32_t sounds = 0;
    bool hasCheck = false;
    uint64_t check = 0;
};

// Applies every input change due at or before `frame` that is not applied
// yet, and returns the frame's other lines.
TimelineFrame takeTimelineFrame(InputTimeline& timeline, int frame, InputState& input);
// Input changes only, for a timeline that is replayed with a fixed frame time.
void applyInputChanges(InputTimeline& timeline, int frame, InputState& input);

// The writing side: each appends whole lines to `out`.
void appendDemoHeader(std::string& out, const DemoHeader& header);
// The changes from `before` to `now` of the pointer and the named keys.
void appendInputChanges(std::string& out, int frame, const InputState& before,
                        const InputState& now);
void appendFrameTime(std::string& out, int frame, uint32_t milliseconds);
void appendSounds(std::string& out, int frame, uint32_t sounds);
void appendCheck(std::string& out, int frame, uint64_t check);
void appendEnd(std::string& out, int frame);
