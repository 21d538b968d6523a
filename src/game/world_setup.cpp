#include "game/world_setup.h"

#include "app/settings.h"
#include "audio/music_player.h"

GLuint starList = 0;
GLuint screenTexture = 0;

// The song started before the settings were read; with music switched off it
// stops here. The rest of the world is not built yet: an empty space with the
// player at the origin.
bool setupWorld() {
    if (gameSettings.music == 0) closeMusic();
    return true;
}

const Matrix4& playerMatrix() {
    static const Matrix4 atOrigin;
    return atOrigin;
}
