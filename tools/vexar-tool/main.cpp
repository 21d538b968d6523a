// vexar-tool: the game's own readers and systems, run from the command line
// for modders, packagers and tests.
#include "autopilot.h"
#include "check.h"
#include "check_audio.h"
#include "check_model.h"
#include "check_picture.h"
#include "obj2a3f.h"
#include "replay.h"

#include "platform/error_box.h"
#include "platform/file_system.h"
#include "platform/media_path.h"
#include "platform/memory_use.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <strings.h>
#include <vector>

namespace {

struct CheckHandler {
    const char* ending;  // compared ignoring case
    CheckFunction check;
};

// Each reader adds its endings here.
const CheckHandler kCheckHandlers[] = {
    {".a3f", checkModel},
    {".bmp", checkPicture},
    {".jpg", checkPicture},
    {".tga", checkPicture},
    {".wav", checkSound},
    {".mid", checkSong},
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
    fs::path path = fs::u8path(file);
    std::string folder = path.has_parent_path() ? path.parent_path().u8string() : ".";
    setMediaFolder(folder);
    CheckFunction check = findCheck(path.filename().u8string());
    if (!check) {
        std::fprintf(stderr, "%s: no reader for this kind of file\n", file.c_str());
        return 1;
    }
    return check(path.filename().u8string(), options);
}

int runCheck(int argc, char** argv) {
    CheckOptions options;
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0)
            options.verbose = true;
        else
            files.emplace_back(argv[i]);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: vexar-tool check [--verbose] FILE...\n");
        return 2;
    }
    int failures = 0;
    for (const auto& file : files) {
        // With several files each block of lines says which file it is about.
        if (files.size() > 1) std::printf("file: %s\n", file.c_str());
        failures += checkOne(file, options) != 0;
    }
    return failures ? 1 : 0;
}

void usage() {
    std::fprintf(stderr,
                 "usage: vexar-tool COMMAND ...\n"
                 "  check [--verbose] FILE...   load files with the game's readers\n"
                 "  obj2a3f IN.obj OUT.a3f      convert a Wavefront OBJ mesh into a model file\n"
                 "  replay --seed N --frames N --out DIR [...]\n"
                 "                              run the game headless from recorded input\n"
                 "  autopilot --plan attack|ram --seed N --frames N --out FILE\n"
                 "                              fly the game headless and record its input\n");
}

}  // namespace

std::string formatFloat(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

int main(int argc, char** argv) {
    settleMemoryUse();  // the replay runs the game for as long as it is asked
    // File names in UTF-8 on every system.
    std::vector<std::string> arguments = programArguments(argc, argv);
    std::vector<char*> utf8Arguments;
    for (std::string& argument : arguments) utf8Arguments.push_back(argument.data());
    utf8Arguments.push_back(nullptr);
    argc = int(arguments.size());
    argv = utf8Arguments.data();
    // A tool never blocks on a message box; the game's error text goes to stderr.
    setErrorSink(errorSinkStderr);
    if (argc < 2) {
        usage();
        return 2;
    }
    std::string command = argv[1];
    if (command == "check") return runCheck(argc, argv);
    if (command == "obj2a3f") return runObj2a3f(argc, argv);
    if (command == "replay") return runReplay(argc, argv);
    if (command == "autopilot") return runAutopilot(argc, argv);
    usage();
    return 2;
}
