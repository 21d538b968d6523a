// The INI reader and writer over arbitrary bytes: reading any key and
// rewriting the Game section must never fail or lose the file's other lines.
#include "platform/ini_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    IniFile ini = parseIniText(text);
    size_t linesBefore = ini.lines.size();
    for (const char* key : {"Windowed", "Width", "UseScreenRes"}) iniGetInt(ini, "Game", key, 7);
    iniSetValue(ini, "Game", "Width", "640");
    iniSetValue(ini, "Game", "UseScreenRes", "3");
    if (ini.lines.size() < linesBefore) std::abort();
    IniFile again = parseIniText(iniText(ini));
    if (iniGetInt(again, "Game", "Width", 0) != 640) std::abort();
    return 0;
}
