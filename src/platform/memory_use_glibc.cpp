#include "platform/memory_use.h"

#include <malloc.h>

void settleMemoryUse() {
#ifdef M_MMAP_THRESHOLD
    // Blocks of 128 KB and more (the frame the stereo mode copies into a
    // texture every frame, the software renderer's working buffers) are then
    // always mapped on their own and given back when freed. Left to itself,
    // glibc raises that threshold as it sees such blocks freed, serves them
    // from the heap, and over an hour of play the heap grows by megabytes of
    // fragments (measured: 3 MB in 120,000 stereo frames, none with this).
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void keepFreedMemoryForPictures(bool keep) {
#ifdef M_TRIM_THRESHOLD
    // The software renderer takes and frees a few megabytes of small blocks
    // for every picture. glibc gives that top of the heap back after each one
    // and faults it in again for the next (about 400 page faults a picture):
    // at 60 pictures a second that is a third of the game's CPU. Keeping up
    // to 4 MB of it costs a few megabytes of memory (measured in
    // docs/benchmarks.md); at one picture a frame the memory is worth more.
    mallopt(M_TRIM_THRESHOLD, keep ? 4 * 1024 * 1024 : 128 * 1024);
#else
    (void)keep;
#endif
}
