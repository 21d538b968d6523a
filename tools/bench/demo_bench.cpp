// What recording a demo adds to a frame: the recorder's lines for a frame in
// which the pointer moved (as it does in nearly every frame of busy play),
// the frame time changed every fourth frame (as under Xvfb), a sound ended
// now and then, the world's check every 35th frame, and the lines handed on
// about once a second. The frame's own budget is 6 ms of CPU; recording may
// add 2 % of that, 120 us. The counter bytes_per_10_min is the demo's size
// for 20,000 such frames.
#include "game/demo.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

void BM_RecordFrame(benchmark::State& state) {
    World world;  // the check reads the same fields of an unset world
    DemoHeader header;
    header.version = kDemoFormatVersion;
    header.hasSeed = true;
    DemoRecorder recorder;
    startDemoRecording(recorder, header);
    recorder.pending.clear();
    std::mt19937 random(3);
    InputState input;
    size_t bytes = 0;
    int64_t frames = 0;
    for (auto _ : state) {
        // A mouse position in a 640 x 480 window, as the game scales it.
        input.pointerX = float(random() % 640) * 2.0f / 640.0f - 1.0f;
        input.pointerY = float(random() % 480) * 2.0f / 480.0f - 1.0f;
        input.keys[kKeySpace] = (frames / 20) % 2;
        const uint32_t milliseconds = frames % 4 == 0 ? 31 : 30;
        const uint32_t sounds = frames % 10 == 0 ? 0u : world.soundsPlaying;
        recordDemoFrame(recorder, world, milliseconds, input, sounds);
        world.soundsPlaying = sounds | (frames % 10 == 5 ? 2u : 0u);
        recordDemoFrameEnd(recorder, world);
        if (++frames % 33 == 0) {
            bytes += recorder.pending.size();
            recorder.pending.clear();
        }
    }
    bytes += recorder.pending.size();
    state.counters["bytes_per_10_min"] = double(bytes) / double(frames) * 20000.0;
}
BENCHMARK(BM_RecordFrame);

}  // namespace

BENCHMARK_MAIN();
