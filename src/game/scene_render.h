#pragma once
#include "game/world.h"

// Draws one frame of the world after the update, the camera update and the
// view set-up: one pass, or two in the stereo mode with the first laid over
// the second, then the score box. The passes also advance the explosion (the
// particles move once per pass), and the stereo mode sets the frame time to 0
// for its second pass.
void renderScene(World& world);

// The star field and every live object; the shots with lighting off.
void drawWorldObjects(const World& world);

// What renderScene changes in the world, without drawing: for stepping the
// game where nothing is drawn.
void advanceScenePasses(World& world);

// The start of an accepted frame's drawing: colour and depth cleared, the
// plain perspective pushed (the projection is the current matrix mode).
void clearFrameAndSaveProjection();

// The whole drawing of an accepted frame: the view from the camera, the
// scene, then the plain perspective restored for the next frame's push.
void drawFrame(World& world);
