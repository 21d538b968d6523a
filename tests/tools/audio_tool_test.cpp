// `vexar-tool check` on sounds and songs, run as the real program.
#include "support/audio_files.h"
#include "support/scratch_media.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One call of the tool on these files, as a player's shell would make it.
ToolRun checkFiles(const ScratchMedia& media, const std::vector<std::string>& paths) {
    std::string arguments = "check";
    for (const auto& path : paths) arguments += " '" + path + "'";
    return runTool(media.folder, arguments);
}

ToolRun checkFile(const ScratchMedia& media, const std::string& path) {
    return checkFiles(media, {path});
}

TEST(CheckAudioTest, SoundReportsSlotFormatSamplesAndPeak) {
    ScratchMedia media;
    media.write("blip.wav", monoWav({0, 120, -3000, 2999}));
    ToolRun run = checkFile(media, media.path("blip.wav"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "result: 0\nformat-tag: 1\nsamples: 4\npeak: 3000\n");
}

TEST(CheckAudioTest, BadSoundPrintsItsCodeAndFails) {
    ScratchMedia media;
    media.write("bad.wav", "RIFF" + le32(4) + "AVI ");
    ToolRun run = checkFile(media, media.path("bad.wav"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "result: -2\n");
}

TEST(CheckAudioTest, SongReportsHeaderRateAndFirstAndLastEvents) {
    ScratchMedia media;
    std::string track1 = tempoEvent(0, 500000) + vlq(0) + "\x90\x3C\x64" + vlq(96) + "\x80\x3C\x40" + endOfTrack();
    std::string track2 = vlq(50) + std::string("\xC1\x05", 2) + endOfTrack();
    media.write("song.mid", midiFile(1, 2, 480, {track1, track2}));
    ToolRun run = checkFile(media, media.path("song.mid"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "result: ok\nformat: 1\ntracks: 2\nticks-per-period: 9\nevents: 3\n"
              "first: 0 144 60 100\nlast: 96 128 60 64\n");
}

TEST(CheckAudioTest, SongWithFormatTwoFails) {
    ScratchMedia media;
    media.write("two.mid", midiFile(2, 1, 96, {endOfTrack()}));
    ToolRun run = checkFile(media, media.path("two.mid"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "result: failed\n");
}

// The game's table holds 16 sounds; one call checks any number, each on its own.
TEST(CheckAudioTest, ManySoundsInOneCallAreEachCheckedOnTheirOwn) {
    ScratchMedia media;
    std::vector<std::string> paths;
    for (int i = 0; i < 20; ++i) {
        std::string name = "s" + std::to_string(i) + ".wav";
        media.write(name, monoWav({0, int16_t(100 + i)}));
        paths.push_back(media.path(name));
    }
    media.write("bad.wav", "RIFF" + le32(4) + "AVI ");
    paths.insert(paths.begin() + 3, media.path("bad.wav"));
    ToolRun run = checkFiles(media, paths);
    EXPECT_EQ(run.status, 1);  // the one bad file
    std::string expected;
    for (const auto& path : paths) {
        expected += "file: " + path + "\n";
        if (path == media.path("bad.wav")) {
            expected += "result: -2\n";
            continue;
        }
        int peak = 100 + std::stoi(path.substr(path.rfind("/s") + 2));
        expected += "result: 0\nformat-tag: 1\nsamples: 2\npeak: " + std::to_string(peak) + "\n";
    }
    EXPECT_EQ(run.out, expected);
}

}  // namespace
