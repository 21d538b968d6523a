#pragma once

// The one game window with its OpenGL compatibility context.

struct WindowRequest {
    const char* title = "";
    int width = 0, height = 0;
    bool fullScreen = false;
    bool holdPointer = true;  // a window keeps the pointer inside it (not while a demo plays)
};

// Starts the window system (once; later calls only answer). Without a display
// this fails and prints one line on standard error saying why.
bool startWindowSystem();
// Everything the window system holds goes; the end of the program.
void stopWindowSystem();

// Keeps the OpenGL library and its driver loaded until the window system
// stops, so that the launcher's window closing does not unload the driver
// only for the game window to load it again.
void keepOpenGlLoaded();

// The desktop's size in pixels; false when it cannot be read.
bool desktopSize(int& width, int& height);

// True when the display offers a full-screen mode of this size.
bool displayHasMode(int width, int height);

// Opens the window (a full-screen one only at a mode the display can show),
// makes its context current, raises it, and confines the cursor to a window
// or hides it in full screen. False on any failure.
bool openWindow(const WindowRequest& request);

// Gives the display mode and the cursor back and deletes the context. The
// window itself stays until the program ends.
void closeWindowContext();

void swapWindowBuffers();

// Makes each swap wait for the display's next refresh: adaptive sync (a late
// picture is shown at once rather than a whole refresh later) where the
// driver offers it, else plain. False when it offers neither.
bool syncSwapsToDisplay();
// The refresh rate of the display mode the window is shown in, in hertz; 0
// when the system does not say.
int displayRefreshRate();

// Switches between the window and full screen at the window's size, with the
// pointer held or hidden as on opening. False, with one line on standard
// error, when the display cannot show that size in full screen.
bool toggleFullScreen();

// True while the window is in full screen.
bool windowIsFullScreen();

// The open window's title; nothing without a window.
void setWindowTitle(const char* title);
