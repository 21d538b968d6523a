// Vexar: the program's entry.
#include "app/program.h"
#include "platform/memory_use.h"

int main(int argc, char** argv) {
    ProgramOptions options;
    if (!parseProgramOptions(argc, argv, options)) return 1;
    settleMemoryUse();
    int status = runGame(options);
    finishProgram();
    return status;
}
