#pragma once
#include <cstdint>
#include <vector>

// The last frame shown, kept (on the GPU) as it is swapped: what F12 saves
// while paused, and what a paused game shows again when its screen was lost
// or must say it is paused.

// The frame just drawn, before its swap.
void keepShownFrame(int width, int height);
// The kept frame as a screenshot's pixels; empty before the first frame.
std::vector<uint8_t> shownFramePicture();
// Draws the kept frame once more, with "PAUSED" in the middle when `label`,
// and shows it; it is not kept itself. Nothing before the first frame.
void showKeptFrameAgain(bool label);
