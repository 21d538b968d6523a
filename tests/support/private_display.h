#pragma once
#include <string>

// An Xvfb of the test's own, for tests that move the real pointer or type real
// keys: on a display shared with other tests, one test's pointer grab would
// take the other's clicks. DISPLAY names it while it lives.
class PrivateDisplay {
public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool started() const { return pid_ > 0; }

private:
    int pid_ = -1;
    std::string previous_;
    bool hadPrevious_ = false;
};

// Runs a helper's command line (xdotool and the like), returns its standard
// output ("" when it fails). Under the address sanitizer the helpers run
// without the test's own preloaded runtime and leak check.
std::string commandOutput(const std::string& command);
