#include "model/a3f_tokens.h"

#include <cstdlib>
#include <cstring>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// 10^0 .. 10^22, all exact in a double.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactMantissaLimit = uint64_t(1) << 53;
// The 29 low mantissa bits a double loses on the way to a float; a double
// whose lost bits are exactly one half lies on a midpoint between two floats.
constexpr uint64_t kFloatDroppedBits = (uint64_t(1) << 29) - 1;
constexpr uint64_t kFloatMidpointBits = uint64_t(1) << 28;

// The usual decimal forms ([sign] digits [. digits] [e [sign] digits]) with
// few digits and a small exponent, converted exactly as strtof would: the
// mantissa and the power of ten are exact doubles, so one division or
// multiplication rounds correctly to double, and the rounding to float is
// exact unless the double lies on a midpoint between two floats, which goes
// to the slow path. Returns false to ask for strtof.
bool fastReal(const char*& pos, const char* end, float& value) {
    const char* p = pos;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    uint64_t mantissa = 0;
    int digits = 0, exponent = 0;
    while (p < end && isDigit(*p)) {
        mantissa = mantissa * 10 + unsigned(*p++ - '0');
        ++digits;
    }
    if (p < end && (*p == 'x' || *p == 'X')) return false;  // hexadecimal
    if (p < end && *p == '.') {
        ++p;
        while (p < end && isDigit(*p)) {
            mantissa = mantissa * 10 + unsigned(*p++ - '0');
            ++digits;
            --exponent;
        }
    }
    if (digits == 0) return false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (q < end && (*q == '-' || *q == '+')) negativeExponent = *q++ == '-';
        if (q < end && isDigit(*q)) {
            int given = 0;
            while (q < end && isDigit(*q)) {
                if (given < 10000) given = given * 10 + (*q - '0');
                ++q;
            }
            exponent += negativeExponent ? -given : given;
            p = q;
        }
    }
    if (digits > 19 || mantissa > kExactMantissaLimit || exponent < -22 || exponent > 22)
        return false;
    double result = double(mantissa);
    result = exponent < 0 ? result / kPowersOfTen[-exponent] : result * kPowersOfTen[exponent];
    uint64_t bits;
    std::memcpy(&bits, &result, sizeof bits);
    if ((bits & kFloatDroppedBits) == kFloatMidpointBits) return false;
    float rounded = float(result);
    value = negative ? -rounded : rounded;
    pos = p;
    return true;
}

bool isA3fSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Skips white space; true when the end of the buffer was reached.
bool skipSpace(A3fCursor& cursor) {
    while (cursor.pos < cursor.end && isA3fSpace(*cursor.pos)) ++cursor.pos;
    return cursor.pos == cursor.end;
}

}  // namespace

ReadStatus readToken(A3fCursor& cursor, std::string_view& token) {
    if (skipSpace(cursor)) return ReadStatus::End;
    const char* start = cursor.pos;
    while (cursor.pos < cursor.end && !isA3fSpace(*cursor.pos)) ++cursor.pos;
    token = std::string_view(start, size_t(cursor.pos - start));
    return token.size() > kMaxTokenLength ? ReadStatus::TooLong : ReadStatus::Ok;
}

ReadStatus readReal(A3fCursor& cursor, float& value) {
    if (skipSpace(cursor)) return ReadStatus::End;
    if (fastReal(cursor.pos, cursor.end, value)) return ReadStatus::Ok;
    char* stop = nullptr;
    value = std::strtof(cursor.pos, &stop);
    if (stop == cursor.pos) return ReadStatus::NotANumber;
    cursor.pos = stop < cursor.end ? stop : cursor.end;
    return ReadStatus::Ok;
}

ReadStatus readUnsigned(A3fCursor& cursor, uint32_t& value) {
    if (skipSpace(cursor)) return ReadStatus::End;
    const char* p = cursor.pos;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    if (p == cursor.end || !isDigit(*p)) return ReadStatus::NotANumber;
    // strtoul: the value saturates on overflow; a minus sign negates modulo 2^64.
    uint64_t result = 0;
    bool overflow = false;
    for (; p < cursor.end && isDigit(*p); ++p) {
        unsigned digit = unsigned(*p - '0');
        if (result > (UINT64_MAX - digit) / 10) overflow = true;
        result = result * 10 + digit;
    }
    if (overflow) result = UINT64_MAX;
    else if (negative) result = 0 - result;
    value = uint32_t(result);
    cursor.pos = p;
    return ReadStatus::Ok;
}

void skipOptional(A3fCursor& cursor, char c) {
    if (!skipSpace(cursor) && *cursor.pos == c) ++cursor.pos;
}
