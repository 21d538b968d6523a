#include "math/float_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A number as its significant digits d0 d1 d2 ... and the power of ten of d0.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

// printf's "%.*e" of a positive value, taken apart.
DecimalDigits roundedDigits(double value, int count) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*e", count - 1, value);
    DecimalDigits number;
    const char* e = std::strchr(text, 'e');
    for (const char* c = text; c < e; ++c)
        if (*c != '.') number.digits += *c;
    number.exponent = std::atoi(e + 1);
    return number;
}

// The digits as a whole number and its power of ten, for strtod and strtof.
std::string asText(const DecimalDigits& number) {
    return number.digits + "e" + std::to_string(number.exponent - int(number.digits.size()) + 1);
}

double valueOf(const DecimalDigits& number) { return std::strtod(asText(number).c_str(), nullptr); }

bool readsBackAs(const DecimalDigits& number, float value) {
    return std::strtof(asText(number).c_str(), nullptr) == value;
}

// The same count of digits one step up or down in the last one; an empty
// result when the step would change the count.
DecimalDigits stepped(DecimalDigits number, int step) {
    std::string& d = number.digits;
    for (size_t i = d.size(); i-- > 0;) {
        const int digit = d[i] - '0' + step;
        if (digit >= 0 && digit <= 9) {
            d[i] = char('0' + digit);
            if (d[0] == '0') d.clear();
            return number;
        }
        d[i] = step > 0 ? '0' : '9';
    }
    d.clear();
    return number;
}

// The fewest digits that read back as the value; of those, the nearest to it.
// The rounded digits are the nearest; only where the value's rounding
// interval is lopsided (at a power of two) may they miss it while the next
// digits on the other side are inside.
DecimalDigits shortestDigits(float value) {
    const double exact = value;
    for (int count = 1;; ++count) {
        DecimalDigits rounded = roundedDigits(exact, count);
        if (readsBackAs(rounded, value)) return rounded;
        DecimalDigits other = stepped(rounded, valueOf(rounded) > exact ? -1 : 1);
        if (!other.digits.empty() && readsBackAs(other, value)) return other;
    }
}

std::string scientific(const DecimalDigits& number) {
    std::string text(1, number.digits[0]);
    if (number.digits.size() > 1) text += "." + number.digits.substr(1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", number.exponent < 0 ? '-' : '+',
                  std::abs(number.exponent));
    return text + exponent;
}

// A whole number is written with all its digits, exact, as printf's "%.0f"
// writes it (to_chars does the same), not padded with zeros.
std::string plain(const DecimalDigits& number, float value) {
    const std::string& d = number.digits;
    const int count = int(d.size()), e = number.exponent;
    if (e >= count - 1) {
        char text[48];
        std::snprintf(text, sizeof text, "%.0f", double(value));
        return text;
    }
    if (e >= 0) return d.substr(0, size_t(e + 1)) + "." + d.substr(size_t(e + 1));
    return "0." + std::string(size_t(-e - 1), '0') + d;
}

}  // namespace

std::string shortestFloatText(float value) {
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return sign + "inf";
    if (value == 0.0f) return sign + "0";
    DecimalDigits number = shortestDigits(std::fabs(value));
    while (number.digits.size() > 1 && number.digits.back() == '0') number.digits.pop_back();
    const std::string fixed = plain(number, std::fabs(value)), exponent = scientific(number);
    return sign + (fixed.size() <= exponent.size() ? fixed : exponent);
}
