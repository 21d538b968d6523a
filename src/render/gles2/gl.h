#pragma once
// OpenGL ES 2.0, which WebGL 1 also offers: the ES 2 renderer's files (and
// the tests that read its pictures back) include this and nothing newer.
#include <GLES2/gl2.h>
