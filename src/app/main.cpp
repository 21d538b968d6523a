// Vexar: the program's entry.
#include "app/program.h"

int main() {
    int status = runGame();
    finishProgram();
    return status;
}
