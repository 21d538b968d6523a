#include "game/world_update.h"

// Nothing moves yet: the world has no objects.
void updatePlayer() {}
void updateWorld() {}
