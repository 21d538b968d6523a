#pragma once
#include <cstdint>
#include <vector>

// Reads a whole file in one go. False when it cannot be opened or read, or
// does not fit in memory.
bool readFileBytes(const char* path, std::vector<uint8_t>& bytes);
