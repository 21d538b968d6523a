#pragma once
#include <string>

// A file written as the program goes (a demo being recorded). Until it is
// finished it is a temporary file beside its final name (the name with
// kTemporarySuffix), so a file already there under that name stays as it was
// until something better replaces it. Each write hands its text to the
// system at once, so what was written survives the program being killed, in
// the temporary file.
struct OutputFile;

constexpr const char kTemporarySuffix[] = ".part";

// Creates or empties the temporary file; nullptr, with the system's reason,
// when it cannot be written.
OutputFile* openOutputFile(const std::string& path, std::string& reason);
// Appends the text and flushes it; "" when done, else the system's reason.
std::string writeOutputFile(OutputFile* file, const std::string& text);
// Closes the temporary file and puts it in the final name's place: "" when
// done, else the reason (the temporary file then stays). Frees the record.
std::string finishOutputFile(OutputFile* file);
// Closes the temporary file and leaves it where it is (a recording given up:
// what was written is kept there). Frees the record.
void closeOutputFile(OutputFile* file);
// Closes the temporary file and removes it: nothing worth keeping was written.
void discardOutputFile(OutputFile* file);
