#include "platform/launcher_drawing.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

bool startLauncherDrawing() { return ImGui_ImplOpenGL2_Init(); }

void stopLauncherDrawing() { ImGui_ImplOpenGL2_Shutdown(); }

void beginLauncherFrame() { ImGui_ImplOpenGL2_NewFrame(); }

void finishLauncherFrame(int width, int height) {
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}

uint32_t makeLauncherPicture(const uint8_t* bgra, int width, int height, int pitch) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_BGRA_EXT, GL_UNSIGNED_BYTE, bgra);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
    return texture;
}

void deleteLauncherPicture(uint32_t texture) {
    if (texture != 0) glDeleteTextures(1, &texture);
}
