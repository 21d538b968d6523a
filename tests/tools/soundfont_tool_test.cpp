// `vexar-tool soundfont`, run as the real program on the game's song: the font
// the web page downloads.
#include "support/scratch_media.h"
#include "support/tool_run.h"

#include "platform/soundfont.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSong = std::string(VEXAR_BINARY_DIR) + "/media/vexar.mid";

TEST(SoundFontToolTest, CutsTheFontItFindsToTheSongAndCutsItsOwnCutToTheSameBytes) {
    const std::string font = findSoundFont();
    if (font.empty()) GTEST_SKIP() << "no General MIDI SoundFont installed (make deps installs one)";
    ScratchMedia scratch;
    ToolRun run = runTool(scratch.folder, "soundfont '" + kSong + "' '" + scratch.path("a.sf2") + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(" presets of the song from " + font), std::string::npos) << run.out;
    const std::string cut = readFileText(scratch.path("a.sf2"));
    ASSERT_GT(cut.size(), 12u);
    EXPECT_EQ(cut.substr(0, 4), "RIFF");
    EXPECT_EQ(cut.substr(8, 4), "sfbk");
    EXPECT_LT(cut.size(), readFileText(font).size());

    run = runTool(scratch.folder, "soundfont '" + kSong + "' '" + scratch.path("b.sf2") + "' --font '" +
                                      scratch.path("a.sf2") + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(readFileText(scratch.path("b.sf2")) == cut);
}

TEST(SoundFontToolTest, RefusesWhatItCannotCutAndSaysWhy) {
    ScratchMedia scratch;
    scratch.write("not.mid", "MThd but not a song");
    scratch.write("not.sf2", "RIFF\x04\0\0\0sfbk");
    ToolRun run = runTool(scratch.folder, "soundfont '" + scratch.path("not.mid") + "' out.sf2");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "soundfont: " + scratch.path("not.mid") + ": not a song the game plays\n");
    run = runTool(scratch.folder, "soundfont '" + kSong + "' out.sf2 --font '" + scratch.path("not.sf2") + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "soundfont: " + scratch.path("not.sf2") + ": not a SoundFont that can be cut\n");
    EXPECT_EQ(runTool(scratch.folder, "soundfont '" + kSong + "'").status, 2);
}

}  // namespace
