#include "game/world_setup.h"

GLuint starList = 0;
GLuint screenTexture = 0;

// The world is not built yet: an empty space with the player at the origin.
bool setupWorld() { return true; }

const Matrix4& playerMatrix() {
    static const Matrix4 atOrigin;
    return atOrigin;
}
