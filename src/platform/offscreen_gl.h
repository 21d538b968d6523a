#pragma once

// A hidden window with a current OpenGL compatibility context, for tools and
// tests that run the game's GL code without showing anything.
struct OffscreenGl;

// Returns nullptr (and prints why on standard error) when no context can be made.
OffscreenGl* createOffscreenGl(int width, int height);
void destroyOffscreenGl(OffscreenGl* gl);
