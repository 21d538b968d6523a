#pragma once
#include <cstdint>

// Window-system events in the shape the game reads them: Windows message
// codes and virtual-key codes, one message at a time.
enum MessageCode : uint32_t {
    kMessageNone = 0x0000,
    kMessageClose = 0x0010,  // the window's close request (WM_CLOSE)
    kMessageKeyDown = 0x0100,
    kMessageKeyUp = 0x0101,
    kMessageMouseMove = 0x0200,
    kMessageLeftButtonDown = 0x0201,
    kMessageLeftButtonUp = 0x0202,
    kMessageRightButtonDown = 0x0204,
    kMessageRightButtonUp = 0x0205,
    // The page holding the game was hidden (a tab put behind another); only
    // a page sends it.
    kMessagePageHidden = 0x8001,
};
// The SDL user event's code a page sends for kMessagePageHidden.
constexpr int kPageHiddenEventCode = 1;

struct InputMessage {
    uint32_t code = kMessageNone;
    uint32_t wParam = 0;  // the virtual-key code of a key message
    int x = 0, y = 0;     // pointer position in window coordinates (mouse messages)
    bool alt = false;     // an Alt key was held (key messages)
};

// Takes one event off the queue. Events the game has no use for still count
// as a message, with the code kMessageNone. Returns false when the queue is empty.
bool takeMessage(InputMessage& message);

// Sleeps until an event is queued or the timeout (milliseconds) ends; a
// negative timeout waits for the event however long it takes. Returns at once
// when an event is already waiting or the timeout is 0.
constexpr int kWaitForever = -1;
void waitForMessage(int timeoutMs);
// After a picture is swapped in: a page gives the browser its turn until its
// next animation frame, since the canvas shows only between the page's turns
// and a game whose frames take longer than their interval would never wait;
// on the desktop nothing.
void yieldAfterFrame();

// The Windows virtual-key code of a key symbol (an SDL_Keycode), or 0 when
// the key has none.
uint32_t virtualKeyFromSymbol(int32_t symbol);
