#pragma once
// The launcher's 640 x 480 picture: the title over a space scene, with the
// top row (the controls) and the lower right (Start) kept dark and calm.
#include "canvas.h"

Canvas paintSplash();
