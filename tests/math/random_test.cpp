#include "math/random.h"

#include <gtest/gtest.h>

namespace {

TEST(Random, FollowsTheClassicSequence) {
    RandomSource r;
    // s1 = 1*214013 + 2531011 = 2745024 -> (2745024 >> 16) & 32767 = 41
    // s2 = 2745024*214013 + 2531011 mod 2^32 = 1210316419 -> 18467
    gameSrand(r, 1);
    EXPECT_EQ(gameRand(r), 41);
    EXPECT_EQ(gameRand(r), 18467);
    // seed 0: s1 = 2531011 -> 38
    gameSrand(r, 0);
    EXPECT_EQ(gameRand(r), 38);
}

TEST(Random, WrapsTheStateAndMasksTheResult) {
    RandomSource r;
    // 12345 * 214013 + 2531011 = 2644521496 -> 2644521496 >> 16 = 40352,
    // & 32767 = 7584 (the mask drops bit 15).
    gameSrand(r, 12345);
    EXPECT_EQ(gameRand(r), 7584);
    // 0xFFFFFFFF is -1 modulo 2^32: -214013 + 2531011 = 2316998 -> 35.
    gameSrand(r, 0xFFFFFFFFu);
    EXPECT_EQ(gameRand(r), 35);
    // 2^31 * 214013 = 2^31 modulo 2^32 (odd factor); + 2531011 = 2150014659
    // -> 32806, & 32767 = 38.
    gameSrand(r, 0x80000000u);
    EXPECT_EQ(gameRand(r), 38);
}

TEST(Random, SourcesAreIndependentValues) {
    RandomSource a, b;
    gameSrand(a, 1);
    gameSrand(b, 1);
    EXPECT_EQ(gameRand(a), 41);
    EXPECT_EQ(gameRand(a), 18467);
    EXPECT_EQ(gameRand(b), 41);  // b did not move when a drew
}

}  // namespace
