#pragma once

// Draws the world, the particles and the score box (twice in stereo mode).
void renderScene();
