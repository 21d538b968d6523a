// Writes what an X window shows as a PNG file, for the end-to-end tests and
// the README's screenshots (Xvfb has no screenshot tool of its own), and
// prints "X,Y R G B" for each point X,Y named after the file.
#include "platform/png_file.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: grab_window WINDOW-ID OUT.png [X,Y...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "grab_window: no X display\n");
        return 1;
    }
    Window window = Window(std::strtoul(argv[1], nullptr, 0));
    XWindowAttributes attributes;
    XImage* image = nullptr;
    if (XGetWindowAttributes(display, window, &attributes))
        image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                          unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "grab_window: cannot read window %s\n", argv[1]);
        XCloseDisplay(display);
        return 1;
    }
    std::vector<uint8_t> rgba(size_t(image->width) * size_t(image->height) * 4);
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            uint8_t* out = &rgba[(size_t(y) * size_t(image->width) + size_t(x)) * 4];
            out[0] = uint8_t((pixel & image->red_mask) >> __builtin_ctzl(image->red_mask));
            out[1] = uint8_t((pixel & image->green_mask) >> __builtin_ctzl(image->green_mask));
            out[2] = uint8_t((pixel & image->blue_mask) >> __builtin_ctzl(image->blue_mask));
            out[3] = 255;
        }
    for (int i = 3; i < argc; ++i) {
        int x = -1, y = -1;
        if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2 || x < 0 || y < 0 || x >= image->width ||
            y >= image->height) {
            std::fprintf(stderr, "grab_window: no point %s in the window\n", argv[i]);
            continue;
        }
        const uint8_t* pixel = &rgba[(size_t(y) * size_t(image->width) + size_t(x)) * 4];
        std::printf("%d,%d %d %d %d\n", x, y, pixel[0], pixel[1], pixel[2]);
    }
    bool written = writePngFile(argv[2], rgba.data(), image->width, image->height);
    XDestroyImage(image);
    XCloseDisplay(display);
    if (!written) std::fprintf(stderr, "grab_window: cannot write %s\n", argv[2]);
    return written ? 0 : 1;
}
