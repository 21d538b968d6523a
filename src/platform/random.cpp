#include "platform/random.h"

namespace {
uint32_t randomState = 1;
}

void gameSrand(uint32_t seed) { randomState = seed; }

int gameRand() {
    randomState = randomState * 214013u + 2531011u;
    return int((randomState >> 16) & 32767u);
}
