#include "platform/error_box.h"
#include "support/error_capture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ErrorBox, MessageThenSubjectThenTheGoOnLine) {
    ErrorCapture errors;
    reportError("Could not open file:", "/g/media/x.wav");
    EXPECT_EQ(errors.only(), "Could not open file: /g/media/x.wav The application will continue.");
}

TEST(ErrorBox, AnOverlongTextIsCutTo511Characters) {
    ErrorCapture errors;
    std::string subject(600, 's');
    reportError("Bad model:", subject.c_str());
    std::string text = errors.only();
    ASSERT_EQ(text.size(), 511u);
    EXPECT_EQ(text, "Bad model: " + std::string(500, 's'));
}

}  // namespace
