// `vexar-tool check` on models and pictures and `vexar-tool obj2a3f`, run as
// the built program on files written in the test; the converted model is
// read back with the game's own reader.
#include "../model/picture_files.h"
#include "model/a3f_reader.h"
#include "support/error_capture.h"
#include "support/scratch_media.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>


namespace {

ToolRun tool(const ScratchMedia& media, const std::string& arguments) {
    return runTool(media.folder, arguments);
}

const char* const kModel = R"(A3F
VERTICES { POSITION_TEXCOORDS 3
  0 0 0  0 0
  1.5 0 -2  1 0
  0 0.1 0  0 1 }
FACES { 1 0 1 2 0 }
MATERIALS { 1 { NAME shiny DIFFUSE 0.25 0.5 1 0.75 SHININESS 12
  TEXTURE { FILE skin.tga ALPHA 0.1 } } }
)";

TEST(CheckTool, ModelKeysAndVerboseRecords) {
    ScratchMedia media;
    media.write("m.a3f", kModel);
    media.write("skin.tga", solidTga(2, 2, 1, 2, 3));
    ToolRun run = tool(media, "check --verbose " + media.path("m.a3f"));
    EXPECT_EQ(run.status, 0) << run.err;
    // (The tool names the file first when it is given more than one argument.)
    EXPECT_EQ(run.out.substr(run.out.find("vertices:")), "vertices: 3\nfaces: 1\nnormals: no\nbounds: 0 0 -2 1.5 0.100000001 0\n"
                       "material: shiny\ndiffuse: 0.25 0.5 1 0.75\nshininess: 12\ntexture: skin.tga\n"
                       "texture-loaded: yes\nalpha-mode: 10\nalpha-value: 0.100000001\n"
                       "v: 0 0 0 0 0 0 0 0\nv: 1.5 0 -2 0 0 0 1 0\nv: 0 0.100000001 0 0 0 0 0 1\n"
                       "f: 0 1 2\nresult: ok\n");
    // A model whose texture is missing would be drawn bare: the check fails.
    std::remove(media.path("skin.tga").c_str());
    run = tool(media, "check " + media.path("m.a3f"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("texture-loaded: no\n"), std::string::npos);
    EXPECT_EQ(run.out.find("v: "), std::string::npos);
    EXPECT_EQ(run.out.substr(run.out.size() - 15), "result: failed\n");
    EXPECT_EQ(run.err, media.path("skin.tga") +
                           ": Unable to load the texture file: skin.tga\n");
}

TEST(CheckTool, ModelFailuresGiveTheGamesMessage) {
    ScratchMedia media;
    media.write("bad.a3f", "A3F VERTICES { POSITION 3 }");
    ToolRun run = tool(media, "check " + media.path("bad.a3f"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, media.path("bad.a3f") + ": Bad vertex format: POSITION\n");
    EXPECT_EQ(run.out, "result: failed\n");
    media.write("long.a3f", "A3F VERTICES { POSITION_NORMAL 99 0 0 0 }");
    run = tool(media, "check " + media.path("long.a3f"));
    EXPECT_EQ(run.err, "Bad model: " + media.path("long.a3f") +
                           ": vertex count too large\n");
}

TEST(CheckTool, Pictures) {
    ScratchMedia media;
    // Turned by 180 degrees: the file's last pixel is the buffer's first.
    media.write("p.tga", tgaHeader(2, 2, 1, 24, 0) + bytes({1, 2, 3, 4, 5, 6}));
    ToolRun run = tool(media, "check " + media.path("p.tga"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "width: 2\nheight: 1\nfirst-pixel: 4 5 6\nlast-pixel: 1 2 3\nresult: ok\n");
    media.write("q.bmp", "BM?");
    run = tool(media, "check " + media.path("q.bmp"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, media.path("q.bmp") + ": Unable to load the texture file: q.bmp\n");
}

TEST(CheckTool, SettingsAreReadAsTheGameReadsThem) {
    ScratchMedia media;
    media.write("game.ini", "; mine\n[Game]\nWidth=800\nHeight=600\nUseScreenRes=1\n[Mods]\nX=1\n");
    ToolRun run = tool(media, "check " + media.path("game.ini"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Windowed: 1\nLights: 0\nMusic: 0\nJoystick: 0\nUseHiQualTex: 0\n"
                       "Width: 800\nHeight: 600\nUseScreenRes: 1\nSoundVolume: 100\nMusicVolume: 100\n"
                       "MouseSpeed: 100\nInvertMouse: 0\nSmoothMotion: 1\nresult: ok\n");
    // What Start stores after an empty list leaves the list empty again.
    media.write("game.ini", "[Game]\nUseScreenRes=-1\n");
    run = tool(media, "check " + media.path("game.ini"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("game.ini: UseScreenRes is outside 0..3"), std::string::npos) << run.err;
}

TEST(CheckTool, FilesBesideTheMediaAreSkippedAndUnknownOnesFail) {
    ScratchMedia media;
    media.write("Font.TTF", "not read");
    media.write("mine.sf2", "not read");
    media.write("notes.txt", "x");
    ToolRun run = tool(media, "check " + media.path("Font.TTF") + " " + media.path("mine.sf2"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("result: skipped (a font, not a media file)\n"), std::string::npos);
    run = tool(media, "check " + media.path("notes.txt") + " " + media.path("absent.a3f"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, media.path("notes.txt") + ": no reader for this kind of file\n" +
                           media.path("absent.a3f") + ": no such file\n");
    EXPECT_EQ(run.out, "file: " + media.path("notes.txt") + "\nresult: failed\nfile: " +
                           media.path("absent.a3f") + "\nresult: failed\n");
}

// A unit cube's top face and one side, as an exporter would write them:
// a quad with slash-form indices and a triangle with negative ones.
const char* const kObj = R"(# test mesh
mtllib cube.mtl
o cube
v 0 1 0
v 1 1 0
v 1 1 -1
v 0 1 -1
vt 0 0
vt 1 0
vt 1 1
vt 0 1
vn 0 1 0
vn 0 0 1
usemtl paint
f 1/1/1 2/2/1 3/3/1 4/4/1
v 0 0 0
v 1 0 0
f -2//2 -1//2 2//2
)";

const char* const kMtl = R"(newmtl other
Kd 0 0 0
newmtl paint
Kd 0.5 0.25 1
Ks 0.1 0.2 0.3
Ns 40
map_Kd -s 1 1 1 paint.tga
)";

TEST(Obj2a3f, ConvertsAndReadsBackWithTheRightFacing) {
    ScratchMedia media;
    media.write("cube.obj", kObj);
    media.write("cube.mtl", kMtl);
    ToolRun run = tool(media, "obj2a3f " + media.path("cube.obj") + " " + media.path("cube.a3f"));
    ASSERT_EQ(run.status, 0) << run.err;

    ErrorCapture errors;
    SceneObject o;
    constructSceneObject(o);
    ASSERT_TRUE(readA3fText(readFileText(media.path("cube.a3f")).c_str(),
                            readFileText(media.path("cube.a3f")).size(), "cube.a3f", o));
    EXPECT_TRUE(o.hasNormals);
    EXPECT_EQ(o.faceCount, 3u);  // the quad fanned into two triangles
    EXPECT_EQ(o.vertexCount, 7u);
    EXPECT_EQ(o.diffuse[1], 0.25f);
    EXPECT_EQ(o.specular[2], 0.3f);
    EXPECT_EQ(o.shininess, 40u);
    EXPECT_STREQ(o.textureFile, "paint.tga");
    EXPECT_STREQ(o.materialName, "paint");
    // Every face winds counter-clockwise around its OBJ normal, so it is drawn from that side.
    for (uint32_t f = 0; f < o.faceCount; ++f) {
        const uint32_t* i = o.faces[f].index;
        Vec3 a = o.vertices[i[0]].position;
        Vec3 n = cross(o.vertices[i[1]].position - a, o.vertices[i[2]].position - a);
        EXPECT_GT(dot(n, o.vertices[i[0]].normal), 0.0f) << f;
    }
    // Corner by corner the OBJ's data, with v measured from the picture's top.
    const ModelVertex& third = o.vertices[o.faces[0].index[2]];
    EXPECT_EQ(third.position.z, -1.0f);
    EXPECT_EQ(third.u, 1.0f);
    EXPECT_EQ(third.v, 0.0f);
    const ModelVertex& side = o.vertices[o.faces[2].index[1]];
    EXPECT_EQ(side.position.x, 1.0f);
    EXPECT_EQ(side.position.y, 0.0f);
    EXPECT_EQ(side.normal.z, 1.0f);
    releaseModelArrays(o);

    // And the tool's own check reads it.
    media.write("paint.tga", solidTga(1, 1, 0, 0, 0));
    run = tool(media, "check " + media.path("cube.a3f"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("texture-loaded: yes"), std::string::npos);
}

TEST(Obj2a3f, ClearErrors) {
    ScratchMedia media;
    auto convert = [&](const std::string& obj) {
        media.write("in.obj", obj);
        return tool(media, "obj2a3f " + media.path("in.obj") + " " + media.path("out.a3f"));
    };
    struct Case {
        std::string obj, message;
    } cases[] = {
        {"v 0 0 0\nv 1 0 0\nf 1 2\n", "in.obj:3: a face needs at least three corners"},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n", "in.obj:4: bad or missing vertex index in '4'"},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/5 2 3\n", "in.obj:4: bad texture coordinate index in '1/5'"},
        {"v 0 0 x\n", "in.obj:1: bad vertex position"},
        {"v 0 0 0\nv 1 0 0\nl 1 2\n", "in.obj:3: 'l' elements cannot be converted (only faces)"},
        {"# nothing\n", "in.obj: no faces to convert"},
        {"mtllib none.mtl\nusemtl a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",
         "none.mtl: cannot open the material library"},
    };
    for (const Case& c : cases) {
        ToolRun run = convert(c.obj);
        EXPECT_EQ(run.status, 1) << c.obj;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    media.write("m.mtl", "newmtl a\nmap_Kd skin.png\n");
    ToolRun run = convert("mtllib m.mtl\nusemtl a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("texture 'skin.png' cannot be used"), std::string::npos) << run.err;
    run = tool(media, "obj2a3f " + media.path("absent.obj") + " " + media.path("out.a3f"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("absent.obj: cannot open"), std::string::npos);
}

}  // namespace
