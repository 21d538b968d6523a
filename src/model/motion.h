#pragma once
#include "math/vec3.h"
#include "model/scene_object.h"

// Turns the object by its turn rates (whatever the scale) and moves it by
// velocity x scale, both in its own frame.
void stepObject(SceneObject& object, float scale);

// Tests the segment from -> to (world space) against the object's triangles
// in the model's frame. On a hit returns true and sets `fraction` (0..1 along
// the segment) for the first face hit in face order. Bounds are inclusive;
// a segment within 0.0001 of parallel to a face's plane misses that face.
// boundsMin and boundsMax must hold every vertex, as the model reader leaves them.
bool segmentHitsObject(const SceneObject& object, Vec3 from, Vec3 to, float& fraction);
