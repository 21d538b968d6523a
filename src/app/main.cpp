// Vexar: the program's entry.
#include "app/startup.h"

int main() {
    int status = runGame();
    finishProgram();
    return status;
}
