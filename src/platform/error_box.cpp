#include "platform/error_box.h"

#include <SDL.h>

#include <cstdio>

namespace {

void errorSinkBox(const char* text) {
    errorSinkStderr(text);
    // Without a display the box cannot be shown; the line above is all there is.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "ERROR", text, nullptr);
}

ErrorSink currentSink = errorSinkBox;

}  // namespace

void errorSinkStderr(const char* text) { std::fprintf(stderr, "%s\n", text); }

void setErrorSink(ErrorSink sink) { currentSink = sink ? sink : errorSinkBox; }

void reportError(const char* message, const char* subject) {
    char text[kErrorTextSize];
    // snprintf truncates safely; an overlong subject only shortens the line.
    std::snprintf(text, sizeof text, "%s %s The application will continue.",
                  message ? message : "", subject ? subject : "");
    currentSink(text);
}
