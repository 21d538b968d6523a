#include "platform/memory_use.h"

// Windows' heap already gives large blocks back to the system when they are
// freed (they are allocated on their own above its own threshold), so there
// is nothing to tell it.
void settleMemoryUse() {}

void keepFreedMemoryForPictures(bool) {}
