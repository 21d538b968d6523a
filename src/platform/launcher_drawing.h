#pragma once
#include <cstdint>

// The launcher's own drawing through Dear ImGui's back end for the linked
// renderer's kind of context (OpenGL 2 with the 1.1 renderer, OpenGL 3's in
// its ES 2 form with the ES 2 renderer): one file per kind, chosen with the
// renderer. Everything needs the launcher's context current.

bool startLauncherDrawing();
void stopLauncherDrawing();
void beginLauncherFrame();
// Clears the window and draws what Dear ImGui was given this frame.
void finishLauncherFrame(int width, int height);

// A texture of `width` x `height` blue, green, red, alpha pixels, rows
// `pitch` bytes apart, top row first, shown pixel for pixel; 0 when the
// driver refuses it.
uint32_t makeLauncherPicture(const uint8_t* bgra, int width, int height, int pitch);
void deleteLauncherPicture(uint32_t texture);
