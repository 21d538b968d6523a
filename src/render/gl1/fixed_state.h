#pragma once

// The OpenGL state the game draws with, set once the context exists: clear
// colour, viewport, the plain perspective (left as the current matrix mode),
// the fixed switches, the light and the material.
void setFixedState(const float clearColour[4], int width, int height);

// Multiplies the perspective onto the current matrix; aspect = width / height.
void setPerspective(float aspect);
