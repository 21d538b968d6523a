// Models drawn for real: through their display lists and, for shots, from
// client arrays, read back with glReadPixels; shared and destroyed objects,
// and what the drawing made of them.
#include "model/model_loading.h"
#include "model/picture_files.h"
#include "render/gl1/gl.h"
#include "render/gl1/model_drawing.h"
#include "render/gl1/texture_cache.h"
#include "support/error_capture.h"
#include "support/gl_fixture.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// A square from -0.5 to 0.5 in x and y, counter-clockwise seen from +z.
std::string square(const std::string& format, const std::string& material, bool reversed = false) {
    bool normals = format.find("NORMAL") != std::string::npos;
    std::string text = "A3F VERTICES { " + format + " 4\n";
    const char* corners[] = {"-0.5 -0.5 0", "0.5 -0.5 0", "0.5 0.5 0", "-0.5 0.5 0"};
    const char* uv[] = {"0 0", "1 0", "1 1", "0 1"};
    for (int i = 0; i < 4; ++i)
        text += std::string(corners[i]) + (normals ? " 0 0 1 " : " ") + uv[i] + "\n";
    text += reversed ? "} FACES { 2 0 2 1 0 0 3 2 0 }" : "} FACES { 2 0 1 2 0 0 2 3 0 }";
    return text + " MATERIALS { 1 { " + material + " } }";
}

using Rgb = std::array<int, 3>;

class ModelDrawing : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        resetTextureCache(true);
        constructSceneObject(object);
        constructShotObject(shot);
        glViewport(0, 0, 64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override {
        destroyShotObject(shot);
        destroySceneObject(object);
        releaseModelHandles();
        releaseTextureCache();
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    static Rgb pixel(int x, int y) {
        uint8_t p[4] = {};
        glFinish();
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }
    // The model read, then its texture and display list made, as the game does.
    static bool loadListed(const char* fileName, SceneObject& o) {
        if (!loadA3fModel(fileName, o)) return false;
        prepareModelHandles(o, true);
        return true;
    }
    static uint32_t listOf(const SceneObject& o) { return modelHandlesOf(o).displayList; }
    static uint32_t textureOf(const SceneObject& o) { return modelHandlesOf(o).texture; }
    void drawList(const SceneObject& o) {
        glLoadMatrixf(o.matrix.m);
        glBindTexture(GL_TEXTURE_2D, textureOf(o));
        glCallList(listOf(o));
    }
    // The client arrays as the game enables them at start-up.
    static void enableArrays() {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }

    ScratchMedia media;
    ErrorCapture errors;
    SceneObject object;
    ShotObject shot;
};

TEST_F(ModelDrawing, DisplayListDrawsTheModelWithItsColourAndFacing) {
    media.write("sq.a3f", square("POSITION_NORMAL_TEXCOORDS", "DIFFUSE 1 0.5 0 1"));
    ASSERT_TRUE(loadListed("sq.a3f", object));
    ASSERT_NE(listOf(object), 0u);
    object.matrix[12] = 0.5f;  // moved right by a quarter of the view
    drawList(object);
    EXPECT_EQ(pixel(40, 32), (Rgb{255, 128, 0}));
    EXPECT_EQ(pixel(20, 32), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixel(40, 60), (Rgb{0, 0, 0}));

    // The same square listed clockwise faces away and is culled.
    SceneObject back;
    constructSceneObject(back);
    media.write("back.a3f", square("POSITION_NORMAL_TEXCOORDS", "DIFFUSE 0 0 1 1", true));
    ASSERT_TRUE(loadListed("back.a3f", back));
    EXPECT_EQ(listOf(back), listOf(object) + 1);  // names come from one block
    glClear(GL_COLOR_BUFFER_BIT);
    drawList(back);
    EXPECT_EQ(pixel(32, 32), (Rgb{0, 0, 0}));
    destroySceneObject(back);
}

TEST_F(ModelDrawing, TexturedListAndAFailedTexture) {
    media.write("green.tga", solidTga(2, 2, 0, 255, 0));
    media.write("tex.a3f", square("POSITION_TEXCOORDS", "DIFFUSE 1 1 1 1 TEXTURE { FILE green.tga }"));
    ASSERT_TRUE(loadListed("tex.a3f", object));
    ASSERT_NE(textureOf(object), 0u);
    glEnable(GL_TEXTURE_2D);
    drawList(object);
    EXPECT_EQ(pixel(32, 32), (Rgb{0, 255, 0}));

    // A texture that failed leaves the model untextured and without coordinates.
    SceneObject plain;
    constructSceneObject(plain);
    media.write("lost.a3f", square("POSITION_TEXCOORDS", "DIFFUSE 1 0 0 1 TEXTURE { FILE lost.tga }"));
    ASSERT_TRUE(loadListed("lost.a3f", plain));
    EXPECT_EQ(textureOf(plain), 0u);
    EXPECT_EQ(errors.only(), "Unable to load the texture file: lost.tga The application will continue.");
    EXPECT_EQ(errors.lines().at(0), media.path("lost.tga") +
                                        ": Unable to load the texture file: lost.tga The application will continue.");
    glClear(GL_COLOR_BUFFER_BIT);
    drawList(plain);
    EXPECT_EQ(pixel(32, 32), (Rgb{255, 0, 0}));
    destroySceneObject(plain);
}

TEST_F(ModelDrawing, ShotDrawnFromClientArraysRestoresTheState) {
    media.write("shot.a3f", square("POSITION_NORMAL_TEXCOORDS", "DIFFUSE 0 1 1 1"));
    ASSERT_TRUE(loadShotModel(shot));
    prepareModelHandles(shot.object, false);
    enableArrays();
    drawWithVertexArrays(shot);
    EXPECT_EQ(pixel(32, 32), (Rgb{0, 255, 255}));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    // Another shot sharing the model, with its own arrays, moved by its own matrix.
    ShotObject second;
    constructShotObject(second);
    shareModel(second.object, shot.object);
    ASSERT_TRUE(allocateShotArrays(second));
    splitVertexArrays(second);
    EXPECT_NE(second.positions, shot.positions);
    second.object.matrix[13] = 0.75f;
    glClear(GL_COLOR_BUFFER_BIT);
    drawWithVertexArrays(second);
    EXPECT_EQ(pixel(32, 12), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixel(32, 52), (Rgb{0, 255, 255}));

    // Inactive: nothing drawn, nothing changed.
    second.object.side = 0;
    glClear(GL_COLOR_BUFFER_BIT);
    drawWithVertexArrays(second);
    EXPECT_EQ(pixel(32, 52), (Rgb{0, 0, 0}));
    destroyShotObject(second);
}

TEST_F(ModelDrawing, BlendedShotWithoutNormalsEnablesTheArraysAndEndsBlending) {
    media.write("lum.tga", solidTga(2, 2, 128, 128, 128));
    media.write("shot.a3f", square("POSITION_TEXCOORDS",
                                   "DIFFUSE 1 1 1 1 TEXTURE { FILE lum.tga ALPHA RED_MASK }"));
    ASSERT_TRUE(loadShotModel(shot));
    prepareModelHandles(shot.object, false);
    ASSERT_EQ(shot.normals, nullptr);
    ASSERT_NE(shot.texCoords, nullptr);
    glEnable(GL_TEXTURE_2D);
    enableArrays();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawWithVertexArrays(shot);  // alphaValue 0: fully transparent
    EXPECT_EQ(pixel(32, 32), (Rgb{255, 255, 255}));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    // Whatever they were before: the arrays it had to switch off come back on,
    // and blending ends with the draw.
    glDisableClientState(GL_NORMAL_ARRAY);
    glEnable(GL_BLEND);
    drawWithVertexArrays(shot);
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(ModelDrawing, SharedObjectsReleaseNothingTheirPrototypeReleasesAll) {
    media.write("t.tga", solidTga(1, 1, 1, 1, 1));
    media.write("p.a3f", square("POSITION_TEXCOORDS", "TEXTURE { FILE t.tga }"));
    object.velocity = {9, 9, 9};
    ASSERT_TRUE(loadListed("p.a3f", object));
    object.matrix[14] = 4.0f;
    object.side = 2;
    SceneObject copy;
    constructSceneObject(copy);
    copy.velocity = {1, 2, 3};
    copy.turnRates = {0.5f, 0, 0};
    shareModel(copy, object);
    EXPECT_TRUE(copy.sharesModel);
    EXPECT_EQ(copy.velocity.z, 3.0f);
    EXPECT_EQ(copy.turnRates.x, 0.5f);
    EXPECT_EQ(copy.matrix[14], 4.0f);
    EXPECT_EQ(copy.side, 2);
    EXPECT_EQ(copy.vertices, object.vertices);
    EXPECT_EQ(listOf(copy), listOf(object));
    EXPECT_EQ(textureOf(copy), textureOf(object));

    destroySceneObject(copy);
    EXPECT_EQ(object.vertices[2].position.x, 0.5f);  // still there
    destroySceneObject(object);
    EXPECT_EQ(object.vertices, nullptr);
    // The list and the texture are the drawing's, released with it.
    const uint32_t list = listOf(copy), texture = textureOf(copy);
    EXPECT_TRUE(glIsList(list));
    releaseModelHandles();
    releaseTextureCache();
    EXPECT_FALSE(glIsList(list));
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(listOf(copy), 0u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    constructSceneObject(object);
}

}  // namespace
