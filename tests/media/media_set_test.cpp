// The media set as a whole: the generator gives the same bytes every time,
// and every file loads through the game's own readers (vexar-tool check)
// with sizes that fit the world.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "media_files.h"

namespace {

std::string makeTempFolder() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/vexar-media-XXXXXX";
    char* made = mkdtemp(pattern.data());
    return made ? made : "";
}

std::vector<float> numbers(const std::string& text) {
    std::vector<float> out;
    std::stringstream in(text);
    float v;
    while (in >> v) out.push_back(v);
    return out;
}

// One `key: value` of a checked file, or "" when the tool did not print it.
std::string valueOf(const std::map<std::string, std::string>& facts, const std::string& key) {
    auto found = facts.find(key);
    return found == facts.end() ? "" : found->second;
}

int numberOf(const std::map<std::string, std::string>& facts, const std::string& key) {
    return std::atoi(valueOf(facts, key).c_str());
}

struct CheckRun {
    int status = -1;
    std::map<std::string, std::map<std::string, std::string>> files;
};

const CheckRun& checkEverything() {
    static CheckRun run = [] {
        CheckRun r;
        std::string command = std::string(VEXAR_TOOL) + " check";
        for (const auto& name : mediaFileNames()) command += " '" + mediaPath(name) + "'";
        std::string output;
        r.status = runCommand(command, output);
        r.files = parseCheckOutput(output);
        return r;
    }();
    return run;
}

}  // namespace

TEST(MediaSet, TwoGeneratorRunsGiveTheSameBytes) {
    std::string first = makeTempFolder(), second = makeTempFolder();
    ASSERT_FALSE(first.empty() || second.empty());
    std::string output;
    ASSERT_EQ(runCommand(std::string(VEXAR_MEDIAGEN) + " " + first, output), 0);
    ASSERT_EQ(runCommand(std::string(VEXAR_MEDIAGEN) + " " + second, output), 0);
    for (const auto& name : mediaFileNames()) {
        Bytes a = readBytes(first + "/" + name), b = readBytes(second + "/" + name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_TRUE(a == b) << name << " differs between two runs";
        EXPECT_TRUE(a == readBytes(mediaPath(name))) << name << " differs from the built set";
    }
    size_t written = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(first)) ++written;
    EXPECT_EQ(written, mediaFileNames().size()) << "the build's list of outputs is complete";
    std::filesystem::remove_all(first);
    std::filesystem::remove_all(second);
}

TEST(MediaSet, EveryFileLoadsThroughTheGamesReaders) {
    const CheckRun& run = checkEverything();
    EXPECT_EQ(run.status, 0);
    int adpcm = 0;
    for (const auto& name : mediaFileNames()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(run.files.count(name));
        const auto& facts = run.files.at(name);
        EXPECT_EQ(valueOf(facts, "result"), "ok");
        if (endsWith(name, ".a3f")) {
            EXPECT_EQ(valueOf(facts, "texture-loaded"), "yes");
            EXPECT_EQ(valueOf(facts, "normals"), "yes");
        } else if (endsWith(name, ".wav")) {
            adpcm += valueOf(facts, "format-tag") == "2";
            EXPECT_LT(numberOf(facts, "peak"), 32767) << "no clipped samples";
        } else if (endsWith(name, ".mid")) {
            EXPECT_EQ(valueOf(facts, "ticks-per-period"), "10");
        } else {
            EXPECT_GT(numberOf(facts, "width"), 0);
        }
    }
    EXPECT_GE(adpcm, 1);
}

TEST(MediaSet, ModelSizesFitTheWorld) {
    const CheckRun& run = checkEverything();
    auto bounds = [&](const std::string& name) {
        auto b =
            run.files.count(name) ? numbers(valueOf(run.files.at(name), "bounds")) : std::vector<float>{};
        b.resize(6, 0.0f);
        return b;  // min x y z, max x y z
    };
    auto extent = [](const std::vector<float>& b, int axis) { return b[3 + axis] - b[axis]; };
    // A body of radius about 1: the world scales it 10 to 20, and at scale 1
    // it is the player's hit mesh.
    auto moon = bounds("deathStar.a3f");
    for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(extent(moon, axis), 2.0f, 0.2f);
    // The droid: 2 to 3 units long, nose along +z.
    auto droid = bounds("spaceShip1.a3f");
    EXPECT_GE(extent(droid, 2), 2.0f);
    EXPECT_LE(extent(droid, 2), 3.0f);
    EXPECT_GT(droid[5], 1.0f);
    // The radar fires along -z: its barrel reaches furthest that way.
    auto radar = bounds("spaceRadar.a3f");
    EXPECT_LT(radar[2], -1.5f);
    EXPECT_GT(-radar[2], radar[5] * 1.5f);
    // The station is a few units; the world makes it ten times larger.
    auto station = bounds("spaceStation1.a3f");
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_GE(extent(station, axis), 2.0f);
        EXPECT_LE(extent(station, axis), 8.0f);
    }
    // The panel array is tens of units across; four of them stand 75 units
    // from the origin.
    auto panel = bounds("solarPanel.a3f");
    float widest = std::max({extent(panel, 0), extent(panel, 1), extent(panel, 2)});
    EXPECT_GE(widest, 20.0f);
    EXPECT_LE(widest, 60.0f);
    auto shot = bounds("shot.a3f");
    for (int axis = 0; axis < 3; ++axis) EXPECT_LE(extent(shot, axis), 3.0f);
    EXPECT_EQ(bounds("blueScreen.a3f"), (std::vector<float>{-32, -24, 0, 32, 24, 0}));
}
