#include "models.h"

#include <cmath>

#include "textures.h"

namespace {

Profile circleProfile(float radius, int steps, float fromAngle, float toAngle, float centreR = 0,
                      float centreY = 0) {
    Profile p;
    for (int i = 0; i <= steps; ++i) {
        float a = fromAngle + (toAngle - fromAngle) * float(i) / float(steps);
        p.push_back({centreR + radius * std::cos(a), centreY + radius * std::sin(a)});
    }
    return p;
}

// A closed tube of the given radius, as a lathe profile: turns into a
// cylinder along y with flat caps.
Profile cylinderProfile(float radius, float bottom, float top) {
    return {{0, bottom},   {radius, bottom}, {radius, bottom},
            {radius, top}, {radius, top},    {0, top}};
}

// Rotations that turn the lathe axis (y) onto another axis.
const Placement kYToZ = rotationX(kPi / 2);
const Placement kYToMinusZ = rotationX(-kPi / 2);

Material litMaterial(const char* name, const char* texture, unsigned shininess) {
    Material m;
    m.name = name;
    m.textureFile = texture;
    m.specular = {0.6f, 0.6f, 0.6f, 1};
    m.shininess = shininess;
    return m;
}

}  // namespace

Model buildDeathStar() {
    Model m{"deathStar.a3f",
            "a battle moon of armour plates around a dish and a trench; normals of length 10 for "
            "its tenfold or larger scale",
            {},
            litMaterial("moonPlates", "deathStar.jpg", 24)};
    // A sphere with the equatorial trench cut in: the profile dips at the
    // equator with creases at its walls.
    const float wall = 0.035f, floorR = 0.95f * std::cos(wall);
    Profile p = circleProfile(1, 12, -kPi / 2, -wall);
    for (float y : {-std::sin(wall), std::sin(wall)}) {
        p.push_back(p.back());
        p.push_back({floorR, y});
    }
    p.push_back(p.back());
    Profile north = circleProfile(1, 12, wall, kPi / 2);
    p.push_back(north.front());
    p.insert(p.end(), north.begin(), north.end());
    addLathe(m.mesh, p, 48, {0, 0, 1, 1});
    // The world scales these bodies 10 to 20 per axis; at 10 the normals
    // come out at unit length, larger scales light them somewhat dimmer
    // but never push the specular highlight past its peak.
    scaleNormals(m.mesh, 10);
    return m;
}

Model buildDroid() {
    Model m{"spaceShip1.a3f",
            "a hunter droid: armoured pod, red eye, forward pincer wings",
            {},
            litMaterial("droidHull", "droid.bmp", 48)};
    Mesh& mesh = m.mesh;
    // The pod, from the engines (z -1) to the nose (z +1).
    Profile pod = {{0, -1.0f},    {0.30f, -1.0f}, {0.30f, -1.0f}, {0.42f, -0.7f}, {0.47f, -0.2f},
                   {0.44f, 0.3f}, {0.34f, 0.75f}, {0.22f, 1.0f},  {0.22f, 1.0f},  {0, 1.0f}};
    addLathe(mesh, pod, 24, atlas::kDroidHull, kYToZ);
    // The eye: a red lens bulging from the nose.
    addLathe(mesh, circleProfile(0.2f, 6, 0, kPi / 2), 16, atlas::lampRadius(atlas::kDroidEye),
             translation({0, 0, 0.98f}) * kYToZ * scaling({1, 0.8f, 1}));
    // Pincer wings swept forwards past the nose, tilted down a little.
    const std::vector<std::pair<float, float>> wing = {
        {0.3f, -0.6f}, {1.15f, -0.2f}, {1.25f, 0.6f}, {0.95f, 1.35f}, {0.3f, 0.5f}};
    for (float side : {1.0f, -1.0f}) {
        Placement place = scaling({side, 1, 1}) * rotationZ(-0.4f);
        addPrism(mesh, wing, 0.05f, atlas::kDroidHull, atlas::kDroidHull, place);
        // Twin engines with glowing nozzles at the back.
        Placement engine = translation({0.32f * side, -0.05f, -0.75f}) * kYToZ;
        addLathe(mesh, cylinderProfile(0.16f, -0.45f, 0.35f), 12, atlas::kDroidHull, engine);
        addQuad(mesh, {0.32f * side + 0.13f, -0.18f, -1.22f}, {-0.26f, 0, 0}, {0, 0.26f, 0},
                atlas::kDroidEngine, false);
    }
    // A dorsal fin.
    // Outline x runs along -z, outline z becomes the height.
    addPrism(mesh, {{-0.1f, 0}, {0.8f, 0}, {0.95f, 0.5f}, {0.6f, 0.5f}}, 0.03f, atlas::kDroidHull,
             atlas::kDroidHull,
             translation({0, 0.38f, 0}) * rotationY(kPi / 2) * rotationX(-kPi / 2));
    return m;
}

Model buildRadar() {
    Model m{"spaceRadar.a3f",
            "a radar turret: pedestal, dish and gun barrel facing -z",
            {},
            litMaterial("radarMetal", "radar.tga", 32)};
    Mesh& mesh = m.mesh;
    Profile pedestal = {{0, -1.3f},     {1.0f, -1.3f},  {1.0f, -1.3f},
                        {1.0f, -1.1f},  {1.0f, -1.1f},  {0.55f, -0.8f},
                        {0.32f, -0.2f}, {0.32f, -0.2f}, {0, -0.2f}};
    addLathe(mesh, pedestal, 24, atlas::kRadarBody);
    // The head, a flattened ball that carries dish and barrel.
    addLathe(mesh, circleProfile(0.5f, 10, -kPi / 2, kPi / 2), 20, atlas::kRadarBody,
             translation({0, 0.15f, 0}) * scaling({1, 0.8f, 1.1f}));
    // The dish opens towards -z: inner bowl from rim to centre, the back
    // from centre to rim a little behind it.
    Profile bowl, back;
    for (int i = 0; i <= 8; ++i) {
        float r = 1.1f * float(8 - i) / 8;
        bowl.push_back({r, 0.32f * r * r});
        float rb = 1.1f * float(i) / 8;
        back.push_back({rb, 0.32f * rb * rb - 0.05f});
    }
    Placement dishPlace = translation({0, 0.25f, -0.45f}) * kYToMinusZ;
    addLathe(mesh, bowl, 24, atlas::kRadarDish, dishPlace);
    addLathe(mesh, back, 24, atlas::kRadarBody, dishPlace);
    // The barrel through the dish's centre, with a lamp at the muzzle.
    addLathe(mesh, cylinderProfile(0.1f, 0, 2.1f), 12, atlas::kRadarBarrel,
             translation({0, 0.25f, -0.3f}) * kYToMinusZ);
    addLathe(mesh, circleProfile(0.14f, 6, -kPi / 2, kPi / 2), 12,
             atlas::lampRadius(atlas::kRadarLamp), translation({0, 0.25f, -2.4f}) * kYToMinusZ);
    return m;
}

Model buildStation() {
    Model m{"spaceStation1.a3f",
            "an orbital station: hub, docking spire, spokes and a ring lit from the hub; normals "
            "of length 10 for its tenfold scale",
            {},
            litMaterial("stationHull", "station.jpg", 40)};
    Mesh& mesh = m.mesh;
    Profile hub = {{0, -1.5f},    {0.3f, -1.5f}, {0.3f, -1.5f}, {0.6f, -1.1f}, {0.65f, -0.5f},
                   {0.65f, 0.5f}, {0.6f, 1.1f},  {0.3f, 1.5f},  {0.3f, 1.5f},  {0, 1.5f}};
    addLathe(mesh, hub, 32, atlas::kStationHull);
    // A wide habitat drum around the hub's waist.
    addLathe(
        mesh,
        {{0.6f, -0.35f}, {1.0f, -0.3f}, {1.0f, -0.3f}, {1.0f, 0.3f}, {1.0f, 0.3f}, {0.6f, 0.35f}},
        32, atlas::kStationHull);
    // Docking spire and antenna.
    addLathe(mesh, cylinderProfile(0.08f, 1.4f, 2.3f), 8, atlas::kStationMetal);
    addLathe(mesh, circleProfile(0.12f, 6, -kPi / 2, kPi / 2, 0, 2.35f), 10,
             atlas::lampRadius(atlas::kStationBeacon));
    addLathe(mesh, cylinderProfile(0.18f, -2.0f, -1.4f), 12, atlas::kStationMetal);
    // The ring: a torus of radius 2.4, and four spokes to it.
    const float ringRadius = 2.4f;
    UvRect ringUv = atlas::kStationRing;
    ringUv.u1 = 4;  // the ring strip repeats four times around
    addLathe(mesh, circleProfile(0.3f, 16, -kPi, kPi, ringRadius, 0), 64, ringUv);
    for (int k = 0; k < 4; ++k)
        addLathe(mesh, cylinderProfile(0.07f, 0.9f, ringRadius - 0.2f), 8, atlas::kStationMetal,
                 rotationY(kPi / 2 * float(k) + kPi / 4) * kYToZ);
    // Beacons on the ring's rim.
    for (int k = 0; k < 4; ++k)
        addLathe(mesh, circleProfile(0.08f, 4, -kPi / 2, kPi / 2), 8,
                 atlas::lampRadius(atlas::kStationBeacon),
                 rotationY(kPi / 2 * float(k)) * translation({0, 0.3f, ringRadius}));
    scaleNormals(mesh, 10);  // the world always scales the station by 10
    return m;
}

Model buildSolarPanel() {
    Model m{"solarPanel.a3f",
            "a two-winged solar array on a truss boom, cells facing +-x",
            {},
            litMaterial("solarCells", "solarPanel.tga", 64)};
    Mesh& mesh = m.mesh;
    // The boom along z and a small equipment block in the middle.
    addBox(mesh, {0.35f, 0.35f, 22.5f}, atlas::kPanelTruss);
    addBox(mesh, {1.0f, 1.2f, 1.6f}, atlas::kPanelTruss);
    // Two wings of ten panels on each side of the boom, the block between.
    for (float side : {1.0f, -1.0f})
        for (int k = 0; k < 11; ++k) {
            if (k == 5) continue;
            float z = -22.0f + 4.0f * float(k) + 2.0f;
            addBox(mesh, {0.08f, 2.95f, 1.85f}, atlas::kPanelCells,
                   translation({0, side * 3.3f, z}));
        }
    return m;
}

Model buildShot() {
    Model m{"shot.a3f",
            "a plasma bolt: a glowing spindle along z inside a round glow",
            {},
            litMaterial("plasma", "shot.tga", 1)};
    m.material.alphaRule = "BLUE";  // the picture's own alpha
    Mesh& mesh = m.mesh;
    // The glow facing -z is the side seen from behind a player's shot and
    // from ahead of a radar's; the game wobbles the texture coordinates of
    // the first two vertices (u of vertex 0, v of vertex 1), so its
    // vertices come first.
    addQuad(mesh, {0.35f, -0.35f, 0}, {-0.7f, 0, 0}, {0, 0.7f, 0}, {0, 0, 1, 1}, false);
    addQuad(mesh, {-0.35f, -0.35f, 0}, {0.7f, 0, 0}, {0, 0.7f, 0}, {0, 0, 1, 1}, false);
    auto glowFaces = mesh.faces;
    mesh.faces.clear();
    // A convex spindle along z, white-hot at its waist and fading to the
    // tips. Convex, so with back faces culled it never overlaps itself; its
    // faces are listed before the glow's, so the glow's clear rim (which
    // still writes depth) is drawn last and cuts nothing off.
    addLathe(mesh, {{0, -1.4f}, {0.13f, 0}}, 8, {0.5f, 0.5f, 0.5f, 0.95f}, kYToZ);
    addLathe(mesh, {{0.13f, 0}, {0, 0.45f}}, 8, {0.5f, 0.08f, 0.5f, 0.5f}, kYToZ);
    mesh.faces.insert(mesh.faces.end(), glowFaces.begin(), glowFaces.end());
    return m;
}

Model buildBlueScreen() {
    Model m{"blueScreen.a3f",
            "the stereo overlay: fills the orthographic box, half transparent",
            {},
            {}};
    m.material.name = "overlay";
    m.material.diffuse = {1, 1, 1, 0.5f};
    m.material.textureFile = "blueScreen.bmp";
    m.material.alphaRule = "0.5";
    // Texture v 0 at the bottom: the copied frame's first row is its bottom row.
    addQuad(m.mesh, {-32, -24, 0}, {64, 0, 0}, {0, 48, 0}, {0, 0, 1, 1}, false);
    return m;
}

std::vector<Model> buildAllModels() {
    return {buildDeathStar(),  buildDroid(), buildRadar(),     buildStation(),
            buildSolarPanel(), buildShot(),  buildBlueScreen()};
}
