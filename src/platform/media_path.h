#pragma once
#include <string>

// Every media file lives in the folder "media" beside the executable, the
// program file itself (a link to it is followed): the one rule for the game
// and vexar-tool alike, installed or in the build folder. The game
// was made for a file system that ignores case, so when no file has the exact
// name, a file in the same folder whose name differs from it in case alone
// stands in for it (the first such name in byte order). Without either, the
// exact path is returned.
std::string buildMediaPath(const char* fileName);

// Tools point the readers at another folder (the folder of the file they
// check); an empty string returns to the folder beside the executable.
void setMediaFolder(const std::string& folder);
std::string mediaFolder();
