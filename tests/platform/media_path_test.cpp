#include "platform/media_path.h"

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
    EXPECT_EQ(buildMediaPath("game.ini"), "/tmp/mods/game.ini");
    setMediaFolder("");
    EXPECT_EQ(buildMediaPath("game.ini"), usual);
}

}  // namespace
