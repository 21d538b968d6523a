#pragma once
#include <cstdint>

struct FrameInput;
struct World;

// The pictures of the game in its window. Without Smooth motion, one per
// accepted frame, drawn right after its update, as the game always drew.
// With it, the frames only update the world, and pictures come at every
// display refresh (the swap waits for it where the driver can, else they are
// paced to the display mode's refresh rate, 60 a second when the system does
// not say), each placing what moves between the last two frames
// (game/drawn_view.h). The frames themselves, their times, input, sounds and
// demos, are the same either way. The world is the one app/shown_frame.h shows.

// Before the first frame, with the window open and the world prepared.
void startPictures(World& world, bool smooth);
// After the last: the shown frame is the world's own again.
void stopPictures();

// One accepted frame: the world's update; then, without Smooth motion, its
// picture drawn, the screenshot asked for taken from it, and shown; with
// it, kept as the frame the next pictures start from.
void runShownFrame(World& world, const FrameInput& frame);

// With Smooth motion and not paused: the picture due now, if one is, drawn,
// taken for the screenshot asked for, and shown.
void showPictureIfDue();

// How long until the next picture is to be drawn or shown; kWaitForever when
// none is, the latest frame's own picture being on the screen.
int millisecondsToNextPicture();

// How long the loop may sleep before its next pass: until the next frame is
// due (frame_clock.h's rule) or the next picture, whichever comes first.
int millisecondsToNextPass(bool polling);

// The fraction of the way from the frame before to the latest one that a
// picture drawn `sinceFrame` milliseconds after the latest frame shows, for
// frames `frameLength` apart: at most 1, and never less than `shownBefore`
// (the fraction a picture already showed since that frame: after a pause the
// picture stays until the time catches up, rather than going back).
float pictureFraction(uint32_t sinceFrame, uint32_t frameLength, float shownBefore);
