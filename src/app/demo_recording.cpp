#include "app/demo_recording.h"

#include "platform/clock.h"
#include "platform/output_file.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr uint32_t kWriteIntervalMs = 1000;

// The recording stops there; the demo's name keeps what it held before.
void reportUnwritten(const DemoRecording& recording, const std::string& reason) {
    std::fprintf(stderr, "vexar: the demo %s could not be written (%s); what was recorded is in %s%s\n",
                 recording.path.c_str(), reason.c_str(), recording.path.c_str(), kTemporarySuffix);
}

// A demo that cannot be written any more is given up, once, with a word; the
// game goes on.
void writePending(DemoRecording& recording) {
    recording.lastWrite = millisecondClock();
    if (!recording.file || recording.recorder.pending.empty()) return;
    const std::string reason = writeOutputFile(recording.file, recording.recorder.pending);
    recording.recorder.pending.clear();
    if (reason.empty()) return;
    reportUnwritten(recording, reason);
    closeOutputFile(recording.file);
    recording.file = nullptr;
}

}  // namespace

bool openDemoRecording(DemoRecording& recording, const std::string& path) {
    std::string reason;
    recording.path = path;
    recording.file = openOutputFile(path, reason);
    if (recording.file) return true;
    std::fprintf(stderr, "vexar: cannot record a demo to %s: %s\n", path.c_str(), reason.c_str());
    return false;
}

void abandonDemoRecording(DemoRecording& recording) {
    if (recording.file) discardOutputFile(recording.file);
    recording.file = nullptr;
}

void beginDemoRecording(DemoRecording& recording, const GameStart& start) {
    startDemoRecording(recording.recorder, demoHeaderOf(start));
    writePending(recording);
}

void recordFrameStart(DemoRecording& recording, const World& world, uint32_t milliseconds,
                      const FrameInput& frame) {
    if (!recording.file) return;  // given up: nothing may pile up unwritten
    recordDemoFrame(recording.recorder, world, milliseconds, frame.input, frame.soundsPlaying);
}

void recordFrameEnd(DemoRecording& recording, const World& world) {
    if (!recording.file) return;
    recordDemoFrameEnd(recording.recorder, world);
    if (millisecondClock() - recording.lastWrite >= kWriteIntervalMs) writePending(recording);
}

void writeDemoNow(DemoRecording& recording) {
    if (!recording.recorder.pending.empty()) writePending(recording);
}

void endDemoRecording(DemoRecording& recording, const World& world) {
    if (!recording.file) return;
    const uint64_t check = finishDemoRecording(recording.recorder, world);
    writePending(recording);
    if (!recording.file) return;
    const std::string reason = finishOutputFile(recording.file);
    recording.file = nullptr;
    if (!reason.empty()) {
        reportUnwritten(recording, reason);
        return;
    }
    std::fprintf(stderr, "vexar: demo recorded to %s: %d frames, final check %016" PRIx64 "\n",
                 recording.path.c_str(), recording.recorder.frame, check);
}
