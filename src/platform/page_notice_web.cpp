#include "platform/page_notice.h"

#include <emscripten.h>

// The page (index.html) may lay the message out itself through
// Module.vexarNotice; without it the message is a plain block at the top of
// the page. Outside a page (the tests under node) the console is all there is.
EM_JS(void, showPageMessage, (const char* caption, const char* text), {
    const heading = UTF8ToString(caption);
    const words = UTF8ToString(text);
    console.error(heading ? heading + ": " + words : words);
    if (typeof Module.vexarNotice === "function") return Module.vexarNotice(heading, words);
    if (typeof document === "undefined") return;
    const box = document.createElement("div");
    box.className = "vexar-notice";
    box.setAttribute("role", "alert");
    if (heading) {
        const title = document.createElement("strong");
        title.textContent = heading;
        box.appendChild(title);
        box.appendChild(document.createElement("br"));
    }
    box.appendChild(document.createTextNode(words));
    const close = document.createElement("button");
    close.textContent = "OK";
    close.onclick = () => box.remove();
    box.appendChild(close);
    document.body.prepend(box);
});

void showPageNotice(const char* text) { showPageMessage("", text); }

void showPageError(const char* caption, const char* text) { showPageMessage(caption, text); }
