/* Counts the frames a window shows: the drawings the X server reports on it
 * (DAMAGE), each emptied as it comes, over a span of seconds. It sees the
 * game the same way whatever draws it, the game itself or Wine for the
 * Windows build, where a preloaded swap counter would not reach.
 * usage: frame_counter WINDOW_ID SECONDS
 * prints: "frames N" */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <time.h>

static double nowSeconds(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: frame_counter WINDOW_ID SECONDS\n");
        return 2;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    double end = nowSeconds() + atof(argv[2]);
    Display* display = XOpenDisplay(NULL);
    int damageEvent, damageError;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "frame_counter: needs an X display with DAMAGE\n");
        return 1;
    }
    Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    XSync(display, False);
    long frames = 0;
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify) {
                ++frames;
                XDamageSubtract(display, damage, None, None);
            }
        }
        double left = end - nowSeconds();
        if (left <= 0) break;
        int fd = ConnectionNumber(display);
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(fd, &ready);
        struct timeval wait = {(time_t)left, (suseconds_t)((left - (double)(time_t)left) * 1e6)};
        select(fd + 1, &ready, NULL, NULL, &wait);
    }
    printf("frames %ld\n", frames);
    XCloseDisplay(display);
    return 0;
}
