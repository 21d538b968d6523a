#pragma once
// The pictures the models name, painted by code. Each texture is an atlas:
// the models' UvRects below point into it.
#include "canvas.h"
#include "mesh.h"

Canvas paintDeathStar();   // 512 x 256, wraps around a sphere
Canvas paintDroid();       // 256 x 256
Canvas paintRadar();       // 256 x 256
Canvas paintStation();     // 512 x 512
Canvas paintSolarPanel();  // 256 x 256, a power of two for the mipmap chain
Canvas paintShot();        // 64 x 64 with its own alpha
Canvas paintBlueScreen();  // 128 x 128

// Atlas regions shared by the textures and the models.
namespace atlas {
constexpr UvRect kDroidHull{0, 0, 1, 0.5f};
constexpr UvRect kDroidEye{0, 0.5f, 0.5f, 1};
constexpr UvRect kDroidEngine{0.5f, 0.5f, 1, 1};
constexpr UvRect kRadarBody{0, 0, 0.5f, 0.5f};
constexpr UvRect kRadarDish{0.5f, 0, 1, 0.5f};
constexpr UvRect kRadarBarrel{0, 0.5f, 0.5f, 1};
constexpr UvRect kRadarLamp{0.5f, 0.5f, 1, 1};
constexpr UvRect kStationHull{0, 0, 1, 0.5f};
constexpr UvRect kStationRing{0, 0.5f, 1, 0.75f};
constexpr UvRect kStationMetal{0, 0.75f, 0.5f, 1};
constexpr UvRect kStationBeacon{0.5f, 0.75f, 1, 1};
constexpr UvRect kPanelCells{0, 0, 1, 0.75f};
constexpr UvRect kPanelTruss{0, 0.75f, 1, 1};
// A lathe that maps its profile onto this rect runs from the lamp's rim
// (start of the profile) to its bright centre (the apex).
constexpr UvRect lampRadius(UvRect r) {
    return {(r.u0 + r.u1) / 2, (r.v0 + r.v1) / 2, (r.u0 + r.u1) / 2, r.v0 + 0.02f};
}
}  // namespace atlas
