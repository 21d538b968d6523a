// vexar-tool check: every file with the reader the game uses for it.
#include "check.h"

#include "check_audio.h"
#include "check_model.h"
#include "check_picture.h"
#include "check_settings.h"
#include "tool_help.h"

#include "platform/error_box.h"
#include "platform/media_path.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <strings.h>
#include <vector>

namespace {

const char kUsage[] =
    "usage: vexar-tool check [--verbose] FILE...\n"
    "Loads each file with the game's own reader, the file's folder standing for\n"
    "the media folder, and prints what it holds as key: value lines, then\n"
    "\"result: ok\", \"result: failed\" (the reason on standard error) or\n"
    "\"result: skipped\" for the files beside the media that no reader reads.\n"
    "  --verbose   also every vertex and face of a model, every event of a song\n"
    "  --help      this text\n"
    "Exit status: 0 when nothing failed, 1 when a file failed, 2 for a usage error.\n";

struct CheckHandler {
    const char* ending;  // compared ignoring case
    CheckFunction check;
    const char* skipped;  // why a file of this kind is not checked, or nullptr
};

// Each reader adds its endings here.
const CheckHandler kCheckHandlers[] = {
    {".a3f", checkModel, nullptr},
    {".bmp", checkPicture, nullptr},
    {".jpg", checkPicture, nullptr},
    {".tga", checkPicture, nullptr},
    {".wav", checkSound, nullptr},
    {".mid", checkSong, nullptr},
    {".ini", checkSettings, nullptr},
    {".ttf", nullptr, "a font, not a media file"},
    {".sf2", nullptr, "a SoundFont, which FluidSynth reads, not a media file"},
    {".sf3", nullptr, "a SoundFont, which FluidSynth reads, not a media file"},
};

const CheckHandler* findHandler(const std::string& fileName) {
    for (const auto& handler : kCheckHandlers) {
        size_t n = std::strlen(handler.ending);
        if (fileName.size() >= n &&
            strcasecmp(fileName.c_str() + fileName.size() - n, handler.ending) == 0)
            return &handler;
    }
    return nullptr;
}

int checkOne(const std::string& file, const CheckOptions& options) {
    namespace fs = std::filesystem;
    fs::path path = fs::u8path(file);
    setMediaFolder(path.has_parent_path() ? path.parent_path().u8string() : ".");
    const std::string name = path.filename().u8string();
    const CheckHandler* handler = findHandler(name);
    if (!handler) return failCheck(name, "no reader for this kind of file");
    if (handler->skipped) {
        std::printf("result: skipped (%s)\n", handler->skipped);
        return 0;
    }
    // Looked up as the game looks up media names, a name differing in case too.
    std::error_code error;
    if (!fs::is_regular_file(fs::u8path(buildMediaPath(name.c_str())), error))
        return failCheck(name, "no such file");
    return handler->check(name, options);
}

}  // namespace

int printResult(bool ok) {
    std::printf("result: %s\n", ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

int failCheck(const std::string& fileName, const char* reason) {
    std::fprintf(stderr, "%s: %s\n", buildMediaPath(fileName.c_str()).c_str(), reason);
    return printResult(false);
}

int runCheck(int argc, char** argv) {
    if (printHelpIfAsked(argc, argv, kUsage)) return 0;
    // The game's messages without the box's word that the game goes on.
    setErrorSink(errorSinkReasons);
    CheckOptions options;
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verbose") == 0)
            options.verbose = true;
        else
            files.emplace_back(argv[i]);
    }
    if (files.empty()) {
        std::fputs(kUsage, stderr);
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

std::string formatFloat(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}
