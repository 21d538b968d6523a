#include "page_messages.h"

#include "platform/error_box.h"
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

// Under node there is no IndexedDB: the player is told in words that the
// choices last for this visit only, and saving still works for the visit,
// with no failure reported on every save.
TEST(WebPlayerFolder, WithoutStorageTheChoicesLastForThisVisitOnly) {
    takePageMessages();
    const std::string folder = perUserFolder();
    EXPECT_EQ(folder, "/vexar-player/");
    const std::string told = takePageMessages();
    EXPECT_NE(told.find("the choices last for this visit only"), std::string::npos) << told;
    EXPECT_NE(told.find("IndexedDB"), std::string::npos) << told;
    EXPECT_EQ(perUserFolder(), folder);
    EXPECT_EQ(takePageMessages(), "") << "told once";

    const std::string path = folder + "game.ini";
    EXPECT_EQ(replaceFileContents(path, "[Settings]\nMusic=0\n"), "");
    EXPECT_EQ(replaceFileContents(path, "[Settings]\nMusic=1\n"), "");
    struct stat info{};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 19);
}

// game.ini never goes into the packed media, which the next visit loads anew.
TEST(WebPlayerFolder, OnlyThePlayersFolderTakesTheGamesFiles) {
    EXPECT_TRUE(folderAcceptsGameFiles("/vexar-player/"));
    mkdir("/media", 0755);
    EXPECT_FALSE(folderAcceptsGameFiles("/media"));
}

// The error box is a message in the page with the caption and the box's words.
TEST(WebErrorBox, IsAMessageInThePage) {
    takePageMessages();
    setErrorSink(nullptr);
    reportError("Cannot load", "wing.a3f.", "media/wing.a3f");
    EXPECT_EQ(takePageMessages(), "ERROR|Cannot load wing.a3f. The application will continue.");
}
