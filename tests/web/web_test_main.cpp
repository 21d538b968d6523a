#include <emscripten.h>
#include <gtest/gtest.h>

// Once main has slept (Asyncify), its return no longer reaches emscripten's
// exit: the status is handed over here, to node's process or to the page.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    EM_ASM({
        if (typeof process === "object" && process.versions && process.versions.node)
            process.exit($0);
        if (typeof window === "object") window.testExit = $0;
    }, status);
    return status;
}
