#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// The model file's lexical level over a buffer read in one go, with the C
// library's scanf rules: a token is a run of non-white-space characters
// ("%s"), reals are read like "%f" (strtof), counts like "%u" (strtoul, cut to
// 32 bits). A number takes the longest prefix that converts, so "1}" reads 1
// and leaves "}". The buffer must be followed by a NUL byte (not counted in
// `end`) so that the slow path of a real may use strtof.
constexpr size_t kMaxTokenLength = 259;

enum class ReadStatus { Ok, End, TooLong, NotANumber };

struct A3fCursor {
    const char* pos;
    const char* end;
};

ReadStatus readToken(A3fCursor& cursor, std::string_view& token);
ReadStatus readReal(A3fCursor& cursor, float& value);
ReadStatus readUnsigned(A3fCursor& cursor, uint32_t& value);
// Skips white space and takes one character if it is `c`.
void skipOptional(A3fCursor& cursor, char c);
