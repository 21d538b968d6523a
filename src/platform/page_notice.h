#pragma once

// A page's own way of telling the player something: a message in the page
// beside the canvas (never a blocking alert), which the player closes. Also
// written to the browser's console. The web build's files only.
void showPageNotice(const char* text);
// The error box's caption above the text.
void showPageError(const char* caption, const char* text);
