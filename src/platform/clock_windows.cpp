#include "platform/clock.h"

#include <windows.h>
#include <mmsystem.h>

// The multimedia clock itself: milliseconds since Windows started, the count
// the game was designed around.
uint32_t millisecondClock() { return timeGetTime(); }
