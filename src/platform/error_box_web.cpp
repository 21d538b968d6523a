#include "platform/error_box.h"

#include "platform/page_notice.h"

// Not alert(): that would stop the page, its sound and its timers, as the
// game's own box never stops the game.
void showErrorBox(const char* text) { showPageError("ERROR", text); }
