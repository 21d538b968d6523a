#include "audio/sound_mixer.h"

#include "platform/clock.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float kDopplerPerUnit = 0.01f;  // rate change per unit of approach within one block
constexpr float kMaxLead = 16.0f;         // samples, about 1.45 ms at 11025 Hz
constexpr int kBlockSamples = kMixBlockFrames * 2;

// The sample index of a read position. Positions below zero become huge, as
// an unsigned index would, and so end the sound; so does anything not finite.
uint32_t sampleIndex(float position) {
    if (position > -2147483648.0f && position < 4294967296.0f)
        return uint32_t(int64_t(position));
    return UINT32_MAX;
}

int32_t clampSample(int32_t value) { return value > 32767 ? 32767 : value < -32767 ? -32767 : value; }

// One ear's samples for a block: the 16 gained samples of the box filter's
// history, oldest first, then this block's gained samples; and the filter's
// running sum after each frame. Working block-wide in passes keeps the
// per-frame arithmetic off the filter's chain of dependent additions.
struct EarBlock {
    int32_t gained[kSoundHistory + kMixBlockFrames];
    int32_t sums[kMixBlockFrames];
    // The block mixed so far. Each slot's addition is clamped, so it always
    // holds what 16-bit samples would: the block is written once, at the end.
    int32_t mixed[kMixBlockFrames];
};

// Where a block reads: its first `frames` frames, up to the end of the sound,
// at `indexes`, or at first, first + 1, … when the sound runs at its own pace.
struct BlockReads {
    int frames = kMixBlockFrames;
    bool ended = false;
    uint32_t lastIndex = 0;  // where the next block starts, or where the sound ended
    bool consecutive = false;
    uint32_t first = 0;
};

// Below 2^24 a float holds every whole number, so start + k × 1.0 is exact.
constexpr float kExactWholeNumbers = 16777216.0f;

BlockReads blockReads(const SoundSlot& slot, uint32_t* indexes) {
    const bool tooShort = slot.length <= kSoundHistory;
    const uint32_t end = tooShort ? 0 : uint32_t(slot.length - kSoundHistory);
    const float start = float(slot.readPosition), rate = slot.rate;
    BlockReads reads;
    if (rate == 1.0f && start >= 0.0f && start + kMixBlockFrames <= kExactWholeNumbers) {
        // At its own pace, frame k reads exactly readPosition + k.
        reads.consecutive = true;
        reads.first = uint32_t(slot.readPosition);
        const uint32_t framesLeft = reads.first < end ? end - reads.first : 0;
        if (framesLeft < uint32_t(kMixBlockFrames)) reads.frames = int(framesLeft);
        reads.ended = reads.frames < kMixBlockFrames;
        reads.lastIndex = reads.first + uint32_t(reads.ended ? reads.frames : reads.frames - 1);
        return reads;
    }
    auto position = [&](int k) { return start + float(k) * rate; };
    auto inside = [&](int k) { return !tooShort && sampleIndex(position(k)) < end; };
    if (start >= 0.0f && rate >= 0.0f) {
        // Positions only grow, so the frames inside the sound are a prefix:
        // find its length, then convert without testing every frame.
        int low = 0, high = kMixBlockFrames;
        while (low < high) {
            int middle = (low + high) / 2;
            if (inside(middle)) low = middle + 1; else high = middle;
        }
        reads.frames = low;
        for (int k = 0; k < reads.frames; ++k) indexes[k] = uint32_t(int32_t(position(k)));
    } else {
        for (int k = 0; k < kMixBlockFrames && reads.frames == kMixBlockFrames; ++k)
            if (inside(k)) indexes[k] = sampleIndex(position(k)); else reads.frames = k;
    }
    reads.ended = reads.frames < kMixBlockFrames;
    reads.lastIndex = reads.ended ? sampleIndex(position(reads.frames)) : indexes[reads.frames - 1];
    return reads;
}

void loadHistory(EarBlock& ear, const int16_t* history, int32_t historyIndex) {
    for (int j = 0; j < kSoundHistory; ++j)
        ear.gained[j] = history[(historyIndex + j) & (kSoundHistory - 1)];
}

// Both ears read at the same indexes, each with its own lead.
void gatherEars(EarBlock& left, EarBlock& right, const SoundSlot& slot, const BlockReads& reads,
                const uint32_t* indexes) {
    const int16_t* dataLeft = slot.data + slot.leadLeft;
    const int16_t* dataRight = slot.data + slot.leadRight;
    int32_t* gainedLeft = left.gained + kSoundHistory;
    int32_t* gainedRight = right.gained + kSoundHistory;
    if (reads.consecutive) {
        dataLeft += reads.first;
        dataRight += reads.first;
        for (int k = 0; k < reads.frames; ++k) gainedLeft[k] = dataLeft[k];
        for (int k = 0; k < reads.frames; ++k) gainedRight[k] = dataRight[k];
        return;
    }
    for (int k = 0; k < reads.frames; ++k) {
        gainedLeft[k] = dataLeft[indexes[k]];
        gainedRight[k] = dataRight[indexes[k]];
    }
}

void gainEar(EarBlock& ear, int frames, float gain) {
    int32_t* gained = ear.gained + kSoundHistory;
    for (int k = 0; k < frames; ++k) gained[k] = int32_t(float(gained[k]) * gain);
}

// The box filters' running sums; the two ears' chains of additions run side by side.
void sumEars(EarBlock& left, EarBlock& right, int frames, int32_t& sumLeft, int32_t& sumRight) {
    int32_t l = sumLeft, r = sumRight;
    for (int k = 0; k < frames; ++k) {
        left.sums[k] = l += left.gained[kSoundHistory + k] - left.gained[k];
        right.sums[k] = r += right.gained[kSoundHistory + k] - right.gained[k];
    }
    sumLeft = l;
    sumRight = r;
}

// Keeps the last 16 gained samples where the next block's filter expects them.
void storeHistory(const EarBlock& ear, int frames, int16_t* history, int32_t& historyIndex) {
    historyIndex = (historyIndex + frames) & (kSoundHistory - 1);
    for (int j = 0; j < kSoundHistory; ++j)
        history[(historyIndex + j) & (kSoundHistory - 1)] = int16_t(ear.gained[frames + j]);
}

// Adds the ear's samples, muffled if the slot is, to the block mixed so far.
void addEar(EarBlock& ear, int frames, const SoundSlot& slot) {
    const int32_t* gained = ear.gained + kSoundHistory;
    if (!(slot.muffle > 0.0f)) {
        for (int k = 0; k < frames; ++k) ear.mixed[k] = clampSample(ear.mixed[k] + gained[k]);
        return;
    }
    // muffle / 16 is exact: 16 is a power of two.
    const float dryLevel = slot.dryLevel, averageWeight = slot.muffle * 0.0625f;
    for (int k = 0; k < frames; ++k) {
        const int32_t muffled =
            int32_t(float(int32_t(float(gained[k]) * dryLevel)) + float(ear.sums[k]) * averageWeight);
        ear.mixed[k] = clampSample(ear.mixed[k] + muffled);
    }
}

// About 30 KB of working space, kept off the audio thread's small stack.
// Blocks are mixed one at a time, so one set serves every call.
struct MixScratch {
    uint32_t indexes[kMixBlockFrames];
    EarBlock left, right;
};
MixScratch scratch;

void mixSlot(SoundSlot& slot) {
    EarBlock& left = scratch.left;
    EarBlock& right = scratch.right;
    const BlockReads reads = blockReads(slot, scratch.indexes);
    const int frames = reads.frames;
    loadHistory(left, slot.historyLeft, slot.historyIndexLeft);
    loadHistory(right, slot.historyRight, slot.historyIndexRight);
    gatherEars(left, right, slot, reads, scratch.indexes);
    gainEar(left, frames, slot.gainLeft);
    gainEar(right, frames, slot.gainRight);
    sumEars(left, right, frames, slot.historySumLeft, slot.historySumRight);
    storeHistory(left, frames, slot.historyLeft, slot.historyIndexLeft);
    storeHistory(right, frames, slot.historyRight, slot.historyIndexRight);
    addEar(left, frames, slot);
    addEar(right, frames, slot);
    // Either way the next block starts at the index read last (read twice).
    slot.readPosition = int32_t(reads.lastIndex);
    if (reads.ended) slot.active.store(false, std::memory_order_release);
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
    const Vec3& source = slot.placement.source;
    const Vec3& listener = slot.placement.listener;
    const Vec3& facing = slot.placement.facing;
    const float range = soundMixer.listener.hearingRange.load(std::memory_order_relaxed);
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
    if (!soundMixer.isOpen.load(std::memory_order_acquire)) {
        std::memset(block, 0, kBlockSamples * sizeof(int16_t));
        return;
    }
    std::memset(scratch.left.mixed, 0, sizeof scratch.left.mixed);
    std::memset(scratch.right.mixed, 0, sizeof scratch.right.mixed);
    const int count = soundMixer.slotCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        SoundSlot& slot = soundMixer.slots[i];
        if (!slot.active.load(std::memory_order_acquire)) continue;
        std::lock_guard<std::mutex> guard(slot.lock);
        if (slot.active.load(std::memory_order_relaxed) && spatialiseSlot(slot)) mixSlot(slot);
    }
    // The player's master volume comes after every gain of the mix; at 100 %
    // the samples pass untouched.
    const int32_t volume = soundMixer.volumePercent.load(std::memory_order_relaxed);
    for (int k = 0; k < kMixBlockFrames; ++k) {
        int32_t left = scratch.left.mixed[k], right = scratch.right.mixed[k];
        if (volume != 100) {
            left = left * volume / 100;
            right = right * volume / 100;
        }
        block[2 * k] = int16_t(left);
        block[2 * k + 1] = int16_t(right);
    }
}

void setSoundVolume(int percent) {
    soundMixer.volumePercent.store(percent < 0 ? 0 : percent > 100 ? 100 : percent,
                                   std::memory_order_relaxed);
}
