#pragma once
#include <string>

// Where a file the game writes back (game.ini) lives: in the media folder
// normally, or, when the media folder cannot be written (a system-wide
// install), in the player's own data folder.
std::string userFilePathForReading(const char* name);
// Creates the media folder when it is missing and could be made.
std::string userFilePathForWriting(const char* name);
