#pragma once
#include <string>

// The error box: "<message> <subject> The application will continue.",
// at most 511 characters. The game shows it in a box with the caption "ERROR"
// and writes a line on standard error that always names the file concerned:
// the box's text, preceded by "<path>: " unless the text already holds the
// path. Tools and tests route both elsewhere with a sink.
void reportError(const char* message, const char* subject, const std::string& path = {});

// A failure the readers refuse beyond the game's own messages (counts larger
// than the data, overruns, bad indices, ...): the subject is "<path>: <reason>".
void reportFileError(const char* message, const std::string& path, const char* reason);

// A failure that ends the program: the box and the line hold `text` as it is.
void reportFatalError(const char* text);

// Receives the box's text and the line for standard error.
using ErrorSink = void (*)(const char* boxText, const char* line);
// nullptr restores the default (box plus standard error).
void setErrorSink(ErrorSink sink);
// A sink that writes the line to standard error only, never a blocking box.
void errorSinkStderr(const char* boxText, const char* line);
// The same without the box's closing sentence, which speaks of the game going
// on: for tools, which only check.
void errorSinkReasons(const char* boxText, const char* line);

// The sentence every error box ends with.
constexpr const char kErrorBoxClosing[] = "The application will continue.";

constexpr int kErrorTextSize = 512;

// The box itself, captioned "ERROR", as each system shows one: SDL's message
// box on the desktop (error_box_sdl.cpp), a message in the page on the web
// (error_box_web.cpp).
void showErrorBox(const char* text);
