#include "platform/save_steps.h"

namespace {
SaveStepObserver observer = nullptr;
}

void setSaveStepObserver(SaveStepObserver newObserver) { observer = newObserver; }

void reachSaveStep(SaveStep step) {
    if (observer) observer(step);
}
