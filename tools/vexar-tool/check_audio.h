#pragma once
#include "check.h"

// `check` for .wav files: the game's sound reader; prints the slot or the
// negative code, the format tag, the loaded length and the peak.
int checkSound(const std::string& fileName, const CheckOptions& options);
// `check` for .mid files: the game's song reader; prints the header facts,
// the tick rate and the first and last event of the sorted table.
int checkSong(const std::string& fileName, const CheckOptions& options);
