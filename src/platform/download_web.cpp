#include "platform/download.h"

#include <emscripten.h>

EM_JS(void, downloadPageFile, (const char* file), {
    const path = UTF8ToString(file);
    if (typeof document === "undefined") return;
    const bytes = FS.readFile(path);
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], {type: "application/octet-stream"}));
    link.download = path.substring(path.lastIndexOf("/") + 1);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
});

void offerFileToPlayer(const std::string& path) { downloadPageFile(path.c_str()); }
