#pragma once
#include "game/world.h"

// The world's drawing, which only reads the world: the frame's update has
// already left in it all a picture shows (the explosion as each pass leaves
// it, the background's colours).

// What the drawing makes of a set-up world, with the game's OpenGL context
// current: each model's texture and display list, the high-quality solar
// panel's mipmaps, the stereo mode's texture, the star field's list, the
// round points. Releasing deletes them all (the texture cache keeps its own).
void prepareSceneDrawing(const World& world);
void releaseSceneDrawing();

// The star field and every live object; the shots with lighting off.
void drawWorldObjects(const World& world);

// The whole drawing of an accepted frame, with the plain perspective the
// current matrix: cleared with the frame's colour, the view from the camera,
// one pass or two in the stereo mode with the first laid over the second, the
// score box, then the plain perspective restored for the next frame.
void drawFrame(const World& world);
