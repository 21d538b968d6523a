#include "replay_outputs.h"

#include "platform/png_file.h"
#include "render/renderer.h"

#include <vector>

namespace {

void writeFloat(std::FILE* file, float value) { std::fprintf(file, " %.9g", double(value)); }

void writeVec(std::FILE* file, Vec3 v) {
    writeFloat(file, v.x);
    writeFloat(file, v.y);
    writeFloat(file, v.z);
}

void writeSideAndPosition(std::FILE* file, const SceneObject& o) {
    std::fprintf(file, " %d", int(o.side));
    writeVec(file, matrixPosition(o.matrix));
}

}  // namespace

void writeStateHeader(std::FILE* file) {
    std::fprintf(file, "frame time kills playing px py pz fx fy fz throttle");
    for (int k = 0; k < kEnemyCount; ++k) std::fprintf(file, " e%d e%dx e%dy e%dz", k, k, k, k);
    for (int k = 0; k < kShotCount; ++k) std::fprintf(file, " s%d s%dx s%dy s%dz", k, k, k, k);
    std::fprintf(file, " explosion\n");
}

void writeStateLine(std::FILE* file, int frame, const World& world) {
    std::fprintf(file, "%d", frame);
    writeFloat(file, world.gameSeconds);
    std::fprintf(file, " %d %d", int(world.state.kills), int(world.state.playing));
    writeVec(file, matrixPosition(world.player.matrix));
    writeVec(file, matrixAxisZ(world.player.matrix));
    writeFloat(file, world.player.velocity.z);
    for (const SceneObject& enemy : world.enemies) writeSideAndPosition(file, enemy);
    for (const ShotObject& shot : world.shots) writeSideAndPosition(file, shot.object);
    writeFloat(file, world.explosion.elapsed);
    std::fprintf(file, "\n");
}

std::string screenshotPath(const std::string& folder, int frame, int picture) {
    char name[40];
    if (picture > 0)
        std::snprintf(name, sizeof name, "/frame-%06d-%d.png", frame, picture);
    else
        std::snprintf(name, sizeof name, "/frame-%06d.png", frame);
    return folder + name;
}

bool writeScreenshot(const std::string& folder, int frame, int width, int height, int picture) {
    const std::vector<uint8_t> upright = readFrame(width, height);
    return writePngFile(screenshotPath(folder, frame, picture), upright.data(), width, height);
}
