#pragma once
#include <string>
#include <vector>

// Collects every error box while it lives, instead of showing a box.
struct ErrorCapture {
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    // The boxes' texts, and the lines that went with them to standard error.
    const std::vector<std::string>& texts() const;
    const std::vector<std::string>& lines() const;
    // The one text reported, or "" when there was none; fails the test on more than one.
    std::string only() const;
    void clear();
};
