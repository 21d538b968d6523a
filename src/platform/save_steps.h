#pragma once

// The steps of replaceFileContents, in order. Tests end the process at each
// of them (from the observer) to prove the file is always the old or the
// new one, whenever the game stops.
enum SaveStep {
    kSaveStarting,         // nothing done yet
    kSaveTemporaryMade,    // the temporary file exists, empty
    kSaveWritten,          // the bytes are written, maybe not yet on the disk
    kSaveFlushed,          // on the disk, the file still open
    kSaveClosed,           // closed, not yet in the old file's place
    kSaveReplaced,         // in place
};
using SaveStepObserver = void (*)(SaveStep step);
// nullptr: none (the game's own case).
void setSaveStepObserver(SaveStepObserver observer);

void reachSaveStep(SaveStep step);
