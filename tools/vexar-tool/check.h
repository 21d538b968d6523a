#pragma once
#include <string>

// One reader check of `vexar-tool check`: loads the bare file name from the
// current media folder with the game's own reader, prints `key: value` lines
// and then "result: ok" and returns 0, or "result: failed" and returns 1
// after the reason (the game's error text or the tool's own) went to
// standard error.
struct CheckOptions {
    bool verbose = false;
};
using CheckFunction = int (*)(const std::string& fileName, const CheckOptions& options);

// `vexar-tool check [--verbose] FILE...`
int runCheck(int argc, char** argv);

// The last line of a check; returns the check's status.
int printResult(bool ok);
// A failure the game's readers do not report themselves: "<path>: <reason>"
// on standard error, then "result: failed"; returns 1.
int failCheck(const std::string& fileName, const char* reason);

// Numbers are printed so that they read back to the same float.
std::string formatFloat(float value);
