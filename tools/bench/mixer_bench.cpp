// The mixer's cost for one block of 1024 frames with all 16 slots sounding,
// placed behind the listener (so muffled) and off to the sides (so both ears
// are gained and led). The block's real-time budget is 1024 / 11025 s = 92.9 ms.
#include "audio/sound_mixer.h"
#include "platform/clock.h"

#include <benchmark/benchmark.h>

#include <algorithm>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kSoundLength = 1 << 20;

const Vec3 kListener{0, 0, 0};
const Vec3 kFacing{0, 0, 1};
Vec3 sources[kSoundSlotCount];

void fillSlots() {
    for (int i = 0; i < kSoundSlotCount; ++i) {
        SoundSlot& slot = soundMixer.slots[i];
        slot.data = new int16_t[kSoundLength];
        for (int k = 0; k < kSoundLength; ++k) slot.data[k] = int16_t((k * (i + 3) * 97) % 20000 - 10000);
        slot.length = kSoundLength;
        float side = (i % 2 ? 1.0f : -1.0f) * float(1 + i);
        sources[i] = Vec3{side, 0.5f, -float(5 + 2 * i)};
    }
    soundMixer.slotCount.store(kSoundSlotCount);
}

// Starts a slot and lets it sound at once, as if its travel time had passed.
void start(int i) {
    playSound(i, {sources[i], kListener, kFacing});
    soundMixer.slots[i].startTime = millisecondClock() - 1000;
}

// With `moving`, the sources go 0.1 units back and forth each block, so every
// slot plays at a Doppler rate and reads its samples one by one; standing
// still, each plays at its own pace.
void mixBlocks(benchmark::State& state, bool moving) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);  // no audio thread: this one mixes
    setHearingRange(75.0f);
    openSoundOutput();
    fillSlots();
    for (int i = 0; i < kSoundSlotCount; ++i) start(i);
    std::vector<int16_t> block(2 * kMixBlockFrames);
    onBufferDone(block.data());
    for (int i = 0; i < kSoundSlotCount; ++i)
        if (!(soundMixer.slots[i].muffle > 0.0f) || soundMixer.slots[i].gainLeft == 0.0f)
            state.SkipWithError("a slot is not muffled and heard in both ears");

    float step = 0.1f;
    for (auto _ : state) {
        if (moving) {
            for (Vec3& source : sources) source.z += step;
            step = -step;
            SoundPositions positions{{}, kListener, kFacing};
            std::copy(std::begin(sources), std::end(sources), positions.sources);
            publishSoundPositions(positions);
        }
        onBufferDone(block.data());
        benchmark::DoNotOptimize(block.data());
        for (int i = 0; i < kSoundSlotCount; ++i)
            if (!soundMixer.slots[i].active.load(std::memory_order_relaxed)) start(i);
    }
    state.counters["budget_ms"] = 1000.0 * kMixBlockFrames / kMixSampleRate;
    closeSoundOutput();
}
void BM_MixBlock16SpatialisedMuffled(benchmark::State& state) { mixBlocks(state, false); }
void BM_MixBlock16SpatialisedMuffledDoppler(benchmark::State& state) { mixBlocks(state, true); }
BENCHMARK(BM_MixBlock16SpatialisedMuffled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MixBlock16SpatialisedMuffledDoppler)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
