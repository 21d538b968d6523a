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

void errorSinkReasons(const char*, const char* line) {
    const size_t length = std::strlen(line), closing = std::strlen(kErrorBoxClosing);
    const bool closed = length > closing && std::strcmp(line + length - closing, kErrorBoxClosing) == 0 &&
                        line[length - closing - 1] == ' ';
    std::fprintf(stderr, "%.*s\n", int(closed ? length - closing - 1 : length), line);
}

void setErrorSink(ErrorSink sink) { currentSink = sink ? sink : errorSinkBox; }

void reportError(const char* message, const char* subject, const std::string& path) {
    char text[kErrorTextSize];
    // snprintf truncates safely; an overlong subject only shortens the line.
    std::snprintf(text, sizeof text, "%s %s %s", message ? message : "", subject ? subject : "",
                  kErrorBoxClosing);
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
