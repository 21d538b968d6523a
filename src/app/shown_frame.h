#pragma once
#include <cstdint>
#include <vector>

struct DrawnView;
struct TextOverlay;
struct World;

// The picture on the screen is the world's last accepted frame, with a demo's
// badge over it. The drawing only reads the world, so while paused that frame
// is drawn again, the same picture, when it is wanted (F12, full screen's
// word, a switch of the screen), instead of every frame being copied aside
// in case it is.

// The world whose frames the window shows, and a box drawn over each of them
// (the demo's badge; null for none).
void showFramesOf(const World& world, const TextOverlay* badge);
// With Smooth motion, what moves in the pictures is placed as this view has
// it (null: as the world has it).
void showViewOf(const DrawnView* view);
// The world's frame (as the view places it) with the badge over it: a new
// frame, or `again` the one begun last, begun as it was.
void drawShownFrame(const World& world, bool again);
// A frame has been drawn and shown.
void markFrameShown();
// The shown frame drawn again, as a screenshot's pixels; empty before the
// first frame.
std::vector<uint8_t> shownFramePicture(int width, int height);
// The shown frame drawn again and shown, with "PAUSED" in the middle when
// `label`; nothing before the first frame.
void showShownFrameAgain(bool label, int width, int height);
