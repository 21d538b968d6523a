#pragma once

// The error box: "<message> <subject> The application will continue.",
// at most 511 characters. The game shows it in a box with the caption "ERROR"
// and on standard error; tools and tests route it elsewhere with a sink.
void reportError(const char* message, const char* subject);

using ErrorSink = void (*)(const char* text);
// nullptr restores the default (box plus standard error).
void setErrorSink(ErrorSink sink);
// A sink that writes the line to standard error only, never a blocking box.
void errorSinkStderr(const char* text);

constexpr int kErrorTextSize = 512;
