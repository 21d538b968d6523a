#pragma once

// A hidden window with a current OpenGL compatibility context, for tools and
// tests that run the game's GL code without showing anything.
struct OffscreenGl;

// Makes the contexts on SDL's offscreen driver, which needs no display, unless
// the environment's SDL_VIDEODRIVER names another driver.
void preferHeadlessVideo();

// Returns nullptr (and prints why on standard error) when no context can be made.
OffscreenGl* createOffscreenGl(int width, int height);
void destroyOffscreenGl(OffscreenGl* gl);
