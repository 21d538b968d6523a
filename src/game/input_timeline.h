#pragma once
#include "game/input_state.h"

#include <cstddef>
#include <string>
#include <vector>

// Recorded input for replaying a game: one change a line,
//     FRAME key NAME down|up      NAME: up down left right space ctrl insert delete
//     FRAME pointer X Y           X and Y from -1 to 1
// where a change with frame number F applies before frame F's update (frames
// count from 1). "#" starts a comment; blank lines are allowed.
struct InputChange {
    int frame = 0;
    bool isPointer = false;
    uint32_t key = 0;  // a virtual-key code
    bool down = false;
    float pointerX = 0.0f, pointerY = 0.0f;
};

struct InputTimeline {
    std::vector<InputChange> changes;  // in frame order; lines of one frame in file order
    size_t nextChange = 0;             // the first change not applied yet
};

// False, with `error` naming the line number and what is wrong, on a bad line.
bool parseInputTimeline(const std::string& text, InputTimeline& timeline, std::string& error);

// Applies every change due at or before `frame` that is not applied yet.
void applyInputChanges(InputTimeline& timeline, int frame, InputState& input);
