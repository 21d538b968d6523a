#pragma once
#include "game/input_state.h"
#include "game/world.h"

// The game itself, once per accepted frame, with world.frameSeconds set.

// Input, firing and the player's motion; a droid close enough rams the player.
void updatePlayer(World& world, const InputState& input);
// Droids, radars, shots and hits; runs right after updatePlayer.
void updateWorld(World& world);

// Takes the next slot of the shot ring (a fifth shot replaces the oldest),
// starts it at the source's placement with a fixed step per frame, and plays
// its firing sound.
void launchShot(World& world, const SceneObject& source, Vec3 velocity, int32_t side);
// Moves the object along its old heading (unless stationary) while its
// heading turns towards `direction` by the frame time's weight.
void steerObject(SceneObject& object, Vec3 direction, bool stationary, float frameSeconds);
// The first live droid within ramming distance of the player, or -1.
int findDroidCollision(const World& world, const SceneObject& player);
// Tests the step the shot will take next against the target's mesh; a hit
// switches the shot off. A shot never hits its own side.
bool shotHitsObject(const SceneObject& target, ShotObject& shot);

// Sounds double as timers: one is started only while it is not playing
// already. A sound that failed to load counts as not playing. All three read
// and mark the world's view of the flags (World::soundsPlaying).
bool soundPlaying(const World& world, int32_t sound);
void startSound(World& world, int32_t sound, const Matrix4& source);
void playIfQuiet(World& world, int32_t sound, const Matrix4& source);
// Where the playing sounds' objects and the listener (the player) are now.
SoundPositions soundPositionsOf(const World& world);

// One whole frame of the world: the colour it is cleared with, the frame time,
// the sounds' playing flags as taken at its start, the player, the world, the
// camera following the player for the drawing and the next frame, and the
// explosion's drawing passes. All the drawing then needs is in the world.
void advanceWorld(World& world, const InputState& input, float frameSeconds,
                  uint32_t soundsPlaying);
