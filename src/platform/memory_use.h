#pragma once

// Tells the C library how to hand out memory for a long game: called once,
// first thing, by the programs that run the game.
void settleMemoryUse();
