#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads a whole file, opened read-only, into memory. False when it does not
// open or cannot be read; `bytes` is then empty.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
