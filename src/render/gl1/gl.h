#pragma once
// OpenGL 1.1 with the extension constants the game uses (GL_BGRA_EXT).
// The OpenGL 1.1 renderer's files (and the tests that read its pictures back)
// include this instead of any windowing system's GL header.
#include <GL/gl.h>
#include <GL/glext.h>
