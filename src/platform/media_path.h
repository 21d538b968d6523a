#pragma once
#include <cstddef>
#include <string>

// Every media file lives in the folder "media" beside the executable.
std::string buildMediaPath(const char* fileName);

// Rewrites a buffer holding a bare file name into that name's media path.
// The result is cut to fit the buffer (size includes the terminating NUL).
void toMediaPath(char* buffer, size_t size);

// Tools point the readers at another folder (the folder of the file they
// check); an empty string returns to the folder beside the executable.
void setMediaFolder(const std::string& folder);
std::string mediaFolder();
