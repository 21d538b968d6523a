#include "support/error_capture.h"

#include "platform/error_box.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> captured;
std::vector<std::string> capturedLines;
void captureSink(const char* boxText, const char* line) {
    captured.emplace_back(boxText);
    capturedLines.emplace_back(line);
}
}

ErrorCapture::ErrorCapture() {
    clear();
    setErrorSink(captureSink);
}

ErrorCapture::~ErrorCapture() { setErrorSink(errorSinkStderr); }

const std::vector<std::string>& ErrorCapture::texts() const { return captured; }

const std::vector<std::string>& ErrorCapture::lines() const { return capturedLines; }

std::string ErrorCapture::only() const {
    EXPECT_LE(captured.size(), 1u);
    return captured.empty() ? std::string() : captured.front();
}

void ErrorCapture::clear() {
    captured.clear();
    capturedLines.clear();
}
