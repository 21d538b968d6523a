/* Counts the frames a game really delivers: loaded with LD_PRELOAD, it wraps
 * SDL_GL_SwapWindow and keeps the number of swaps so far in the file named by
 * VEXAR_SWAP_COUNT (rewritten at every swap, so it can be read at any time).
 * With VEXAR_SWAP_TIMES it also appends each swap's end to that file, in
 * microseconds of the monotonic clock, one a line. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

typedef void (*SwapFunction)(void*);

static unsigned long swaps;

static void noteSwapTime(void) {
    static FILE* times;
    static int opened;
    if (!opened) {
        const char* path = getenv("VEXAR_SWAP_TIMES");
        times = path ? fopen(path, "w") : NULL;
        opened = 1;
    }
    if (!times) return;
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    fprintf(times, "%lld\n", (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000);
    fflush(times);
}

void SDL_GL_SwapWindow(void* window) {
    static SwapFunction real;
    static int fd = -2;
    if (!real) real = (SwapFunction)dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    ++swaps;
    noteSwapTime();
    if (fd == -2) {
        const char* path = getenv("VEXAR_SWAP_COUNT");
        fd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    if (fd >= 0) {
        char text[32];
        int n = snprintf(text, sizeof text, "%020lu\n", swaps);
        if (pwrite(fd, text, (size_t)n, 0) != n) return;
    }
}
