#include "model/scene_object.h"


void constructSceneObject(SceneObject& object) { object = SceneObject{}; }

void constructShotObject(ShotObject& shot) { shot = ShotObject{}; }

void shareModel(SceneObject& target, const SceneObject& prototype) {
    Vec3 velocity = target.velocity;
    Vec3 turnRates = target.turnRates;
    target = prototype;
    target.velocity = velocity;
    target.turnRates = turnRates;
    target.sharesModel = true;
}

void releaseModelArrays(SceneObject& object) {
    delete[] object.vertices;
    delete[] object.faces;
    object.vertices = nullptr;
    object.faces = nullptr;
}

void releaseShotArrays(ShotObject& shot) {
    delete[] shot.positions;
    delete[] shot.normals;
    delete[] shot.texCoords;
    shot.positions = nullptr;
    shot.normals = nullptr;
    shot.texCoords = nullptr;
}
