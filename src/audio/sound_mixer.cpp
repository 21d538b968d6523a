#include "audio/sound_mixer.h"

#include "platform/clock.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float kDopplerPerUnit = 0.01f;  // rate change per unit of approach within one block
constexpr float kMaxLead = 16.0f;         // samples, about 1.45 ms at 11025 Hz
constexpr int kBlockSamples = kMixBlockFrames * 2;

const Vec3 kNowhere{};

const Vec3& listenerVector(const std::atomic<const Vec3*>& field) {
    const Vec3* vector = field.load(std::memory_order_acquire);
    return vector ? *vector : kNowhere;
}

// The sample index of a read position. Positions below zero become huge, as
// an unsigned index would, and so end the sound; so does anything not finite.
uint32_t sampleIndex(float position) {
    if (position > -2147483648.0f && position < 4294967296.0f)
        return uint32_t(int64_t(position));
    return UINT32_MAX;
}

int16_t clampSample(int value) {
    return int16_t(value > 32767 ? 32767 : value < -32767 ? -32767 : value);
}

// One ear's working state for a block, kept in locals so that the stores
// into the ring cannot make the compiler reload it every frame.
struct Ear {
    const int16_t* data;  // the slot's data advanced by this ear's lead
    float gain;
    int16_t history[kSoundHistory];
    int32_t index;
    int32_t sum;

    // The gained sample, pushed into the 16-sample box filter.
    int take(uint32_t sampleIndex) {
        int sample = int(float(data[sampleIndex]) * gain);
        sum += sample - history[index];
        history[index] = int16_t(sample);
        index = (index + 1) & (kSoundHistory - 1);
        return sample;
    }
    // Blended towards the box filter's average; `averageWeight` is the
    // muffle level / 16 (exact, 16 being a power of two).
    int muffle(int sample, float dryLevel, float averageWeight) const {
        return int(float(int(float(sample) * dryLevel)) + float(sum) * averageWeight);
    }
};

Ear loadEar(const SoundSlot& slot, const int16_t* history, int32_t lead, float gain, int32_t index,
            int32_t sum) {
    Ear ear{slot.data + lead, gain, {}, index, sum};
    std::memcpy(ear.history, history, sizeof ear.history);
    return ear;
}

void storeEar(const Ear& ear, int16_t* history, int32_t& index, int32_t& sum) {
    std::memcpy(history, ear.history, sizeof ear.history);
    index = ear.index;
    sum = ear.sum;
}

// Mixes frames from `readPosition` on; returns whether the sound reached its
// end, with `index` the last index read. Muffling is decided once per block.
template <bool kMuffled>
bool mixFrames(const SoundSlot& slot, Ear& left, Ear& right, int16_t* ring, uint32_t& index) {
    const bool tooShort = slot.length <= kSoundHistory;
    const uint32_t end = tooShort ? 0 : uint32_t(slot.length - kSoundHistory);
    const float start = float(slot.readPosition), rate = slot.rate;
    const float dryLevel = slot.dryLevel, averageWeight = slot.muffle * 0.0625f;
    for (int k = 0; k < kMixBlockFrames; ++k) {
        index = sampleIndex(start + float(k) * rate);
        if (tooShort || index >= end) return true;
        int l = left.take(index);
        int r = right.take(index);
        if (kMuffled) {
            l = left.muffle(l, dryLevel, averageWeight);
            r = right.muffle(r, dryLevel, averageWeight);
        }
        ring[2 * k] = clampSample(ring[2 * k] + l);
        ring[2 * k + 1] = clampSample(ring[2 * k + 1] + r);
    }
    return false;
}

void mixSlot(SoundSlot& slot, int16_t* ring) {
    Ear left = loadEar(slot, slot.historyLeft, slot.leadLeft, slot.gainLeft, slot.historyIndexLeft,
                       slot.historySumLeft);
    Ear right = loadEar(slot, slot.historyRight, slot.leadRight, slot.gainRight,
                        slot.historyIndexRight, slot.historySumRight);
    uint32_t index = 0;
    bool ended = slot.muffle > 0.0f ? mixFrames<true>(slot, left, right, ring, index)
                                    : mixFrames<false>(slot, left, right, ring, index);
    storeEar(left, slot.historyLeft, slot.historyIndexLeft, slot.historySumLeft);
    storeEar(right, slot.historyRight, slot.historyIndexRight, slot.historySumRight);
    // Either way the next block starts at the index read last (read twice).
    slot.readPosition = int32_t(index);
    if (ended) slot.active.store(false, std::memory_order_release);
}

void setEars(SoundSlot& slot, float nearGain, float farGain, int32_t lead, bool rightIsNear) {
    slot.gainRight = rightIsNear ? nearGain : farGain;
    slot.gainLeft = rightIsNear ? farGain : nearGain;
    slot.leadRight = rightIsNear ? lead : 0;
    slot.leadLeft = rightIsNear ? 0 : lead;
}

}  // namespace

bool spatialiseSlot(SoundSlot& slot) {
    if (int32_t(millisecondClock() - slot.startTime) < 0) return false;
    const Vec3& listener = listenerVector(soundMixer.listener.position);
    const Vec3& facing = listenerVector(soundMixer.listener.facing);
    const float range = soundMixer.listener.hearingRange.load(std::memory_order_relaxed);
    const Vec3 source = *slot.source;
    const float dx = source.x - listener.x, dy = source.y - listener.y, dz = source.z - listener.z;
    const float d = std::sqrt(dx * dx + dy * dy + dz * dz);

    slot.rate = slot.baseRate + (slot.previousDistance - d) * kDopplerPerUnit;
    slot.previousDistance = d;

    const float g = (range - d) * (slot.baseGain / range);
    if (!(g > 0.0f)) {  // out of range, or no range at all: runs on silently
        slot.gainLeft = slot.gainRight = 0.0f;
        return true;
    }
    const float h = std::sqrt(dx * dx + dz * dz);
    if (!(h > 0.0f)) {  // no direction: centred, both ears alike
        slot.muffle = 0.0f;
        slot.dryLevel = 1.0f;
        setEars(slot, g, g, 0, true);
        return true;
    }
    const float nx = dx / h, nz = dz / h;
    const float along = facing.x * nx + facing.z * nz;
    const float side = nz * facing.x - nx * facing.z;
    // A facing that is not quite unit length must not push the lead outside 0 … 16.
    const float a = std::fabs(along) <= 1.0f ? std::fabs(along) : 1.0f;
    slot.muffle = along < 0.0f ? a : 0.0f;
    slot.dryLevel = 1.0f - slot.muffle;
    setEars(slot, g, g * a, int32_t((1.0f - a) * kMaxLead), side >= 0.0f);
    return true;
}

void onBufferDone(int16_t* block) {
    if (!soundMixer.isOpen.load(std::memory_order_acquire) || !soundMixer.mixRing) {
        std::memset(block, 0, kBlockSamples * sizeof(int16_t));
        return;
    }
    int16_t* ring = soundMixer.mixRing + soundMixer.writePosition;
    const int count = soundMixer.slotCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        SoundSlot& slot = soundMixer.slots[i];
        if (!slot.active.load(std::memory_order_acquire)) continue;
        std::lock_guard<std::mutex> guard(slot.lock);
        if (slot.active.load(std::memory_order_relaxed) && spatialiseSlot(slot)) mixSlot(slot, ring);
    }
    std::memcpy(block, ring, kBlockSamples * sizeof(int16_t));
    std::memset(ring, 0, kBlockSamples * sizeof(int16_t));
    soundMixer.writePosition = (soundMixer.writePosition + kBlockSamples) % kMixRingSamples;
}
