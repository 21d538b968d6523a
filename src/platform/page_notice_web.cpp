#include "platform/page_notice.h"

#include <emscripten.h>

// The page (vexar-page.js) lays the message out itself through
// Module.vexarNotice, the one way it tells the player anything, before the
// game has loaded too. The console gets it as well, and is all there is
// outside a page (the tests under node).
EM_JS(void, showPageMessage, (const char* caption, const char* text), {
    const heading = UTF8ToString(caption);
    const words = UTF8ToString(text);
    console.error(heading ? heading + ": " + words : words);
    if (typeof Module.vexarNotice === "function") Module.vexarNotice(heading, words);
});

void showPageNotice(const char* text) { showPageMessage("", text); }

void showPageError(const char* caption, const char* text) { showPageMessage(caption, text); }
