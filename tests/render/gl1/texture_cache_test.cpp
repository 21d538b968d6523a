// The texture cache with a real OpenGL context: alpha rules read back from
// the texture, the cache's naming rules, formats and mipmap levels.
#include "model/model_types.h"
#include "model/picture_files.h"
#include "render/gl1/gl.h"
#include "render/gl1/texture_cache.h"
#include "support/error_capture.h"
#include "support/gl_fixture.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

namespace {

class TextureCache : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        resetTextureCache(true);
    }
    void TearDown() override { releaseTextureCache(); }

    // Level `level` of the texture as red, green, blue, alpha bytes.
    static std::vector<uint8_t> texels(uint32_t texture, int level = 0) {
        GLint w = 0, h = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        std::vector<uint8_t> result(size_t(w) * size_t(h) * 4);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, result.data());
        return result;
    }
    // The alpha bytes of a texture made from `bgra` pixels (file order, 32-bit TGA).
    std::vector<int> alphas(int mode, float value, const std::vector<uint8_t>& bgra) {
        std::string name = "p" + std::to_string(++files) + ".tga";
        media.write(name, tga32(int(bgra.size() / 4), 1, bgra));
        uint32_t texture = loadTexture(name.c_str(), mode, value);
        EXPECT_NE(texture, 0u);
        std::vector<uint8_t> t = texels(texture);
        std::vector<int> result;
        for (size_t i = 3; i < t.size(); i += 4) result.push_back(t[i]);
        return result;
    }

    ScratchMedia media;
    ErrorCapture errors;
    int files = 0;
};

TEST_F(TextureCache, AlphaRulesOnRealTexels) {
    // Pixels as blue, green, red, alpha: white, black, (255, 255, 254) in RGB, a key colour.
    std::vector<uint8_t> px = {9, 8, 7, 11, 255, 255, 255, 22, 0, 0, 0, 33, 254, 255, 255, 44,
                               9, 8, 7, 55, 7, 8, 9, 66};
    using A = std::vector<int>;
    EXPECT_EQ(alphas(kAlphaNone, 0, px), (A{255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(alphas(kAlphaLuminance, 0, px), (A{8, 255, 0, 254, 8, 8}));
    EXPECT_EQ(alphas(kAlphaIlluminance, 0, px), (A{247, 0, 255, 1, 247, 247}));
    EXPECT_EQ(alphas(kAlphaBlackMask, 0, px), (A{255, 255, 0, 255, 255, 255}));
    EXPECT_EQ(alphas(kAlphaRed, 0, px), (A{255, 0, 255, 255, 255, 255}));  // white, not red
    EXPECT_EQ(alphas(kAlphaGreen, 0, px), (A{0, 255, 255, 255, 0, 255}));  // the first pixel's colour
    for (int mode : {kAlphaBlue, kAlphaGreenMask, kAlphaBlueMask, kAlphaNumeric})
        EXPECT_EQ(alphas(mode, 0.5f, px), (A{11, 22, 33, 44, 55, 66}));
    EXPECT_EQ(alphas(kAlphaRedMask, 127.9f, px)[0], 127);
    EXPECT_EQ(alphas(kAlphaRedMask, 300.0f, px)[5], 44);
    EXPECT_EQ(alphas(kAlphaRedMask, -1.0f, px)[1], 255);
    // Colours come out as red, green, blue.
    media.write("c.tga", tga32(1, 1, {10, 20, 30, 40}));
    std::vector<uint8_t> t = texels(loadTexture("c.tga", kAlphaBlue, 0));
    EXPECT_EQ(std::vector<int>(t.begin(), t.end()), (std::vector<int>{30, 20, 10, 40}));
}

TEST_F(TextureCache, NamesAndFailures) {
    media.write("a.tga", solidTga(2, 2, 0, 0, 0));
    media.write("A.tga", solidTga(2, 2, 0, 0, 0));
    uint32_t first = loadTexture("a.tga", kAlphaBlackMask, 0);
    ASSERT_NE(first, 0u);
    // The same name with another rule gets the first texture, made with the first rule.
    EXPECT_EQ(loadTexture("a.tga", kAlphaNone, 0), first);
    EXPECT_EQ(texels(first)[3], 0);
    uint32_t capital = loadTexture("A.tga", kAlphaNone, 0);
    EXPECT_NE(capital, 0u);
    EXPECT_NE(capital, first);
    EXPECT_TRUE(errors.texts().empty());

    media.write("x.jpeg", solidTga(1, 1, 0, 0, 0));
    EXPECT_EQ(loadTexture("x.jpeg", kAlphaNone, 0), 0u);
    EXPECT_EQ(errors.only(), "Unable to load the texture file: x.jpeg The application will continue.");
    errors.clear();
    // The failed name keeps its slot until a new texture takes it: no second report.
    EXPECT_EQ(loadTexture("x.jpeg", kAlphaNone, 0), 0u);
    EXPECT_TRUE(errors.texts().empty());
    media.write("b.tga", solidTga(1, 1, 0, 0, 0));
    EXPECT_NE(loadTexture("b.tga", kAlphaNone, 0), 0u);
    EXPECT_EQ(loadTexture("x.jpeg", kAlphaNone, 0), 0u);
    EXPECT_EQ(errors.texts().size(), 1u);  // asked again, after its slot was reused
}

// A model naming "Hull.tga" beside "hull.tga" gets its texture; each
// spelling still has an entry of its own.
TEST_F(TextureCache, ANameDifferingInCaseFindsItsFileUnderItsOwnEntry) {
    media.write("hull.tga", solidTga(2, 2, 10, 20, 30));
    uint32_t capital = loadTexture("Hull.tga", kAlphaNone, 0);
    ASSERT_NE(capital, 0u);
    EXPECT_EQ(texels(capital)[0], 30);
    uint32_t exact = loadTexture("hull.tga", kAlphaNone, 0);
    EXPECT_NE(exact, 0u);
    EXPECT_NE(exact, capital);
    EXPECT_EQ(loadTexture("Hull.tga", kAlphaNone, 0), capital);
    EXPECT_TRUE(errors.texts().empty());
}

TEST_F(TextureCache, A256thFileIsRefused) {
    std::vector<std::string> names;
    for (int i = 0; i < 256; ++i) {
        names.push_back("t" + std::to_string(i) + ".tga");
        media.write(names.back(), solidTga(1, 1, 0, 0, 0));
    }
    for (int i = 0; i < 255; ++i) ASSERT_NE(loadTexture(names[size_t(i)].c_str(), 0, 0), 0u) << i;
    EXPECT_TRUE(errors.texts().empty());
    EXPECT_EQ(loadTexture(names[255].c_str(), 0, 0), 0u);
    EXPECT_EQ(errors.only(), "Unable to load the texture file: " + media.path("t255.tga") +
                                 ": more textures than the 255 the game holds The application will continue.");
    uint32_t last = loadTexture(names[254].c_str(), 0, 0);
    EXPECT_NE(last, 0u);

    // Releasing deletes every texture and forgets every name.
    releaseTextureCache();
    EXPECT_FALSE(glIsTexture(last));
    resetTextureCache(true);
    EXPECT_NE(loadTexture(names[255].c_str(), 0, 0), 0u);
}

TEST_F(TextureCache, InternalFormatsFollowTheQualitySwitch) {
    media.write("q.tga", solidTga(4, 4, 1, 2, 3));
    media.write("r.tga", solidTga(4, 4, 1, 2, 3));
    auto format = [](uint32_t texture) {
        GLint f = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &f);
        return f;
    };
    EXPECT_EQ(format(loadTexture("q.tga", kAlphaNone, 0)), GL_RGB);
    EXPECT_EQ(format(loadTexture("r.tga", kAlphaLuminance, 0)), GL_RGBA);
    releaseTextureCache();
    resetTextureCache(false);
    EXPECT_EQ(format(loadTexture("q.tga", kAlphaNone, 0)), GL_R3_G3_B2);
    EXPECT_EQ(format(loadTexture("r.tga", kAlphaLuminance, 0)), GL_RGBA2);
}

TEST_F(TextureCache, MipmapLevels) {
    // 64 x 64 with a checkerboard of 0 and 200: every level is the box-filtered mean.
    std::vector<uint8_t> px;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t v = (x + y) % 2 ? 200 : 0;
            px.insert(px.end(), {v, v, v, 255});
        }
    media.write("m.tga", tgaHeader(2, 64, 64, 32, 32) + std::string(px.begin(), px.end()));
    uint32_t texture = loadTexture("m.tga", kAlphaBlue, 0);
    ASSERT_TRUE(buildMipmaps(texture));
    for (int level = 1, side = 32; level <= 6; ++level, side /= 2) {
        std::vector<uint8_t> t = texels(texture, level);
        ASSERT_EQ(t.size(), size_t(side) * side * 4) << level;
        EXPECT_EQ(t[0], 100);
        EXPECT_EQ(t[3], 255);
    }
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST_MIPMAP_NEAREST);

    media.write("s.tga", solidTga(64, 32, 1, 2, 3));
    EXPECT_FALSE(buildMipmaps(loadTexture("s.tga", kAlphaNone, 0)));  // width + height 96
    EXPECT_FALSE(buildMipmaps(0));
    GLuint foreign = 0;
    glGenTextures(1, &foreign);  // a texture the cache did not make
    EXPECT_FALSE(buildMipmaps(foreign));
    glDeleteTextures(1, &foreign);
    // A side that is odd or reaches 1 first repeats its last row or column.
    media.write("n.tga", solidTga(101, 30, 40, 80, 120));
    uint32_t odd = loadTexture("n.tga", kAlphaNone, 0);
    ASSERT_TRUE(buildMipmaps(odd));
    std::vector<uint8_t> last = texels(odd, 6);
    ASSERT_EQ(last.size(), 4u);  // 101 x 30 -> 50x15, 25x7, 12x3, 6x1, 3x1, 1x1
    EXPECT_EQ(last[0], 120);

    resetTextureCache(false);
    media.write("l.tga", solidTga(64, 64, 1, 2, 3));
    EXPECT_FALSE(buildMipmaps(loadTexture("l.tga", kAlphaNone, 0)));  // low quality: none
}

}  // namespace
