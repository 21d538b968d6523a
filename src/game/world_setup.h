#pragma once
#include "game/world.h"

// Builds the whole world once: loads every model and sound, places the
// objects (the bodies and stars at random), prepares the stereo mode, the
// explosion, the listener and the score box. A missing model or sound is
// reported and left out; the game goes on. Always true. Needs no OpenGL
// context: what the renderer makes of the world is its own
// (render/world_drawing.h).
bool setupWorld(World& world, const WorldSettings& settings);

// Releases what set-up loaded, in the reverse order of the objects, and
// leaves the world as a program starts with it: a page plays one game after
// another in the same world, and the next must not inherit the score, the
// clock or the camera of the last.
void releaseWorld(World& world);

// The steps of the set-up that place things, in the order it runs them.
void scaleStation(World& world);
void placeDeathStarsAndStars(World& world);
void placeEnemies(World& world);
void placeSolarPanels(World& world);

// The star field's points, taken from the random source in the set-up's order.
void placeStars(RandomSource& random, Star (&stars)[kStarCount]);
