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
    EXPECT_EQ(run.out, "format-tag: 1\nsamples: 4\npeak: 3000\nresult: ok\n");
}

TEST(CheckAudioTest, BadSoundSaysWhyAndFails) {
    ScratchMedia media;
    media.write("bad.wav", "RIFF" + le32(4) + "AVI ");
    ToolRun run = checkFile(media, media.path("bad.wav"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "result: failed\n");
    // The game's own report, without the box's closing sentence.
    const std::string said = "Unable to load the sound file: ";
    EXPECT_EQ(run.err, said + media.path("bad.wav") + ": a RIFF file but not a WAVE sound\n");
    // A file cut short.
    const std::string whole = monoWav({1, 2, 3, 4});
    media.write("cut.wav", whole.substr(0, whole.size() - 2));
    run = checkFile(media, media.path("cut.wav"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, said + media.path("cut.wav") + ": the data chunk runs past the end of the file\n");
}

TEST(CheckAudioTest, SongReportsHeaderRateAndFirstAndLastEvents) {
    ScratchMedia media;
    std::string track1 = tempoEvent(0, 500000) + vlq(0) + "\x90\x3C\x64" + vlq(96) + "\x80\x3C\x40" + endOfTrack();
    std::string track2 = vlq(50) + std::string("\xC1\x05", 2) + endOfTrack();
    media.write("song.mid", midiFile(1, 2, 480, {track1, track2}));
    ToolRun run = checkFile(media, media.path("song.mid"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "format: 1\ntracks: 2\nticks-per-period: 9\nevents: 3\nnotes: 1\n"
              "first: 0 144 60 100\nlast: 96 128 60 64\nresult: ok\n");
}

TEST(CheckAudioTest, ASongThatWouldBeSilentFails) {
    ScratchMedia media;
    media.write("two.mid", midiFile(2, 1, 96, {endOfTrack()}));
    media.write("bare.mid", "MThd");
    // Only a note-on of velocity 0, which is a note-off.
    media.write("mute.mid", midiFile(0, 1, 96, {vlq(0) + "\x90\x3C" + std::string(1, '\0') + endOfTrack()}));
    struct Case {
        const char* file;
        const char* reason;
    } cases[] = {
        {"two.mid", "a song of format 2: only formats 0 and 1 play"},
        {"bare.mid", "the song has no tracks"},
        {"mute.mid", "the song has no notes"},
        {"gone.mid", "no such file"},
    };
    for (const Case& c : cases) {
        ToolRun run = checkFile(media, media.path(c.file));
        EXPECT_EQ(run.status, 1) << c.file;
        EXPECT_EQ(run.err, media.path(c.file) + ": " + c.reason + "\n");
        EXPECT_EQ(run.out.substr(run.out.size() - 15), "result: failed\n") << c.file;
    }
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
            expected += "result: failed\n";
            continue;
        }
        int peak = 100 + std::stoi(path.substr(path.rfind("/s") + 2));
        expected += "format-tag: 1\nsamples: 2\npeak: " + std::to_string(peak) + "\nresult: ok\n";
    }
    EXPECT_EQ(run.out, expected);
}

}  // namespace
