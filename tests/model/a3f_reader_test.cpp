// The model reader on files built in the test: what it stores, each failure
// with its message and subject, and the malformed input it must refuse.
#include "model/a3f_reader.h"
#include "model/model_loading.h"
#include "support/error_capture.h"
#include "support/scratch_media.h"

#include <gtest/gtest.h>

namespace {

const char* const kExample = R"(A3F
VERSION { 1.0 }
COMMENT { a single triangle }
VERTICES {
  POSITION_NORMAL_TEXCOORDS 3
  0 0 0   0 0 1   0 0
  1 0 0   0 0 1   1 0
  0 1 0   0 0 1   0 1
}
FACES {
  1
  0 1 2 0
}
MATERIALS {
  1
  {
    NAME hull
    AMBIENT 0.2 0.2 0.2 1
    DIFFUSE 1 0.5 0.25 1
    SPECULAR 0 0 0 1
    EMISSION 0 0 0 1
    SHININESS 10
    TEXTURE {
      FILE hull.jpg
      ALPHA NONE
    }
  }
}
)";

class A3fReader : public ::testing::Test {
protected:
    void SetUp() override { constructSceneObject(object); }
    void TearDown() override { releaseModelArrays(object); }

    bool load(const std::string& text) {
        media.write("m.a3f", text);
        errors.clear();
        return loadA3fModel("m.a3f", object);
    }
    // Loads a file that must fail and returns the one error text. Whatever
    // the box says, its line on standard error names the file.
    std::string failure(const std::string& text) {
        EXPECT_FALSE(load(text));
        for (const std::string& line : errors.lines())
            EXPECT_NE(line.find(media.path("m.a3f")), std::string::npos) << line;
        return errors.only();
    }

    ScratchMedia media;
    ErrorCapture errors;
    SceneObject object;
};

std::string withFaces(const std::string& vertices) {
    return "A3F VERTICES { " + vertices + " } FACES { 0 }";
}

TEST_F(A3fReader, ReadsTheExampleFile) {
    object.velocity = {1, 2, 3};
    object.matrix[12] = 9;
    ASSERT_TRUE(load(kExample));
    EXPECT_EQ(object.vertexCount, 3u);
    EXPECT_EQ(object.faceCount, 1u);
    EXPECT_TRUE(object.hasNormals);
    EXPECT_EQ(object.vertices[1].position.x, 1.0f);
    EXPECT_EQ(object.vertices[2].v, 1.0f);
    EXPECT_EQ(object.vertices[0].normal.z, 1.0f);
    EXPECT_EQ(object.faces[0].index[1], 1u);
    EXPECT_EQ(object.boundsMax.y, 1.0f);
    EXPECT_EQ(object.boundsMin.z, 0.0f);
    EXPECT_STREQ(object.materialName, "hull");
    EXPECT_EQ(object.diffuse[2], 0.25f);
    EXPECT_EQ(object.ambient[0], 0.2f);
    EXPECT_EQ(object.shininess, 10u);
    EXPECT_STREQ(object.textureFile, "hull.jpg");
    EXPECT_EQ(object.side, 1);
    EXPECT_EQ(object.matrix[12], 0.0f);
    EXPECT_EQ(object.velocity.y, 2.0f);  // motion state is the game's
    // The picture is the drawing's to load: reading the model asks nothing of it.
    EXPECT_TRUE(errors.lines().empty());
    EXPECT_NE(object.model, 0u);
}

TEST_F(A3fReader, EachMissingPartIsReportedWithItsOwnMessageAndTheFileName) {
    EXPECT_FALSE(loadA3fModel("absent.a3f", object));
    EXPECT_EQ(errors.only(), "Could not open file: " + media.path("absent.a3f") +
                                 " The application will continue.");
    EXPECT_EQ(failure(""), "Not an .a3f file: m.a3f The application will continue.");
    EXPECT_EQ(failure("a3f VERTICES"), "Not an .a3f file: m.a3f The application will continue.");
    EXPECT_EQ(failure("A3F"), "Failed to find section VERTICES: m.a3f The application will continue.");
    EXPECT_EQ(failure("A3F VERTICES { POSITION_NORMAL 0 }"),
              "Failed to find section FACES: m.a3f The application will continue.");
    EXPECT_EQ(failure("A3F VERTICES { position_normal 0 }"),
              "Bad vertex format: position_normal The application will continue.");
    EXPECT_EQ(failure(withFaces("POSITION_NORMAL 2 1 5 5 0 0 1  3 5 5 0 0 1")),
              "Bad model: 1 dimensional The application will continue.");
}

TEST_F(A3fReader, SectionBracesAndClosingTokens) {
    // Without its "{" a section reads the same.
    ASSERT_TRUE(load("A3F VERTICES POSITION_NORMAL 0 } FACES 0 }"));
    // A "{" glued to the name makes one unknown token; the section's content is stray.
    EXPECT_EQ(failure("A3F VERTICES{ POSITION_NORMAL 0 } FACES { 0 }"),
              "Failed to find section VERTICES: m.a3f The application will continue.");
    // Without its closing token VERTICES swallows the next section's name.
    EXPECT_EQ(failure("A3F VERTICES { POSITION_NORMAL 0 FACES { 0 }"),
              "Failed to find section FACES: m.a3f The application will continue.");
    // A "}" glued to a word does not end a comment.
    EXPECT_EQ(failure("A3F COMMENT { x} VERTICES { POSITION_NORMAL 0 } } FACES { 0 }"),
              "Failed to find section VERTICES: m.a3f The application will continue.");
    // Numbers take only what converts, so a glued "}" still closes.
    ASSERT_TRUE(load("A3F\tVERSION {1.5}\r\nVERTICES {POSITION_TEXCOORDS 1 1 2 3 4 5}"
                     " FACES { 1 0 0 0 7}"));
    EXPECT_EQ(object.vertices[0].v, 5.0f);
    // A file may end where a section, material or texture keyword could start.
    ASSERT_TRUE(load("A3F FACES 0 } VERTICES POSITION_NORMAL 0 } MATERIALS 1 { DIFFUSE 1 1 1 0.5"));
    EXPECT_EQ(object.diffuse[3], 0.5f);
}

TEST_F(A3fReader, EmptySectionsAndBoundsStartValues) {
    ASSERT_TRUE(load(withFaces("POSITION_NORMAL 0")));
    EXPECT_EQ(object.vertexCount, 0u);
    EXPECT_EQ(object.boundsMin.x, 100000.0f);
    EXPECT_EQ(object.boundsMax.z, -100000.0f);
    ASSERT_TRUE(load(withFaces("POSITION_TEXCOORDS 1 200000 -200000 5 0 0")));
    EXPECT_EQ(object.boundsMin.x, 100000.0f);
    EXPECT_EQ(object.boundsMax.x, 200000.0f);
    EXPECT_EQ(object.boundsMin.y, -200000.0f);
    EXPECT_EQ(object.boundsMax.y, -100000.0f);
    EXPECT_FALSE(object.hasNormals);
}

TEST_F(A3fReader, GeneratedTextureCoordinatesOnFlatModels) {
    // x-z plane: u from x, v from z.
    ASSERT_TRUE(load(withFaces("POSITION_NORMAL 3  0 1 0 0 1 0  4 1 0 0 1 0  2 1 8 0 1 0")));
    EXPECT_EQ(object.vertices[1].u, 1.0f);
    EXPECT_EQ(object.vertices[2].u, 0.5f);
    EXPECT_EQ(object.vertices[2].v, 1.0f);
    // dy = dz: the second axis is z.
    ASSERT_TRUE(load(withFaces("POSITION_NORMAL 3  0 0 0 0 0 1  2 4 4 0 0 1  1 1 3 0 0 1")));
    EXPECT_EQ(object.vertices[2].v, 0.75f);
    ASSERT_TRUE(load(withFaces("POSITION_NORMAL 3  0 0 0 0 0 1  2 4 1 0 0 1  1 2 0 0 0 1")));
    EXPECT_EQ(object.vertices[2].v, 0.5f);  // y wider than z
    // All on one x: no coordinates are generated.
    ASSERT_TRUE(load(withFaces("POSITION_NORMAL 2  3 0 0 1 0 0  3 5 5 1 0 0")));
    EXPECT_EQ(object.vertices[1].u, 0.0f);
    EXPECT_EQ(object.vertices[1].v, 0.0f);
}

TEST_F(A3fReader, MaterialsAndAlpha) {
    const char* model = "A3F VERTICES POSITION_NORMAL 0 } FACES 0 } MATERIALS { 2 "
                        "{ NAME first DIFFUSE 1 0 0 1 SHININESS 7 TEXTURE { FILE a.tga ALPHA 200 } } "
                        "{ DIFFUSE 0 1 0 1 TEXTURE { ALPHA RED_MASK } } }";
    object.alphaMode = kAlphaBlue;
    ASSERT_TRUE(load(model));
    EXPECT_EQ(object.diffuse[0], 0.0f);     // the second block's colour stands
    EXPECT_STREQ(object.materialName, "first");
    EXPECT_EQ(object.shininess, 7u);
    EXPECT_STREQ(object.textureFile, "");  // forgotten when the second block started
    EXPECT_EQ(object.alphaMode, kAlphaRedMask);
    EXPECT_EQ(object.alphaValue, 200.0f);  // kept from the numeric ALPHA

    ASSERT_TRUE(load("A3F VERTICES POSITION_NORMAL 0 } FACES 0 } MATERIALS { 1 "
                     "{ TEXTURE { ALPHA 0.5 } } } MATERIALS 1 } MATERIALS 1 { TEXTURE { } }"));
    EXPECT_EQ(object.alphaMode, kAlphaNumeric);
    EXPECT_EQ(object.alphaValue, 0.5f);
    ASSERT_TRUE(load("A3F VERTICES POSITION_NORMAL 0 } FACES 0 }"));
    EXPECT_EQ(object.alphaMode, kAlphaNone);  // reset by every load
    EXPECT_EQ(object.alphaValue, 0.5f);       // but not the value
    ASSERT_TRUE(load("A3F VERTICES POSITION_NORMAL 0 } FACES 0 } MATERIALS 1 { TEXTURE { ALPHA x1 } }"));
    EXPECT_EQ(object.alphaValue, 0.0f);  // a token that is no number gives 0
    // Just above the midpoint of 1 and the next float: a double first, then a float.
    ASSERT_TRUE(load("A3F VERTICES POSITION_NORMAL 0 } FACES 0 } MATERIALS 1 "
                     "{ TEXTURE { ALPHA 1.00000005960464477539062500000001 } }"));
    EXPECT_EQ(object.alphaValue, 1.0f);

    const char* names[] = {"NONE", "LUMINANCE", "ILLUMINANCE", "BLACK_MASK", "RED", "GREEN",
                           "BLUE", "RED_MASK", "GREEN_MASK", "BLUE_MASK", "blue"};
    for (int mode = 0; mode <= kAlphaNumeric; ++mode) {
        ASSERT_TRUE(load(std::string("A3F VERTICES POSITION_NORMAL 0 } FACES 0 } MATERIALS 1 "
                                     "{ TEXTURE { ALPHA ") + names[mode] + " } }"));
        EXPECT_EQ(object.alphaMode, mode) << names[mode];
    }
}

TEST_F(A3fReader, LaterSectionsReplaceEarlierArrays) {
    ASSERT_TRUE(load("A3F FACES 1 0 1 2 0 } VERTICES POSITION_TEXCOORDS 1 0 0 0 0 0 } "
                     "VERTICES POSITION_TEXCOORDS 3 0 0 0 0 0 1 0 0 0 0 0 1 0 0 0 }"));
    EXPECT_EQ(object.vertexCount, 3u);  // faces are checked against the final vertex array
}

TEST_F(A3fReader, RefusesMalformedInput) {
    const std::string ok = "A3F VERTICES POSITION_TEXCOORDS 1 1 2 3 4 5 } FACES 0 }";
    ASSERT_TRUE(load(ok));
    struct Case {
        std::string text, subject;
    } cases[] = {
        {"A3F VERTICES POSITION_TEXCOORDS 1 1 2 x 4 5 } FACES 0 }", "unreadable number"},
        {"A3F VERTICES POSITION_TEXCOORDS 1 1 2 3 4", "unexpected end of file"},
        {"A3F VERTICES POSITION_TEXCOORDS", "unexpected end of file"},
        {"A3F VERTICES POSITION_TEXCOORDS 1000 1 2 3 4 5 } FACES 0 }", "vertex count too large"},
        {"A3F VERTICES POSITION_TEXCOORDS -1 1 2 3 4 5 } FACES 0 }", "vertex count too large"},
        {"A3F VERTICES POSITION_TEXCOORDS 1 1 2 3 4 5 } FACES 99 0 0 0 0 }", "face count too large"},
        {"A3F VERTICES POSITION_TEXCOORDS 1 1 2 3 4 5 } FACES 1 0 0 1 0 }", "face index out of range"},
        {"A3F VERTICES POSITION_TEXCOORDS 1 1 2 3 4 5 } FACES 1 0 0 -1 0 }", "face index out of range"},
        {"A3F VERTICES POSITION_TEXCOORDS 1 1 2 3 4 5 } FACES 1 0 0", "unexpected end of file"},
        {"A3F VERTICES POSITION_TEXCOORDS 0 } FACES 0 } MATERIALS 2 { }", "unexpected end of file"},
        {"A3F VERTICES POSITION_TEXCOORDS 0 } FACES 0 } MATERIALS 1 { DIFFUSE 1 1", "unexpected end of file"},
        {"A3F VERTICES POSITION_TEXCOORDS 0 } FACES 0 } MATERIALS 1 { SHININESS x }", "unreadable number"},
        {"A3F VERSION { x } VERTICES POSITION_TEXCOORDS 0 } FACES 0 }", "unreadable number"},
        {"A3F COMMENT { " + std::string(260, 'c') + " } VERTICES POSITION_TEXCOORDS 0 } FACES 0 }",
         "token too long"},
        {"A3F VERTICES POSITION_TEXCOORDS 0 } FACES 0 } MATERIALS 1 { NAME " + std::string(300, 'n'),
         "token too long"},
    };
    // What the game never checked is named with the file's path and the reason.
    for (const Case& c : cases)
        EXPECT_EQ(failure(c.text), "Bad model: " + media.path("m.a3f") + ": " + c.subject +
                                       " The application will continue.")
            << c.text;
    // A failed load never leaves faces that point outside the vertex array.
    EXPECT_FALSE(load("A3F VERTICES POSITION_TEXCOORDS 1 1 2 3 4 5 } FACES 1 0 0 1 0 }"));
    EXPECT_EQ(object.faceCount, 0u);
    EXPECT_FALSE(load("A3F FACES 1 0 1 2 0 } VERTICES POSITION_TEXCOORDS 1 0 0 0 0 x"));
    EXPECT_EQ(object.faceCount, 0u);
    // The longest token allowed.
    ASSERT_TRUE(load("A3F VERTICES POSITION_NORMAL 0 } FACES 0 } MATERIALS 1 { NAME " +
                     std::string(259, 'n') + " }"));
    EXPECT_EQ(std::string(object.materialName), std::string(259, 'n'));
}

}  // namespace
