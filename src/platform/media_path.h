#pragma once
#include <string>

// Every media file lives in the folder "media" beside the executable.
std::string buildMediaPath(const char* fileName);

// Tools point the readers at another folder (the folder of the file they
// check); an empty string returns to the folder beside the executable.
void setMediaFolder(const std::string& folder);
std::string mediaFolder();
