#include "platform/interrupt.h"

#include <SDL.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

const char* programName = "";
std::atomic<int> currentFrame{-1};  // -1: the tool runs no frames
static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");

// Only what is safe in a signal handler: no allocation, no stdio.
void append(char* line, size_t size, const char* text) {
    const size_t used = std::strlen(line);
    std::strncat(line, text, size - used - 1);
}

void appendNumber(char* line, size_t size, int number) {
    char digits[16];
    int at = int(sizeof digits) - 1;
    digits[at] = '\0';
    do {
        digits[--at] = char('0' + number % 10);
        number /= 10;
    } while (number > 0 && at > 0);
    append(line, size, digits + at);
}

extern "C" void stopOnSignal(int signal) {
    char line[256] = "";
    append(line, sizeof line, programName);
    append(line, sizeof line, signal == SIGINT ? ": stopped by SIGINT" : ": stopped by SIGTERM");
    const int frame = currentFrame.load();
    if (frame > 0) {
        append(line, sizeof line, " at frame ");
        appendNumber(line, sizeof line, frame);
        append(line, sizeof line, "; what it wrote holds the frames before it");
    } else if (frame == 0) {
        append(line, sizeof line, " before its first frame");
    }
    append(line, sizeof line, "\n");
    const ssize_t written = write(STDERR_FILENO, line, std::strlen(line));
    (void)written;  // nothing more can be done about a lost line
    _exit(128 + signal);
}

}  // namespace

void endOnInterrupt(const char* program) {
    programName = program;
    // SDL would make the signals a quit event, which no tool loop reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    std::signal(SIGINT, stopOnSignal);
    std::signal(SIGTERM, stopOnSignal);
}

void noteInterruptFrame(int frame) { currentFrame.store(frame, std::memory_order_relaxed); }
