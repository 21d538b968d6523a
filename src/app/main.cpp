// Vexar: the program's entry.
#include "app/program.h"
#include "platform/memory_use.h"
#include "render/renderer.h"

#include <cstdio>

int main(int argc, char** argv) {
    ProgramOptions options;
    if (!parseProgramOptions(argc, argv, options)) return 1;
    if (options.version) {
        std::printf("vexar " VEXAR_VERSION " (%s)\n", rendererName());
        return 0;
    }
    settleMemoryUse();
    int status = runGame(options);
    finishProgram();
    return status;
}
