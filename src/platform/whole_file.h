#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads a whole file, opened read-only, into memory. False when it does not
// open, cannot be read or does not fit in memory; `bytes` is then empty.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
