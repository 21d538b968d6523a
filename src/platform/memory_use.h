#pragma once

// Tells the C library how to hand out memory for a long game: called once,
// first thing, by the programs that run the game.
void settleMemoryUse();
// Whether the heap keeps what is freed at its top for the next picture
// instead of giving it back at once: worth it when pictures come at the
// display's rate (see memory_use_glibc.cpp).
void keepFreedMemoryForPictures(bool keep);
