#pragma once
#include <cstdio>
#include <string>
#include <vector>

// What the file system does differently on each system. Paths are UTF-8
// everywhere in the game (SDL gives them so); Windows opens them through its
// wide-character calls, so a folder named for a player like "Zoë" works.
// file_system_posix.cpp and file_system_windows.cpp.

// The program's arguments in UTF-8 (Windows hands a program its command line
// in the local code page, which cannot hold every name).
std::vector<std::string> programArguments(int argc, char** argv);

// fopen for a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);

// Replaces the file's contents as one step: the bytes go to a temporary file
// beside it, are flushed to the disk, and the temporary file then takes the
// old one's place, so a crash at any moment leaves the old file or the new
// one, never a mixture. Returns "" when done, else the first failure in the
// system's words (and the old file as it was).
std::string replaceFileContents(const std::string& path, const std::string& bytes);

// Renames `from` to `to`, replacing a file already there in one step: ""
// when done, else the system's reason (and both as they were).
std::string moveFileOver(const std::string& from, const std::string& to);

// Whether the game may keep its own files in this existing folder. An
// installed game's folder is not: under Program Files on Windows, or one the
// player cannot write to.
bool folderAcceptsGameFiles(const std::string& folder);

// The player's own folder for the game's files, ending in a separator
// (~/.local/share/vexar/ on Linux, %APPDATA%\Vexar\ on Windows), created if
// missing; "" when there is none.
std::string perUserFolder();
// That folder's own name, spelt as the system's programs spell theirs
// (file_system_posix.cpp, file_system_windows.cpp).
extern const char kPerUserFolderName[];
