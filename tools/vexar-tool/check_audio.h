#pragma once
#include "check.h"

// `check` for .wav files: the game's sound reader; prints the format tag, the
// loaded length and the peak, or fails with the reason the reader gave.
int checkSound(const std::string& fileName, const CheckOptions& options);
// `check` for .mid files: the game's song reader; prints the header facts,
// the tick rate, the counts of events and notes and the first and last event
// of the sorted table. A song without tracks or notes fails: it would be silent.
int checkSong(const std::string& fileName, const CheckOptions& options);
