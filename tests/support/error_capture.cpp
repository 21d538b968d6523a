#include "support/error_capture.h"

#include "platform/error_box.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> captured;
void captureSink(const char* text) { captured.emplace_back(text); }
}

ErrorCapture::ErrorCapture() {
    captured.clear();
    setErrorSink(captureSink);
}

ErrorCapture::~ErrorCapture() { setErrorSink(errorSinkStderr); }

const std::vector<std::string>& ErrorCapture::texts() const { return captured; }

std::string ErrorCapture::only() const {
    EXPECT_LE(captured.size(), 1u);
    return captured.empty() ? std::string() : captured.front();
}

void ErrorCapture::clear() { captured.clear(); }
