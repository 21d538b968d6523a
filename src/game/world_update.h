#pragma once

// Input, firing and the player's motion; runs first in every accepted frame.
void updatePlayer();
// Droids, radars, shots and hits; runs right after updatePlayer.
void updateWorld();
