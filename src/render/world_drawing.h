#pragma once
#include "game/drawn_view.h"
#include "game/world.h"

// The world's drawing through the linked renderer. It only reads the world:
// the frame's update has already left in it all a picture shows (the
// explosion as each pass leaves it, the background's colours).

// What the renderer makes of a set-up world, once: each model's texture and
// geometry, the solar panel's mipmaps in the high texture quality, the
// stereo overlay, the particles' points, the star field.
void prepareWorldDrawing(const World& world);

// One accepted frame, with the renderer set up: cleared with the frame's
// colour; one pass from the camera, or in the stereo mode a first pass lit
// blue kept for the overlay and a second from the other eye lit red, on the
// background as the fade left it after the update, with the first laid over
// it; then the score box. `again`: the same world drawn once more (nothing
// was accepted since), the same picture as when it was drawn first.
void drawWorldFrame(const World& world, bool again = false);
// The same, with what moves placed as `view` has it (a picture between two
// frames); the rest (the background, the lights, the score box) as the world
// has it.
void drawWorldFrame(const World& world, const DrawnView& view, bool again);
