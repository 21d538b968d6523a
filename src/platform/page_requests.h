#pragma once
#include <string>

// What the page around the game asks of it through its own controls (the web
// build's files only): a demo chosen or dropped on the page, the "Record"
// switch, the picture button. The page's script calls in; the game takes the
// requests between games or as messages (platform/events.h).

// The demo the page was given since the last call (a file in the page's own
// file system), or "".
std::string takePageDemo();
// Whether the page's "Record" switch is on now.
bool pageRecords();
