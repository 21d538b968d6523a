// The model file's numbers follow the C library's conversions exactly,
// including the fast path for ordinary decimals.
#include "model/a3f_tokens.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

ReadStatus real(const std::string& text, float& value, size_t* used = nullptr) {
    A3fCursor cursor{text.c_str(), text.c_str() + text.size()};
    ReadStatus status = readReal(cursor, value);
    if (used) *used = size_t(cursor.pos - text.c_str());
    return status;
}

uint32_t unsignedOf(const std::string& text) {
    A3fCursor cursor{text.c_str(), text.c_str() + text.size()};
    uint32_t value = 0;
    EXPECT_EQ(readUnsigned(cursor, value), ReadStatus::Ok) << text;
    return value;
}

TEST(A3fNumbers, RealsMatchStrtofBitForBit) {
    std::mt19937 random(7);
    char text[64];
    for (int i = 0; i < 200000; ++i) {
        // Decimals of every length around the float and double rounding limits.
        int digits = 1 + int(random() % 12);
        uint64_t mantissa = random() % 1000000000000ull;
        int point = int(random() % (digits + 1));
        std::string number = std::to_string(mantissa);
        if (number.size() > size_t(digits)) number.resize(size_t(digits));
        if (point < int(number.size())) number.insert(size_t(point), ".");
        int exponent = int(random() % 61) - 30;
        std::snprintf(text, sizeof text, "%s%se%d", random() % 2 ? "-" : "", number.c_str(), exponent);
        float expected = std::strtof(text, nullptr), value = 0;
        ASSERT_EQ(real(text, value), ReadStatus::Ok) << text;
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    }
    // Values exactly halfway between two floats round to even, as strtof does.
    for (const char* text : {"16777217", "16777219", "1.00000005960464477539062", "3.4028235e38",
                             "1e-40", "0x1.8p1", "inf", "-nan", "7.e2", ".5"}) {
        float expected = std::strtof(text, nullptr), value = 0;
        ASSERT_EQ(real(text, value), ReadStatus::Ok) << text;
        EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    }
}

TEST(A3fNumbers, RealsTakeTheLongestPrefixThatConverts) {
    float value = 0;
    size_t used = 0;
    EXPECT_EQ(real("  1.5}", value, &used), ReadStatus::Ok);
    EXPECT_EQ(value, 1.5f);
    EXPECT_EQ(used, 5u);
    EXPECT_EQ(real("2e+x", value, &used), ReadStatus::Ok);
    EXPECT_EQ(value, 2.0f);
    EXPECT_EQ(used, 1u);
    EXPECT_EQ(real("1-2", value, &used), ReadStatus::Ok);
    EXPECT_EQ(used, 1u);
    EXPECT_EQ(real("}", value), ReadStatus::NotANumber);
    EXPECT_EQ(real("-", value), ReadStatus::NotANumber);
    EXPECT_EQ(real(" \n\t", value), ReadStatus::End);
}

TEST(A3fNumbers, UnsignedLikeStrtoul) {
    EXPECT_EQ(unsignedOf("42"), 42u);
    EXPECT_EQ(unsignedOf("+7"), 7u);
    EXPECT_EQ(unsignedOf("-1"), 4294967295u);
    EXPECT_EQ(unsignedOf("4294967296"), 0u);  // cut to 32 bits
    EXPECT_EQ(unsignedOf("99999999999999999999999"), 4294967295u);
    EXPECT_EQ(unsignedOf("12.5"), 12u);
    A3fCursor cursor{"x", nullptr};
    cursor.end = cursor.pos + 1;
    uint32_t value = 0;
    EXPECT_EQ(readUnsigned(cursor, value), ReadStatus::NotANumber);
}

TEST(A3fTokens, WhiteSpaceAndLength) {
    std::string text = "\v\fA3F\r\n" + std::string(259, 'a') + " " + std::string(260, 'b');
    A3fCursor cursor{text.c_str(), text.c_str() + text.size()};
    std::string_view token;
    EXPECT_EQ(readToken(cursor, token), ReadStatus::Ok);
    EXPECT_EQ(token, "A3F");
    EXPECT_EQ(readToken(cursor, token), ReadStatus::Ok);
    EXPECT_EQ(readToken(cursor, token), ReadStatus::TooLong);
    EXPECT_EQ(readToken(cursor, token), ReadStatus::End);
}

}  // namespace
