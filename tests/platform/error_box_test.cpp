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

TEST(ErrorBox, TheLineOnStandardErrorNamesTheFile) {
    ErrorCapture errors;
    reportError("Not an .a3f file:", "x.a3f", "/g/media/x.a3f");
    reportError("Could not open file:", "/g/media/y.a3f", "/g/media/y.a3f");
    EXPECT_EQ(errors.texts().at(0), "Not an .a3f file: x.a3f The application will continue.");
    EXPECT_EQ(errors.lines().at(0), "/g/media/x.a3f: Not an .a3f file: x.a3f The application will continue.");
    // A text that names the path already is not given it twice.
    EXPECT_EQ(errors.lines().at(1), errors.texts().at(1));
}

TEST(ErrorBox, AHardenedRefusalNamesThePathAndTheReason) {
    ErrorCapture errors;
    reportFileError("Bad model:", "media/spaceShip1.a3f", "vertex count too large");
    EXPECT_EQ(errors.only(), "Bad model: media/spaceShip1.a3f: vertex count too large The application will continue.");
    EXPECT_EQ(errors.lines().at(0), errors.texts().at(0));
}

TEST(ErrorBox, AFatalErrorKeepsItsTextAsItIs) {
    ErrorCapture errors;
    reportFatalError("Full screen at 1x1 is a size this display cannot show.");
    EXPECT_EQ(errors.only(), "Full screen at 1x1 is a size this display cannot show.");
}

}  // namespace
