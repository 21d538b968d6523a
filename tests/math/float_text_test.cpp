#include "math/float_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

std::string toChars(float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

float fromBits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

// The demos' pointer values are written this way on every system, so the text
// must be the C++ library's to_chars where it has one: the same bytes in a
// demo recorded anywhere.
TEST(FloatText, IsWhatToCharsWrites) {
    const float special[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.1f, 0.5f, 100.0f, 1e7f, 1e10f, 123456.0f,
                             1234567.0f, 12345678.0f, 1e-5f, 0.001f, 3.4028235e38f, 1e-45f,
                             std::numeric_limits<float>::min(), 2.0f / 3.0f, -0.75f, 640.0f};
    for (float value : special) EXPECT_EQ(shortestFloatText(value), toChars(value)) << toChars(value);
    // Every power of two: where the rounding interval is lopsided.
    for (uint32_t exponent = 1; exponent < 255; ++exponent) {
        const float value = fromBits(exponent << 23);
        ASSERT_EQ(shortestFloatText(value), toChars(value)) << toChars(value);
    }
    std::mt19937 random(23);
    for (int i = 0; i < 200000; ++i) {
        const float value = fromBits((random() & 0x7f7fffffu) | (random() & 0x80000000u));
        ASSERT_EQ(shortestFloatText(value), toChars(value)) << toChars(value);
    }
    // Pointer-like values: small, a few decimals.
    for (int i = -2000; i <= 2000; ++i) {
        const float value = float(i) * 0.013f;
        ASSERT_EQ(shortestFloatText(value), toChars(value)) << toChars(value);
    }
}
