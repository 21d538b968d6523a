#include "platform/media_path.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(MediaPath, TheFolderMediaBesideTheExecutable) {
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(buildMediaPath("x.wav"), (self.parent_path() / "media" / "x.wav").string());
    EXPECT_EQ(mediaFolder(), (self.parent_path() / "media").string());
}

TEST(MediaPath, ToolsCanPointTheReadersElsewhere) {
    std::string usual = buildMediaPath("game.ini");
    setMediaFolder("/tmp/mods");
    EXPECT_EQ(buildMediaPath("game.ini"), (std::filesystem::path("/tmp/mods") / "game.ini").string());
    setMediaFolder("");
    EXPECT_EQ(buildMediaPath("game.ini"), usual);
}

TEST(MediaPath, ANameDifferingInCaseAloneStandsInForAMissingFile) {
    ScratchMedia media;
    media.write("hull.tga", "h");
    EXPECT_EQ(buildMediaPath("Hull.TGA"), media.path("hull.tga"));
    EXPECT_EQ(buildMediaPath("hull.tga"), media.path("hull.tga"));
    // The exact name wins; among several others the first in byte order.
    media.write("Hull.TGA", "H");
    media.write("HULL.tga", "H");
    EXPECT_EQ(buildMediaPath("Hull.TGA"), media.path("Hull.TGA"));
    EXPECT_EQ(buildMediaPath("hUll.tga"), media.path("HULL.tga"));
    // Only the name's own folder is searched, and only case may differ.
    std::filesystem::create_directory(media.path("sub"));
    media.write("sub/Deep.wav", "d");
    EXPECT_EQ(buildMediaPath("sub/deep.wav"), media.path("sub/Deep.wav"));
    EXPECT_EQ(buildMediaPath("SUB/deep.wav"), media.path("SUB/deep.wav"));
    EXPECT_EQ(buildMediaPath("hull.tg"), media.path("hull.tg"));
    EXPECT_EQ(buildMediaPath("missing.wav"), media.path("missing.wav"));
}

}  // namespace
