#include "page_messages.h"

#include <emscripten.h>

#include <cstdlib>

EM_JS(char*, takeNoticesSoFar, (), {
    if (!Module.vexarNotice) {
        Module.vexarNoticesSeen = [];
        Module.vexarNotice = (caption, words) => Module.vexarNoticesSeen.push(caption + "|" + words);
    }
    const lines = Module.vexarNoticesSeen.join("\n");
    Module.vexarNoticesSeen = [];
    return allocateUTF8(lines);
});

std::string takePageMessages() {
    char* text = takeNoticesSoFar();
    std::string lines = text;
    std::free(text);
    return lines;
}
