#pragma once
#include <string>

// A file the game has just written for the player to keep (a screenshot, a
// recorded demo) goes to the player: on the desktop it is in its folder
// already (download_desktop.cpp); a page offers it as a download under its
// own name, since the page's files are gone on the next visit
// (download_web.cpp).
void offerFileToPlayer(const std::string& path);
