#pragma once
#include <string>

// The shortest text that reads back (strtof) as the same float, laid out as
// std::to_chars lays it out: plain digits or an exponent, whichever is
// shorter, plain digits on a tie. Written out here because not every C++
// library the game is built with has the floating-point to_chars.
std::string shortestFloatText(float value);
