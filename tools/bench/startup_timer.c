/* Times the game's start as a player sees it, on an X display without a window
 * manager (Xvfb): from launch to the launcher window mapped, and from a click
 * on Start to the game window's first frame (the first drawing into it, seen
 * through the DAMAGE extension, that shows anything but black: a window can be
 * painted black when it is mapped). The game is left running.
 * usage: startup_timer VEXAR [PAUSE_MS]
 * prints: "launcher_ms N", "first_frame_ms N", "pid N"; PAUSE_MS (default 500)
 * is how long the launcher is shown before the click. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>
#include <unistd.h>

/* The Start button's centre in the launcher. */
enum { kStartX = 596, kStartY = 432 };

static double nowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Windows come and go (SDL probes with short-lived ones): a request about one
 * already gone is no failure of the measurement. */
static int ignoreError(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

static int titledVexar(Display* display, Window window) {
    char* name = NULL;
    int match = XFetchName(display, window, &name) && name && strcmp(name, "Vexar") == 0;
    if (name) XFree(name);
    return match;
}

/* The next event, or 0 when none came before the deadline. */
static int nextEvent(Display* display, XEvent* event, double deadline) {
    while (!XPending(display)) {
        double left = deadline - nowMs();
        if (left <= 0) return 0;
        int fd = ConnectionNumber(display);
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(fd, &ready);
        struct timeval wait = {(time_t)(left / 1000), (suseconds_t)((long)left % 1000 * 1000)};
        select(fd + 1, &ready, NULL, NULL, &wait);
    }
    XNextEvent(display, event);
    return 1;
}

static int showsAnything(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 0;
    XImage* image = XGetImage(display, window, 0, 0, (unsigned)attributes.width,
                              (unsigned)attributes.height, AllPlanes, ZPixmap);
    if (!image) return 0;
    int lit = 0;
    for (int y = 0; y < image->height && !lit; ++y)
        for (int x = 0; x < image->width && !lit; ++x) lit = XGetPixel(image, x, y) != 0;
    XDestroyImage(image);
    return lit;
}

static void clickAt(Display* display, Window window, int x, int y) {
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, 0);
    XTestFakeButtonEvent(display, 1, True, 0);
    XTestFakeButtonEvent(display, 1, False, 0);
    XFlush(display);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: startup_timer VEXAR [PAUSE_MS]\n");
        return 2;
    }
    double pauseMs = argc > 2 ? atof(argv[2]) : 500;
    Display* display = XOpenDisplay(NULL);
    int damageEvent, damageError, xtest[4];
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError) ||
        !XTestQueryExtension(display, &xtest[0], &xtest[1], &xtest[2], &xtest[3])) {
        fprintf(stderr, "startup_timer: needs an X display with DAMAGE and XTEST\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    double launched = nowMs();
    pid_t pid = fork();
    if (pid == 0) {
        execl(argv[1], argv[1], (char*)NULL);
        _exit(127);
    }
    printf("pid %d\n", (int)pid);
    Window launcher = 0, game = 0;
    double clicked = 0, deadline = launched + 20000;
    XEvent event;
    while (nextEvent(display, &event, deadline)) {
        if (event.type == CreateNotify) {
            /* Watched from birth, so that no drawing comes before the watch. */
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && titledVexar(display, event.xmap.window)) {
            if (!launcher) {
                launcher = event.xmap.window;
                printf("launcher_ms %.1f\n", nowMs() - launched);
                fflush(stdout);
                double shown = nowMs() + pauseMs;
                while (nowMs() < shown && nextEvent(display, &event, shown)) continue;
                clickAt(display, launcher, kStartX, kStartY);
                clicked = nowMs();
            } else if (event.xmap.window != launcher) {
                game = event.xmap.window;
            }
        } else if (event.type == damageEvent + XDamageNotify) {
            XDamageNotifyEvent* damage = (XDamageNotifyEvent*)&event;
            double at = nowMs();
            /* Emptied, so that the next drawing is reported too. */
            XDamageSubtract(display, damage->damage, None, None);
            if (game && damage->drawable == game && showsAnything(display, game)) {
                printf("first_frame_ms %.1f\n", at - clicked);
                XCloseDisplay(display);
                return 0;
            }
        }
    }
    fprintf(stderr, "startup_timer: %s\n", launcher ? "no game frame after Start" : "no launcher");
    XCloseDisplay(display);
    return 1;
}
