#pragma once

// The attributes of every OpenGL context the game makes (the game window's,
// the headless one, the launcher's), in this one place: the profile the
// linked renderer draws with, double buffered. The depth buffer is each
// caller's own. Set just before the window is made.
void requestGlContext();
