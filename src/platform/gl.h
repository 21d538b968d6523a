#pragma once
// OpenGL 1.1 with the extension constants the game uses (GL_BGRA_EXT).
// Game code includes this instead of any windowing system's GL header.
#include <GL/gl.h>
#include <GL/glext.h>
