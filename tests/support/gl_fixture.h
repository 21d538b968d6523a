#pragma once
#include "platform/offscreen_gl.h"

#include <gtest/gtest.h>

// A real OpenGL context (Mesa under Xvfb) for the tests of one suite.
class GlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    static OffscreenGl* gl;
};
