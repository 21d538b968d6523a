#include "support/gl_fixture.h"

OffscreenGl* GlTest::gl = nullptr;

void GlTest::SetUpTestSuite() { gl = createOffscreenGl(64, 64); }

void GlTest::TearDownTestSuite() {
    destroyOffscreenGl(gl);
    gl = nullptr;
}

void GlTest::SetUp() {
    if (!gl) GTEST_FAIL() << "no OpenGL context (is there an X display?)";
}
