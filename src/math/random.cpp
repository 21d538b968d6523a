#include "math/random.h"

void gameSrand(RandomSource& random, uint32_t seed) { random.state = seed; }

int gameRand(RandomSource& random) {
    random.state = random.state * 214013u + 2531011u;
    return int((random.state >> 16) & 32767u);
}
