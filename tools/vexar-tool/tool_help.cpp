#include "tool_help.h"

#include <cstdio>
#include <cstring>

bool printHelpIfAsked(int argc, char** argv, const char* usage) {
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(usage, stdout);
            return true;
        }
    }
    return false;
}
