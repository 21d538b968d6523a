#include "platform/memory_use.h"

// Emscripten's allocator grows the page's memory and keeps it; it has
// nothing to tune.
void settleMemoryUse() {}

void keepFreedMemoryForPictures(bool) {}
