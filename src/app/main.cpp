// Vexar: the program's entry.
#include "app/program.h"
#include "platform/memory_use.h"

int main() {
    settleMemoryUse();
    int status = runGame();
    finishProgram();
    return status;
}
