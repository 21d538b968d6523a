// `vexar-tool replay` as scripts meet it: its outputs, and its refusals.
#include "support/scratch_media.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>

namespace {

std::string replayInto(const ScratchMedia& media, const std::string& more) {
    return "replay --seed 3 --frames 40 --out " + media.path("out") + " --media " +
           std::string(VEXAR_BINARY_DIR) + "/media " + more;
}

TEST(ReplayTool, WritesAStateLineAFrameTheTimingsTheSoundAndTheScreenshots) {
    ScratchMedia media;
    media.write("input.txt", "# fire from the second frame on\n2 key space down\n  \n");
    const ToolRun run = runTool(media.folder, replayInto(media, "--input " + media.path("input.txt") +
                                                                    " --width 320 --height 200 --screenshot 1,40"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string state = readFileText(media.path("out/state.txt"));
    EXPECT_EQ(std::count(state.begin(), state.end(), '\n'), 1 + 41);  // header, frames 0 to 40
    EXPECT_EQ(state.substr(0, 27), "frame time kills playing px");
    EXPECT_NE(state.find("\n1 0.0299999993 0 1 "), std::string::npos);
    const std::string timings = readFileText(media.path("out/timings.csv"));
    EXPECT_EQ(timings.substr(0, 26), "frame,update_us,render_us\n");
    // 40 frames of 0.03 s: blocks of 1024 frames up to 1.2 s, from time 0.
    const auto audio = std::filesystem::file_size(media.path("out/audio.wav"));
    EXPECT_EQ(audio, 44u + 13u * 1024u * 4u);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, media.path("out/frame-000040.png").c_str()));
    EXPECT_EQ(image.width, 320u);
    EXPECT_EQ(image.height, 200u);
    png_image_free(&image);
    EXPECT_TRUE(std::filesystem::exists(media.path("out/frame-000001.png")));
}

// Pictures between frames, in the stereo mode with shots flying: each frame's
// last picture is the frame a plain replay draws, byte for byte, the others
// are pictures of their own, and the game's frames are the same.
TEST(ReplayTool, PicturesPerFrameEndInTheFramesOwnPicture) {
    ScratchMedia media;
    media.write("input.txt", "1 pointer 0.4 0.2\n2 key space down\n");
    const std::string common = "--input " + media.path("input.txt") + " --stereo 1 --screenshot 30,40";
    ASSERT_EQ(runTool(media.folder, replayInto(media, common)).status, 0);
    std::filesystem::rename(media.path("out"), media.path("plain"));
    const ToolRun run = runTool(media.folder, replayInto(media, common + " --pictures-per-frame 3"));
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* file : {"state.txt", "frame-000030.png", "frame-000040.png"})
        EXPECT_EQ(readFileText(media.path(std::string("out/") + file)),
                  readFileText(media.path(std::string("plain/") + file)))
            << file;
    const std::string frame = readFileText(media.path("out/frame-000040.png"));
    const std::string first = readFileText(media.path("out/frame-000040-1.png"));
    const std::string second = readFileText(media.path("out/frame-000040-2.png"));
    EXPECT_NE(first, frame);
    EXPECT_NE(second, frame);
    EXPECT_NE(first, second);
    EXPECT_FALSE(std::filesystem::exists(media.path("out/frame-000040-3.png")));
    EXPECT_FALSE(std::filesystem::exists(media.path("out/frame-000039-1.png")));
}

TEST(ReplayTool, ABadInputLineIsNamedByItsNumber) {
    ScratchMedia media;
    media.write("input.txt", "1 key up down\n\n3 key warp down\n");
    const ToolRun run = runTool(media.folder, replayInto(media, "--input " + media.path("input.txt")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line 3: unknown key \"warp\""), std::string::npos) << run.err;
    media.write("input.txt", "1 pointer 0 nan\n");
    EXPECT_EQ(runTool(media.folder, replayInto(media, "--input " + media.path("input.txt"))).status, 1);
}

std::string demoInto(const ScratchMedia& media, const std::string& demo) {
    return "replay --demo " + demo + " --out " + media.path("out") + " --media " +
           std::string(VEXAR_BINARY_DIR) + "/media";
}

TEST(ReplayTool, ADamagedDemoIsRefusedBeforeAnythingIsPlayed) {
    ScratchMedia media;
    media.write("bad.demo", "vexar-demo 1\nseed 4\n1 time 30\n2 key jump down\n3 end\n");
    const ToolRun run = runTool(media.folder, demoInto(media, media.path("bad.demo")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("bad.demo: line 4: unknown key \"jump\""), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(media.path("out")));
    // A demo decides its own seed, size and frames.
    EXPECT_EQ(runTool(media.folder, demoInto(media, media.path("bad.demo")) + " --seed 3").status, 2);
}

TEST(ReplayTool, ADemoCutOffPlaysUpToWhereItStopsAndSaysSo) {
    ScratchMedia media;
    media.write("cut.demo", "vexar-demo 1\nseed 4\nwidth 320\nheight 200\n1 time 30\n"
                            "2 key space down\n12 pointer 0.5 0\n15 check 00000");
    const ToolRun run = runTool(media.folder, demoInto(media, media.path("cut.demo")) + " --screenshot 12");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("the demo stops at frame 12 without its end line"), std::string::npos);
    const std::string state = readFileText(media.path("out/state.txt"));
    EXPECT_EQ(std::count(state.begin(), state.end(), '\n'), 1 + 13);  // header, frames 0 to 12
    EXPECT_TRUE(std::filesystem::exists(media.path("out/frame-000012.png")));
    EXPECT_NE(run.out.find("12 frames, final check "), std::string::npos) << run.out;
}

TEST(ReplayTool, BadOptionsGiveTheUsage) {
    ScratchMedia media;
    EXPECT_EQ(runTool(media.folder, "replay --frames 5 --out x").status, 2);  // no seed
    const ToolRun run = runTool(media.folder, replayInto(media, "--stereo 2"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: vexar-tool replay"), std::string::npos);
}

TEST(ReplayTool, RefusesWhatItCannotDoBeforeWritingAnything) {
    ScratchMedia media;
    struct Case {
        std::string options, line;
    } cases[] = {
        {"--media " + media.path("no/such/folder"), "the media folder " + media.path("no/such/folder") + " does not exist"},
        {"--frames 10 --screenshot 50", "--screenshot 50 is not a frame from 1 to 10"},
        {"--screenshot 0", "--screenshot 0 is not a frame from 1 to 40"},
    };
    for (const Case& c : cases) {
        // A later option of the same name wins.
        const ToolRun run = runTool(media.folder, replayInto(media, c.options));
        EXPECT_EQ(run.status, 1) << c.options;
        EXPECT_EQ(run.err, "vexar-tool replay: " + c.line + "\n");
        EXPECT_FALSE(std::filesystem::exists(media.path("out"))) << c.options;
    }
    // A demo's frames are its own.
    media.write("short.demo", "vexar-demo 1\nseed 4\nwidth 320\nheight 200\n1 time 30\n5 end\n");
    const ToolRun run = runTool(media.folder, demoInto(media, media.path("short.demo")) + " --screenshot 6");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vexar-tool replay: --screenshot 6 is not a frame from 1 to 5\n");
    EXPECT_FALSE(std::filesystem::exists(media.path("out")));
}

}  // namespace
