#pragma once
#include <string>

// A file written as the program goes (a demo being recorded): each write
// hands its text to the system at once, so what was written survives the
// program being killed.
struct OutputFile;

// Creates or empties the file; nullptr, with the system's reason, when it
// cannot be written.
OutputFile* openOutputFile(const std::string& path, std::string& reason);
// Appends the text and flushes it; "" when done, else the system's reason.
std::string writeOutputFile(OutputFile* file, const std::string& text);
// "" when everything reached the file, else the reason. Frees the record.
std::string closeOutputFile(OutputFile* file);
// Closes the file and removes it: nothing worth keeping was written.
void discardOutputFile(OutputFile* file, const std::string& path);
