#pragma once
#include <string>

// One reader check of `vexar-tool check`: loads the bare file name from the
// current media folder with the game's own reader, prints `key: value` lines
// on success and returns 0, or returns 1 after the reader's error text went
// to standard error.
struct CheckOptions {
    bool verbose = false;
};
using CheckFunction = int (*)(const std::string& fileName, const CheckOptions& options);

// Numbers are printed so that they read back to the same float.
std::string formatFloat(float value);
