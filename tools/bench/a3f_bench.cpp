// Loading one generated mesh of 100,000 triangles: as a model file through
// the game's reader (parsing only; the model has no texture, so no OpenGL is
// involved) and as the same mesh in OBJ form through tinyobjloader.
//   cmake --build build --target a3f_bench && ./build/a3f_bench
#include "model/a3f_reader.h"
#include "platform/error_box.h"
#include "platform/media_path.h"

#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kColumns = 250, kRows = 200;  // 250 x 200 quads = 100,000 triangles

struct GridVertex {
    float x, y, z, nx, ny, nz, u, v;
};

// A rippled sheet with per-vertex normals and texture coordinates, numbers
// written with six decimals as exporters do.
GridVertex gridVertex(int column, int row) {
    float x = float(column) * 0.1f, z = float(row) * 0.1f;
    float y = 0.5f * std::sin(x * 1.3f) * std::cos(z * 0.7f);
    float nx = -0.65f * std::cos(x * 1.3f) * std::cos(z * 0.7f);
    float nz = 0.35f * std::sin(x * 1.3f) * std::sin(z * 0.7f);
    float length = std::sqrt(nx * nx + 1.0f + nz * nz);
    return {x, y, z, nx / length, 1.0f / length, nz / length, float(column) / kColumns,
            float(row) / kRows};
}

int vertexIndex(int column, int row) { return row * (kColumns + 1) + column; }

void writeMeshFiles(const std::string& folder) {
    std::FILE* a3f = std::fopen((folder + "/bench.a3f").c_str(), "w");
    std::FILE* obj = std::fopen((folder + "/bench.obj").c_str(), "w");
    std::fprintf(a3f, "A3F\nVERSION { 1.0 }\nVERTICES {\n  POSITION_NORMAL_TEXCOORDS %d\n",
                 (kColumns + 1) * (kRows + 1));
    for (int row = 0; row <= kRows; ++row) {
        for (int column = 0; column <= kColumns; ++column) {
            GridVertex g = gridVertex(column, row);
            std::fprintf(a3f, "  %f %f %f %f %f %f %f %f\n", g.x, g.y, g.z, g.nx, g.ny, g.nz, g.u, g.v);
            std::fprintf(obj, "v %f %f %f\nvt %f %f\nvn %f %f %f\n", g.x, g.y, g.z, g.u, 1.0f - g.v,
                         g.nx, g.ny, g.nz);
        }
    }
    std::fprintf(a3f, "}\nFACES {\n  %d\n", kColumns * kRows * 2);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            int a = vertexIndex(column, row), b = vertexIndex(column + 1, row);
            int c = vertexIndex(column + 1, row + 1), d = vertexIndex(column, row + 1);
            std::fprintf(a3f, "  %d %d %d 0\n  %d %d %d 0\n", a, c, b, a, d, c);
            std::fprintf(obj, "f %d/%d/%d %d/%d/%d %d/%d/%d\nf %d/%d/%d %d/%d/%d %d/%d/%d\n", a + 1,
                         a + 1, a + 1, c + 1, c + 1, c + 1, b + 1, b + 1, b + 1, a + 1, a + 1, a + 1,
                         d + 1, d + 1, d + 1, c + 1, c + 1, c + 1);
        }
    }
    std::fprintf(a3f, "}\nMATERIALS { 1 { NAME sheet DIFFUSE 1 1 1 1 SHININESS 8 } }\n");
    std::fclose(a3f);
    std::fclose(obj);
}

const std::string& meshFolder() {
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() / "vexar-a3f-bench").string();
        std::filesystem::create_directories(path);
        writeMeshFiles(path);
        return path;
    }();
    return folder;
}

void loadA3f(benchmark::State& state) {
    setErrorSink(errorSinkStderr);
    setMediaFolder(meshFolder());
    for (auto _ : state) {
        SceneObject object;
        constructSceneObject(object);
        if (!readA3fFile("bench.a3f", object) || object.faceCount != 100000)
            state.SkipWithError("the model did not load");
        benchmark::DoNotOptimize(object.vertices);
        releaseModelArrays(object);
    }
}

void loadObjWithTinyobjloader(benchmark::State& state) {
    std::string path = meshFolder() + "/bench.obj";
    for (auto _ : state) {
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warn, err;
        if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, path.c_str()) ||
            shapes.empty() || shapes[0].mesh.indices.size() != 300000)
            state.SkipWithError("the OBJ did not load");
        benchmark::DoNotOptimize(attrib.vertices.data());
    }
}

}  // namespace

BENCHMARK(loadA3f)->Unit(benchmark::kMillisecond);
BENCHMARK(loadObjWithTinyobjloader)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
