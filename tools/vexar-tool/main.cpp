// vexar-tool: the game's own readers and systems, run from the command line
// for modders, packagers and tests.
#include "autopilot.h"
#include "check.h"
#include "compare.h"
#include "soundfont_cut.h"
#include "obj2a3f.h"
#include "replay.h"

#include "platform/error_box.h"
#include "platform/file_system.h"
#include "platform/interrupt.h"
#include "platform/memory_use.h"
#include "render/renderer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: vexar-tool COMMAND [OPTION...]\n"
    "  check [--verbose] FILE...   load media files with the game's readers\n"
    "  compare A.png B.png         how far two pictures of one size differ\n"
    "  obj2a3f IN.obj OUT.a3f      convert a Wavefront OBJ mesh into a model file\n"
    "  soundfont SONG.mid OUT.sf2 [--font FILE]\n"
    "                              the SoundFont cut to what the song plays\n"
    "  replay --seed N --frames N --out DIR [OPTION...]\n"
    "                              run the game headless from recorded input\n"
    "  autopilot --plan attack|ram --seed N --frames N --out FILE [--media DIR]\n"
    "                              fly the game headless and record its input\n"
    "  --help                      this text; COMMAND --help tells a command's options\n"
    "  --version                   the version\n";

}  // namespace

int main(int argc, char** argv) {
    settleMemoryUse();  // the replay runs the game for as long as it is asked
    // File names in UTF-8 on every system.
    std::vector<std::string> arguments = programArguments(argc, argv);
    std::vector<char*> utf8Arguments;
    for (std::string& argument : arguments) utf8Arguments.push_back(argument.data());
    utf8Arguments.push_back(nullptr);
    argc = int(arguments.size());
    argv = utf8Arguments.data();
    // A tool never blocks on a message box; the game's error text goes to stderr.
    setErrorSink(errorSinkStderr);
    // Each line out as it is written, so that with 2>&1 an error line stands
    // under the lines of the file it is about.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::string command = argc < 2 ? "" : argv[1];
    static const std::string program = "vexar-tool" + (command.empty() ? "" : " " + command);
    endOnInterrupt(program.c_str());
    if (command == "check") return runCheck(argc, argv);
    if (command == "compare") return runCompare(argc, argv);
    if (command == "obj2a3f") return runObj2a3f(argc, argv);
    if (command == "soundfont") return runSoundFont(argc, argv);
    if (command == "replay") return runReplay(argc, argv);
    if (command == "autopilot") return runAutopilot(argc, argv);
    if (command == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("vexar-tool " VEXAR_VERSION " (%s)\n", rendererName());
        return 0;
    }
    if (!command.empty()) std::fprintf(stderr, "vexar-tool: unknown command %s\n", command.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}
