#include "game/drawn_view.h"

#include "math/placement_blend.h"

#include <cstring>

namespace {

// More than anything flies in a second: the player's shots, the fastest, make 50.
constexpr float kFastestFlight = 60.0f;

const SceneObject& placedObject(const World& world, int i) {
    if (i == 0) return world.station;
    if (--i < kDeathStarCount) return world.deathStars[i];
    if ((i -= kDeathStarCount) < kSolarPanelCount) return world.solarPanels[i];
    return world.enemies[i - kSolarPanelCount];
}

SceneObject& placedObject(DrawnView& view, int i) {
    if (i == 0) return view.station;
    if (--i < kDeathStarCount) return view.deathStars[i];
    if ((i -= kDeathStarCount) < kSolarPanelCount) return view.solarPanels[i];
    return view.enemies[i - kSolarPanelCount];
}

bool movedTooFar(const Matrix4& before, const Matrix4& latest, float frameSeconds) {
    const Vec3 d = matrixPosition(latest) - matrixPosition(before);
    const float reach = kFastestFlight * frameSeconds;
    return dot(d, d) > reach * reach;
}

bool same(Vec3 a, Vec3 b) { return std::memcmp(&a, &b, sizeof a) == 0; }

size_t texCoordCount(const ShotObject& shot) {
    return shot.texCoords ? size_t(shot.object.vertexCount) * 2 : 0;
}

void placeShot(const DrawnShot& before, const ShotObject& latest, float f, ShotObject& out,
               std::vector<float>& texCoords) {
    out = latest;
    const size_t count = texCoordCount(latest);
    texCoords.resize(count);
    const bool flew = shotFlewOn(before, latest) && before.texCoords.size() == count;
    for (size_t k = 0; k < count; ++k)
        texCoords[k] = flew ? blendFloat(before.texCoords[k], latest.texCoords[k], f) : latest.texCoords[k];
    if (count > 0) out.texCoords = texCoords.data();
    if (flew) blendPlacement(before.matrix, latest.object.matrix, f, out.object.matrix);
}

}  // namespace

void keepDrawnState(const World& world, DrawnState& state) {
    state.kept = true;
    state.player = world.player.matrix;
    for (int i = 0; i < kPlacedObjectCount; ++i) {
        state.objects[i] = placedObject(world, i).matrix;
        state.sides[i] = placedObject(world, i).side;
    }
    for (int i = 0; i < kShotCount; ++i) {
        const ShotObject& shot = world.shots[i];
        DrawnShot& kept = state.shots[i];
        kept.matrix = shot.object.matrix;
        kept.trackPosition = shot.object.trackPosition;
        kept.velocity = shot.object.velocity;
        kept.side = shot.object.side;
        kept.texCoords.assign(shot.texCoords, shot.texCoords + texCoordCount(shot));
    }
    std::memcpy(state.explosionPasses, world.explosionPasses, sizeof state.explosionPasses);
}

bool shotFlewOn(const DrawnShot& before, const ShotObject& latest) {
    const SceneObject& o = latest.object;
    return before.side != kSideNone && o.side != kSideNone && same(before.velocity, o.velocity) &&
           same(before.trackPosition + o.velocity, o.trackPosition);
}

bool objectJumped(const Matrix4& before, int32_t sideBefore, const SceneObject& latest,
                  float frameSeconds) {
    return sideBefore == kSideNone || latest.side == kSideNone ||
           movedTooFar(before, latest.matrix, frameSeconds);
}

void blendParticles(const ExplosionPass& before, const ExplosionPass& latest, float f,
                    ExplosionPass& out) {
    out = latest;
    for (int i = 0; i < latest.count; ++i) {
        for (int j = 0; j < before.count; ++j) {
            if (before.slots[j] != latest.slots[i] || !(before.ages[j] < latest.ages[i])) continue;
            out.positions[i] = blendVec3(before.positions[j], latest.positions[i], f);
            for (int c = 0; c < 4; ++c)
                out.colours[i][c] = blendFloat(before.colours[j][c], latest.colours[i][c], f);
            break;
        }
    }
}

void placeBetween(const DrawnState& before, const World& latest, float f, DrawnView& view) {
    if (!before.kept) f = 1.0f;
    Matrix4 player;
    blendPlacement(before.player, latest.player.matrix, f, player);
    if (f >= 1.0f || movedTooFar(before.player, latest.player.matrix, latest.frameSeconds))
        view.camera = latest.camera;
    else
        updateCamera(view.camera, player);
    for (int i = 0; i < kPlacedObjectCount; ++i) {
        const SceneObject& o = placedObject(latest, i);
        SceneObject& placed = placedObject(view, i);
        placed = o;
        if (!objectJumped(before.objects[i], before.sides[i], o, latest.frameSeconds))
            blendPlacement(before.objects[i], o.matrix, f, placed.matrix);
    }
    for (int i = 0; i < kShotCount; ++i)
        placeShot(before.shots[i], latest.shots[i], f, view.shots[i], view.shotTexCoords[i]);
    for (int k = 0; k < 2; ++k)
        blendParticles(before.explosionPasses[k], latest.explosionPasses[k], f,
                       view.explosionPasses[k]);
}
