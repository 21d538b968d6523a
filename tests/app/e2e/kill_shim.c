// Loaded with LD_PRELOAD: kills its process with SIGKILL at one chosen step
// of writing a watched file, so a test can see what a death there leaves.
//   VEXAR_KILL_WATCH  part of the path of the files to watch ("game.ini")
//   VEXAR_KILL_AT     the step to die at, counted from 1; 0 or unset: never
//   VEXAR_KILL_LOG    a file to which every step is appended, one per line
// Steps are the calls on a watched file, at both the stdio and the POSIX
// level: opening it for writing, writing, flushing, syncing, closing,
// renaming. Each
// write is two steps: dying before it, and dying with half of it written
// (and flushed to the file).
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

enum { kMaxWatched = 16 };
static int watchedFds[kMaxWatched];
static FILE* watchedFiles[kMaxWatched];
static int stepsTaken;

static void* real(const char* name) { return dlsym(RTLD_NEXT, name); }

static int watchedPath(const char* path) {
    const char* part = getenv("VEXAR_KILL_WATCH");
    return path && part && *part && strstr(path, part) != NULL;
}

static int isWatchedFd(int fd) {
    for (int i = 0; i < kMaxWatched; ++i)
        if (fd >= 0 && watchedFds[i] == fd + 1) return 1;
    return 0;
}

static int isWatchedFile(FILE* file) {
    for (int i = 0; i < kMaxWatched; ++i)
        if (file && watchedFiles[i] == file) return 1;
    return 0;
}

static void rememberFd(int fd) {
    for (int i = 0; i < kMaxWatched && fd >= 0; ++i)
        if (watchedFds[i] == 0) {
            watchedFds[i] = fd + 1;
            return;
        }
}

static void forgetFd(int fd) {
    for (int i = 0; i < kMaxWatched; ++i)
        if (watchedFds[i] == fd + 1) watchedFds[i] = 0;
}

static void rememberFile(FILE* file) {
    for (int i = 0; i < kMaxWatched && file; ++i)
        if (watchedFiles[i] == NULL) {
            watchedFiles[i] = file;
            return;
        }
}

static void forgetFile(FILE* file) {
    for (int i = 0; i < kMaxWatched; ++i)
        if (watchedFiles[i] == file) watchedFiles[i] = NULL;
}

static void logStep(int step, const char* what) {
    const char* path = getenv("VEXAR_KILL_LOG");
    if (!path) return;
    ssize_t (*realWrite)(int, const void*, size_t) = real("write");
    int (*realClose)(int) = real("close");
    int fd = ((int (*)(const char*, int, ...))real("open"))(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return;
    char line[64];
    int n = snprintf(line, sizeof line, "%d %s\n", step, what);
    realWrite(fd, line, (size_t)n);
    realClose(fd);
}

// Takes the next step; true when the process is to die at it.
static int dieHere(const char* what) {
    int step = __atomic_add_fetch(&stepsTaken, 1, __ATOMIC_SEQ_CST);
    logStep(step, what);
    const char* at = getenv("VEXAR_KILL_AT");
    return at && atoi(at) == step;
}

static void die(void) {
    kill(getpid(), SIGKILL);
    pause();
}

// Only opening for writing is a step: the reads before a save are not.
static int writesTo(const char* path, int writing) { return writing && watchedPath(path); }

FILE* fopen(const char* path, const char* mode) {
    FILE* (*realFopen)(const char*, const char*) = real("fopen");
    int watched = writesTo(path, strpbrk(mode, "wa+") != NULL);
    if (watched && dieHere("fopen")) die();
    FILE* file = realFopen(path, mode);
    if (watched && file) {
        rememberFile(file);
        rememberFd(fileno(file));
    }
    return file;
}

FILE* fopen64(const char* path, const char* mode) { return fopen(path, mode); }

static mode_t modeArgument(int flags, va_list args) {
    return (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
}

static int writingFlags(int flags) { return (flags & (O_WRONLY | O_RDWR | O_CREAT)) != 0; }

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = modeArgument(flags, args);
    va_end(args);
    int watched = writesTo(path, writingFlags(flags));
    if (watched && dieHere("open")) die();
    int fd = ((int (*)(const char*, int, ...))real("open"))(path, flags, mode);
    if (watched) rememberFd(fd);
    return fd;
}

int openat(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = modeArgument(flags, args);
    va_end(args);
    int watched = writesTo(path, writingFlags(flags));
    if (watched && dieHere("openat")) die();
    int fd = ((int (*)(int, const char*, int, ...))real("openat"))(dirfd, path, flags, mode);
    if (watched) rememberFd(fd);
    return fd;
}

size_t fwrite(const void* data, size_t size, size_t count, FILE* file) {
    size_t (*realFwrite)(const void*, size_t, size_t, FILE*) = real("fwrite");
    if (!isWatchedFile(file)) return realFwrite(data, size, count, file);
    if (dieHere("fwrite")) die();
    if (dieHere("fwrite-half")) {
        realFwrite(data, size, count / 2, file);
        ((int (*)(FILE*))real("fflush"))(file);
        die();
    }
    return realFwrite(data, size, count, file);
}

ssize_t write(int fd, const void* data, size_t size) {
    ssize_t (*realWrite)(int, const void*, size_t) = real("write");
    if (!isWatchedFd(fd)) return realWrite(fd, data, size);
    if (dieHere("write")) die();
    if (dieHere("write-half")) {
        realWrite(fd, data, size / 2);
        die();
    }
    return realWrite(fd, data, size);
}

int fflush(FILE* file) {
    if (isWatchedFile(file) && dieHere("fflush")) die();
    return ((int (*)(FILE*))real("fflush"))(file);
}

int fsync(int fd) {
    if (isWatchedFd(fd) && dieHere("fsync")) die();
    return ((int (*)(int))real("fsync"))(fd);
}

int fdatasync(int fd) {
    if (isWatchedFd(fd) && dieHere("fdatasync")) die();
    return ((int (*)(int))real("fdatasync"))(fd);
}

int fclose(FILE* file) {
    if (isWatchedFile(file)) {
        if (dieHere("fclose")) die();
        forgetFd(fileno(file));
        forgetFile(file);
    }
    return ((int (*)(FILE*))real("fclose"))(file);
}

int close(int fd) {
    if (isWatchedFd(fd)) {
        if (dieHere("close")) die();
        forgetFd(fd);
    }
    return ((int (*)(int))real("close"))(fd);
}

int rename(const char* from, const char* to) {
    if ((watchedPath(from) || watchedPath(to)) && dieHere("rename")) die();
    return ((int (*)(const char*, const char*))real("rename"))(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    if ((watchedPath(from) || watchedPath(to)) && dieHere("renameat")) die();
    return ((int (*)(int, const char*, int, const char*))real("renameat"))(fromDir, from, toDir, to);
}
