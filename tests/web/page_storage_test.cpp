#include "page_messages.h"

#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

// In a browser, game.ini outlives the page: run_in_chromium.mjs runs the
// first case, reloads the page, then runs the second. Disabled under node,
// which has no IndexedDB (the cases above cover that).
namespace {

const char kVisitText[] = "[Settings]\nMusic=0\nVisit=first\n";

}  // namespace

TEST(PageStorage, DISABLED_KeepsTheSavedFileForTheNextVisit) {
    takePageMessages();
    const std::string folder = perUserFolder();
    EXPECT_EQ(takePageMessages(), "") << "the browser keeps the files";
    EXPECT_EQ(replaceFileContents(folder + "game.ini", kVisitText), "");
}

TEST(PageStorage, DISABLED_ReadsWhatTheLastVisitSaved) {
    const std::string folder = perUserFolder();
    std::ifstream in(folder + "game.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), kVisitText);
    EXPECT_TRUE(folderAcceptsGameFiles(folder));
}
