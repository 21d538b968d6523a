#pragma once
#include "math/matrix4.h"
#include "platform/gl.h"

// Loads the models and sounds and places the world; true when play can start.
bool setupWorld();

// The star field's display list and the stereo mode's render target; 0 while
// they do not exist. The program deletes them at its end.
extern GLuint starList;
extern GLuint screenTexture;

// The player object's placement, which the camera rides on.
const Matrix4& playerMatrix();
