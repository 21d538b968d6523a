// Vexar in a web page: the program's entry. A page never ends, so after each
// game, each demo and each launcher closed the launcher comes back, with the
// state of a fresh start. The page's "Record" switch records every game;
// the demo is handed to the player when a game ends with the switch on. A
// demo given to the page plays next, as `vexar --play` plays it.
#include "app/demo_playback.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/program.h"
#include "game/input_timeline.h"
#include "platform/download.h"
#include "platform/memory_use.h"
#include "platform/page_notice.h"
#include "platform/page_requests.h"
#include "platform/window.h"

#include <cstdio>
#include <ctime>

namespace {

// Named after the local date and time, in the page's own file system (gone
// on the next visit; the download is what lasts).
std::string newDemoPath() {
    const std::time_t now = std::time(nullptr);
    char path[64];
    std::strftime(path, sizeof path, "/vexar-%Y-%m-%d-%H%M%S.demo", std::localtime(&now));
    return path;
}

// A demo that cannot be played is refused in words on the page, with the
// line that is wrong.
bool demoPlayable(const std::string& path) {
    InputTimeline timeline;
    const std::string problem = demoFileProblem(path, timeline);
    if (problem.empty()) return true;
    showPageError("This demo cannot be played", problem.c_str());
    return false;
}

void runOnce() {
    ProgramOptions options;
    options.play = takePageDemo();
    if (!options.play.empty() && !demoPlayable(options.play)) return;
    if (options.play.empty()) options.record = newDemoPath();
    const int status = runGame(options);
    finishProgram();
    // Only a game played to its end leaves a demo.
    if (!options.record.empty() && status == 0 && pageRecords())
        offerFileToPlayer(options.record);
    if (!options.record.empty()) std::remove(options.record.c_str());
    // The next game starts as a fresh program would: no key held, not paused.
    inputState = InputState{};
    frameClock = FrameClock{};
}

}  // namespace

int main() {
    settleMemoryUse();
    // Without WebGL nothing can be shown; the page has said so in words.
    if (!startWindowSystem()) return 1;
    for (;;) runOnce();
}
