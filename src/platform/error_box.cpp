#include "platform/error_box.h"

#include <cstdio>
#include <cstring>

namespace {

void errorSinkBox(const char* boxText, const char* line) {
    errorSinkStderr(boxText, line);
    showErrorBox(boxText);
}

ErrorSink currentSink = errorSinkBox;

}  // namespace

void errorSinkStderr(const char*, const char* line) { std::fprintf(stderr, "%s\n", line); }

void setErrorSink(ErrorSink sink) { currentSink = sink ? sink : errorSinkBox; }

void reportError(const char* message, const char* subject, const std::string& path) {
    char text[kErrorTextSize];
    // snprintf truncates safely; an overlong subject only shortens the line.
    std::snprintf(text, sizeof text, "%s %s The application will continue.",
                  message ? message : "", subject ? subject : "");
    if (path.empty() || std::strstr(text, path.c_str())) {
        currentSink(text, text);
        return;
    }
    // Some boxes name only the bare file name, or no file at all ("1 dimensional").
    std::string line = path + ": " + text;
    currentSink(text, line.c_str());
}

void reportFileError(const char* message, const std::string& path, const char* reason) {
    std::string subject = path + ": " + reason;
    reportError(message, subject.c_str(), path);
}

void reportFatalError(const char* text) { currentSink(text, text); }
