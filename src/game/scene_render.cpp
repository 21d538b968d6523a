#include "game/scene_render.h"

// Nothing to draw yet: the cleared frame is the whole picture.
void renderScene() {}
