// vexar-mediaview: looks at the media set the way a player would.
//   models OUTDIR            renders every model from three sides into
//                            OUTDIR/<model>-<view>.ppm (a real GL context)
//   scene OUTDIR             renders models placed and lit as in the game
//                            (the one point light at (0, 1, 1), no
//                            normal rescaling) into OUTDIR/scene-*.ppm
//   song MIDI SF2 OUT LOOPS  renders the song through FluidSynth into a WAV,
//                            LOOPS times in a row, to hear the loop seam
#include <fluidsynth.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "media_set.h"
#include "models.h"
#include "render/gl1/gl.h"
#include "platform/offscreen_gl.h"

namespace {

constexpr int kSize = 320;

const Picture* pictureNamed(const std::string& name) {
    for (const Picture& p : allPictures())
        if (p.fileName == name) return &p;
    return nullptr;
}

// Uploads the model's texture with its alpha rule applied.
void bindTexture(const Material& m) {
    const Picture* picture = pictureNamed(m.textureFile);
    if (!picture) return;
    Canvas c = picture->paint();
    std::vector<uint8_t> bgra = c.bgr(true), rgba(bgra.size());
    for (size_t i = 0; i < bgra.size(); i += 4) {
        rgba[i] = bgra[i + 2], rgba[i + 1] = bgra[i + 1], rgba[i + 2] = bgra[i];
        rgba[i + 3] = m.alphaRule == "NONE" ? 255 : bgra[i + 3];
    }
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, c.width, c.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glEnable(GL_TEXTURE_2D);
}

void drawMesh(const Model& model) {
    const Rgba& d = model.material.diffuse;
    GLfloat diffuse[4] = {d.r, d.g, d.b, d.a};
    glColor4fv(diffuse);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMateriali(GL_FRONT, GL_SHININESS, int(model.material.shininess));
    bool blended = model.material.alphaRule != "NONE";
    if (blended) glEnable(GL_BLEND);
    glBegin(GL_TRIANGLES);
    for (const auto& f : model.mesh.faces)
        for (uint32_t i : f) {
            const MeshVertex& v = model.mesh.vertices[i];
            glTexCoord2f(v.u, v.v);
            glNormal3f(v.normal.x, v.normal.y, v.normal.z);
            glVertex3f(v.position.x, v.position.y, v.position.z);
        }
    glEnd();
    if (blended) glDisable(GL_BLEND);
}

bool writePpm(const std::string& path) {
    std::vector<uint8_t> pixels(size_t(kSize) * kSize * 3);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", kSize, kSize);
    for (int y = kSize - 1; y >= 0; --y)
        std::fwrite(&pixels[size_t(y) * kSize * 3], 1, size_t(kSize) * 3, f);
    return std::fclose(f) == 0;
}

// Views: yaw and pitch of the camera around the model, in degrees.
struct View {
    const char* name;
    float yaw, pitch;
};
const View kViews[] = {{"1front", 30, 20}, {"2side", 95, 8}, {"3back", 215, 35}};

void setUpGl() {
    glViewport(0, 0, kSize, kSize);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1}, white[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glEnable(GL_LIGHT0);
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_EMISSION, ambient);
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
}

void beginFrame(double nearPlane, double farPlane) {
    glClearColor(0.05f, 0.06f, 0.12f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double h = 0.4 * nearPlane;
    glFrustum(-h, h, -h, h, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void drawModel(const Model& model) {
    bool lit = model.material.alphaRule == "NONE";
    if (lit)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    bindTexture(model.material);
    drawMesh(model);
}

int renderModels(const std::string& folder) {
    OffscreenGl* gl = createOffscreenGl(kSize, kSize);
    if (!gl) return 1;
    setUpGl();
    int failures = 0;
    glEnable(GL_NORMALIZE);  // some models carry long normals for their world scale
    for (const Model& model : buildAllModels()) {
        Vec3 low, high;
        meshBounds(model.mesh, low, high);
        Vec3 centre = (low + high) * 0.5f;
        float radius = length(high - low) * 0.5f;
        for (const View& view : kViews) {
            beginFrame(0.25, 100 * radius);
            // A light above and to the left of the camera, like a sun.
            GLfloat lightPosition[4] = {-0.5f, 0.8f, 1.0f, 0};
            glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
            glTranslatef(0, 0, -radius * 2.3f);
            glRotatef(view.pitch, 1, 0, 0);
            glRotatef(-view.yaw, 0, 1, 0);
            glTranslatef(-centre.x, -centre.y, -centre.z);
            drawModel(model);
            std::string name = model.fileName.substr(0, model.fileName.size() - 4);
            failures += !writePpm(folder + "/" + name + "-" + view.name + ".ppm");
        }
    }
    destroyOffscreenGl(gl);
    return failures ? 1 : 0;
}

// Multiplies a camera at `eye` looking at `target` (y up) onto the matrix.
void lookAt(Vec3 eye, Vec3 target) {
    Vec3 f = normalized(target - eye), s = normalized(cross(f, {0, 1, 0})), u = cross(s, f);
    GLfloat m[16] = {s.x, u.x, -f.x, 0, s.y, u.y, -f.y, 0, s.z, u.z, -f.z, 0, 0, 0, 0, 1};
    glMultMatrixf(m);
    glTranslatef(-eye.x, -eye.y, -eye.z);
}

struct Shot {
    const char* name;
    const char* model;
    Vec3 position, scale, eye;
};
// Where the world puts things: the station (x10) and its light at the
// origin, a body 200-600 units out, a panel at 75, a droid at its home.
const Shot kScene[] = {
    {"station", "spaceStation1.a3f", {0, 0, 0}, {10, 10, 10}, {55, 30, 75}},
    {"body", "deathStar.a3f", {300, 40, 260}, {15, 12, 18}, {240, 50, 200}},
    {"panel", "solarPanel.a3f", {75, 0, 0}, {1, 1, 1}, {35, 20, 50}},
    {"droid", "spaceShip1.a3f", {10, 1, 1}, {1, 1, 1}, {13, 3, 5}},
    {"radar", "spaceRadar.a3f", {300, 62, 260}, {1, 1, 1}, {296, 64, 265}},
};

int renderScene(const std::string& folder) {
    OffscreenGl* gl = createOffscreenGl(kSize, kSize);
    if (!gl) return 1;
    setUpGl();
    auto models = buildAllModels();
    int failures = 0;
    for (const Shot& shot : kScene) {
        beginFrame(0.5, 2000);
        lookAt(shot.eye, shot.position);
        GLfloat lightPosition[4] = {0, 1, 1, 1};  // the game's point light
        glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
        glTranslatef(shot.position.x, shot.position.y, shot.position.z);
        glScalef(shot.scale.x, shot.scale.y, shot.scale.z);
        for (const Model& model : models)
            if (model.fileName == shot.model) drawModel(model);
        failures += !writePpm(folder + "/scene-" + shot.name + ".ppm");
    }
    destroyOffscreenGl(gl);
    return failures ? 1 : 0;
}

int renderSong(const char* midi, const char* soundFont, const char* out, int loops) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setstr(settings, "audio.file.name", out);
    fluid_settings_setstr(settings, "audio.file.type", "wav");
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    int status = 1;
    if (fluid_synth_sfload(synth, soundFont, 1) != FLUID_FAILED) {
        fluid_player_t* player = new_fluid_player(synth);
        fluid_player_add(player, midi);
        fluid_player_set_loop(player, loops);
        fluid_file_renderer_t* renderer = new_fluid_file_renderer(synth);
        fluid_player_play(player);
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING)
            if (fluid_file_renderer_process_block(renderer) != FLUID_OK) break;
        delete_fluid_file_renderer(renderer);
        delete_fluid_player(player);
        status = 0;
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "models" && argc == 3) return renderModels(argv[2]);
    if (mode == "scene" && argc == 3) return renderScene(argv[2]);
    if (mode == "song" && argc == 6)
        return renderSong(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    std::fprintf(
        stderr,
        "usage: vexar-mediaview models OUTDIR | scene OUTDIR | song MIDI SF2 OUT.wav LOOPS\n");
    return 2;
}
