#pragma once

// What the ES 2 renderer's files share about the frame: its size and the
// plain perspective of it, column-major.
struct FrameState {
    int width = 640, height = 480;
    float perspective[16] = {};
};

FrameState& frameState();

// The text box's texture, deleted with the renderer.
void releaseTextBox();
