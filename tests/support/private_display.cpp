#include "support/private_display.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

PrivateDisplay::PrivateDisplay() {
    if (const char* display = std::getenv("DISPLAY")) {
        previous_ = display;
        hadPrevious_ = true;
    }
    int ready[2];
    if (pipe(ready) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(ready[0]);
        // Gone with the test, even one that never reaches its destructor.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        unsetenv("LD_PRELOAD");
        std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes its display number once it accepts clients.
    std::string number;
    char c;
    while (pid_ > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (number.empty()) {
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
}

PrivateDisplay::~PrivateDisplay() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (hadPrevious_)
        setenv("DISPLAY", previous_.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

std::string commandOutput(const std::string& command) {
    std::string output;
    std::string line = "env -u LD_PRELOAD ASAN_OPTIONS=detect_leaks=0 " + command;
    if (std::FILE* pipe = popen(line.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        if (pclose(pipe) != 0) output.clear();
    }
    return output;
}
