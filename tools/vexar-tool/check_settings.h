#pragma once
#include "check.h"

// `check` for game.ini: the game's settings reader; prints every key as the
// game takes it (a key the file lacks keeps its default). A resolution choice
// outside the launcher's list fails: the list would be empty.
int checkSettings(const std::string& fileName, const CheckOptions& options);
