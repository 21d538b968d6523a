#include "platform/launcher_drawing.h"

#include <GLES2/gl2.h>
#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>

#include <cstddef>
#include <vector>

// GLSL ES 1.00, which WebGL 1 takes too.
bool startLauncherDrawing() { return ImGui_ImplOpenGL3_Init("#version 100"); }

void stopLauncherDrawing() { ImGui_ImplOpenGL3_Shutdown(); }

void beginLauncherFrame() { ImGui_ImplOpenGL3_NewFrame(); }

void finishLauncherFrame(int width, int height) {
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

// OpenGL ES takes neither blue-first pixels nor a row length: the rows are
// packed and turned to red first here, and alpha made opaque.
uint32_t makeLauncherPicture(const uint8_t* bgra, int width, int height, int pitch) {
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* in = bgra + size_t(y) * size_t(pitch) + size_t(x) * 4;
            uint8_t* out = &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = 255;
        }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
    return texture;
}

void deleteLauncherPicture(uint32_t texture) {
    if (texture != 0) glDeleteTextures(1, &texture);
}
