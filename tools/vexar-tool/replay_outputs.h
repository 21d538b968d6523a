#pragma once
#include "game/world.h"

#include <cstdio>
#include <string>

// The files a replay writes into its output folder.

// state.txt: a header of column names, then one line a frame.
void writeStateHeader(std::FILE* file);
void writeStateLine(std::FILE* file, int frame, const World& world);

// frame-NNNNNN.png: the frame as drawn, read back from the back buffer; for
// a picture before it, between it and the frame before (picture 1 and on,
// of --pictures-per-frame), frame-NNNNNN-P.png.
std::string screenshotPath(const std::string& folder, int frame, int picture = 0);
bool writeScreenshot(const std::string& folder, int frame, int width, int height,
                     int picture = 0);
