// vexar-tool: the game's own readers and systems, run from the command line
// for modders, packagers and tests.
#include "check.h"

#include "platform/error_box.h"
#include "platform/media_path.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <strings.h>

int checkSound(const std::string& fileName, const CheckOptions& options);
int checkSong(const std::string& fileName, const CheckOptions& options);

namespace {

struct CheckHandler {
    const char* ending;  // compared ignoring case
    CheckFunction check;
};

// Each reader adds its endings here.
const CheckHandler kCheckHandlers[] = {
    {".wav", checkSound},
    {".mid", checkSong},
    {"", nullptr},
};

CheckFunction findCheck(const std::string& fileName) {
    for (const auto& handler : kCheckHandlers) {
        size_t n = std::strlen(handler.ending);
        if (handler.check && n > 0 && fileName.size() >= n &&
            strcasecmp(fileName.c_str() + fileName.size() - n, handler.ending) == 0)
            return handler.check;
    }
    return nullptr;
}

int checkOne(const std::string& file, const CheckOptions& options) {
    namespace fs = std::filesystem;
    fs::path path(file);
    std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    setMediaFolder(folder);
    CheckFunction check = findCheck(path.filename().string());
    if (!check) {
        std::fprintf(stderr, "%s: no reader for this kind of file\n", file.c_str());
        return 1;
    }
    return check(path.filename().string(), options);
}

int runCheck(int argc, char** argv) {
    CheckOptions options;
    int failures = 0, files = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0) {
            options.verbose = true;
            continue;
        }
        ++files;
        if (argc > 3) std::printf("file: %s\n", argv[i]);
        failures += checkOne(argv[i], options) != 0;
    }
    if (files == 0) {
        std::fprintf(stderr, "usage: vexar-tool check [--verbose] FILE...\n");
        return 2;
    }
    return failures ? 1 : 0;
}

void usage() {
    std::fprintf(stderr,
                 "usage: vexar-tool COMMAND ...\n"
                 "  check [--verbose] FILE...   load files with the game's readers\n");
}

}  // namespace

std::string formatFloat(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

int main(int argc, char** argv) {
    // A tool never blocks on a message box; the game's error text goes to stderr.
    setErrorSink(errorSinkStderr);
    if (argc < 2) {
        usage();
        return 2;
    }
    std::string command = argv[1];
    if (command == "check") return runCheck(argc, argv);
    usage();
    return 2;
}
