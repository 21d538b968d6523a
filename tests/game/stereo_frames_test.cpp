// The stereo golden run ("ram") drawn headless, every frame read back and
// hashed: the picture of each frame stays as it was drawn when the first pass
// was copied whole into a new texture every frame. A block of 100 frames
// shares one hash, so a change shows where it happened. The pixels are the
// software renderer's of Debian 12 (Mesa 22.3, llvmpipe); another renderer
// draws others, and the test then says so and stops.
#include "app/replay_session.h"

#include "game/input_timeline.h"
#include "platform/media_path.h"
#include "render/gl1/gl.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kFrames = 1200;
constexpr int kFramesPerHash = 100;
const char kRenderer[] = "llvmpipe";
const char kMesa[] = "Mesa 22.3.";

// FNV-1a, 64 bits, carried on from `hash`.
uint64_t fnv1a(uint64_t hash, const std::vector<uint8_t>& bytes) {
    for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ull;
    return hash;
}

// The run of the golden recording with the given texture quality: one hash per block of frames.
std::vector<uint64_t> hashRun(bool highQuality) {
    std::vector<uint64_t> hashes;
    InputTimeline timeline;
    std::string error;
    const std::string text =
        readFileText(std::string(VEXAR_SOURCE_DIR) + "/tests/game/golden/ram.timeline");
    EXPECT_TRUE(parseInputTimeline(text, timeline, error)) << error;
    setMediaFolder(std::string(VEXAR_BINARY_DIR) + "/media");
    ReplaySession session;
    SessionSettings settings;
    settings.pictures = true;
    settings.seed = 11;  // as ram.args
    settings.world.stereo = true;
    settings.world.highQualityTextures = highQuality;
    settings.world.width = kWidth;
    settings.world.height = kHeight;
    if (!startSession(session, settings)) {
        ADD_FAILURE() << "no OpenGL context";
        return hashes;
    }
    const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (renderer.rfind(kRenderer, 0) != 0 || version.find(kMesa) == std::string::npos) {
        endSession(session);
        setMediaFolder("");
        return hashes;
    }
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4);
    uint64_t hash = 0xCBF29CE484222325ull;
    for (int frame = 1; frame <= kFrames; ++frame) {
        applyInputChanges(timeline, frame, session.input);
        stepSession(session, true);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        hash = fnv1a(hash, pixels);
        if (frame % kFramesPerHash == 0) {
            hashes.push_back(hash);
            hash = 0xCBF29CE484222325ull;
        }
    }
    endSession(session);
    setMediaFolder("");
    return hashes;
}

std::string listed(const std::vector<uint64_t>& hashes) {
    std::string out;
    char text[32];
    for (uint64_t h : hashes) {
        std::snprintf(text, sizeof text, "0x%016" PRIX64 "ull,\n", h);
        out += text;
    }
    return out;
}

TEST(StereoFrames, TheRamRunDrawsTheSamePixelsWithEitherTextureQuality) {
    const std::vector<uint64_t> lowQuality = {
        0xB62FC6756BD5CBBDull, 0xA28694D0EB36BAB0ull, 0x00C21AE413047C8Eull, 0xE068C51DE58EA4C5ull,
        0xF89772F969E53E57ull, 0xD203FC5CC2790CD4ull, 0x5F0E6A5F9FB62644ull, 0xAAE388F8B4626F16ull,
        0xD8BD7D36E831190Cull, 0x540604F967AC0FE7ull, 0xB332575551DB816Full, 0xA66B247ACE8ABB0Bull,
    };
    const std::vector<uint64_t> highQuality = {
        0xF047C9C3D76FA002ull, 0x3D83469BF2926A6Eull, 0xD1FD4F8E553245D9ull, 0x4860A3DCCE020122ull,
        0xAAE2D33AB5BCB06Aull, 0x16CE548568A01531ull, 0x8676C0C9076E68E7ull, 0x78ECE0E1C93C08D4ull,
        0x18518878968FD729ull, 0x2CDC29717A40F562ull, 0xDBEA2349C7F096E5ull, 0x52EFD11FFFDAAF2Cull,
    };
    std::vector<uint64_t> low = hashRun(false);
    if (low.empty() && !::testing::Test::HasFailure())
        GTEST_SKIP() << "the hashes are of Mesa 22.3's llvmpipe, not of this renderer";
    EXPECT_EQ(low, lowQuality) << listed(low);
    std::vector<uint64_t> high = hashRun(true);
    EXPECT_EQ(high, highQuality) << listed(high);
}

}  // namespace
