#include "math/random.h"
#include "math/vec3.h"

#include <gtest/gtest.h>

namespace {

TEST(Vector, NormalizeReturnsLengthAndLeavesZeroAlone) {
    Vec3 v{3, 0, 4};
    EXPECT_FLOAT_EQ(normalize(v), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
    Vec3 zero{};
    EXPECT_EQ(normalize(zero), 0.0f);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
}

TEST(Vector, JitterMovesEachAxisByFrameTimeTimesSignedDraw) {
    RandomSource r;
    gameSrand(r, 1);  // draws 41, 18467, then the third
    int draws[3];
    for (int& d : draws) d = gameRand(r);
    gameSrand(r, 1);
    Vec3 v{};
    addRandomJitter(v, 0.5f, r);
    const float k = 2.0f / 32767.0f;
    EXPECT_FLOAT_EQ(v.x, 0.5f * (1.0f - float(draws[0]) * k));
    EXPECT_FLOAT_EQ(v.y, 0.5f * (1.0f - float(draws[1]) * k));
    EXPECT_FLOAT_EQ(v.z, 0.5f * (1.0f - float(draws[2]) * k));
    EXPECT_NEAR(v.x, 0.5f, 0.01f);  // a draw of 41 is near the bottom of the range
}

TEST(Vector, JitterDrawsThreeNumbersEvenWithoutTime) {
    RandomSource r;
    gameSrand(r, 7);
    Vec3 v{1, 2, 3};
    addRandomJitter(v, 0.0f, r);
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, 2.0f);
    EXPECT_EQ(v.z, 3.0f);
    int fourth = gameRand(r);
    gameSrand(r, 7);
    gameRand(r); gameRand(r); gameRand(r);
    EXPECT_EQ(gameRand(r), fourth);
}

}  // namespace
