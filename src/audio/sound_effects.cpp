#include "audio/sound_mixer.h"

#include "audio/wav_reader.h"
#include "platform/audio_output.h"
#include "platform/clock.h"
#include "platform/error_box.h"
#include "platform/media_path.h"
#include "platform/whole_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

SoundMixer soundMixer;

namespace {

// Sound travels 500 units per second: 2 ms of delay per unit of distance.
constexpr float kDelayMsPerUnit = 2.0f;
// A source absurdly far away still gets a start time the wrap-safe test handles.
constexpr float kMaxDelayMs = 1u << 30;

float distanceBetween(const Vec3& a, const Vec3& b) {
    Vec3 d = a - b;
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

// Milliseconds until a sound at `distance` is heard: the smallest whole count
// at which the clock is no longer before clock + distance × 0.002 s.
uint32_t startDelayMs(float distance) {
    float delay = std::ceil(distance * kDelayMsPerUnit);
    if (!(delay >= 0.0f)) return 0;
    return delay < kMaxDelayMs ? uint32_t(delay) : uint32_t(kMaxDelayMs);
}

void restartSlot(SoundSlot& slot, const HeardPlacement& placement) {
    slot.baseGain = slot.baseRate = slot.rate = slot.dryLevel = 1.0f;
    slot.muffle = 0.0f;
    slot.readPosition = slot.leadLeft = slot.leadRight = 0;
    slot.historyIndexLeft = slot.historyIndexRight = 0;
    slot.historySumLeft = slot.historySumRight = 0;
    std::memset(slot.historyLeft, 0, sizeof slot.historyLeft);
    std::memset(slot.historyRight, 0, sizeof slot.historyRight);
    slot.placement = placement;
    slot.previousDistance = distanceBetween(slot.placement.source, slot.placement.listener);
    slot.startTime = millisecondClock() + startDelayMs(slot.previousDistance);
}

bool validIndex(int32_t soundIndex) {
    return soundIndex >= 0 && soundIndex < soundMixer.slotCount.load(std::memory_order_acquire);
}

}  // namespace

int openSoundOutput() {
    // Without a device the game runs silent.
    soundMixer.isOpen.store(true, std::memory_order_release);
    return openAudioOutput(kMixSampleRate, kMixBlockFrames, onBufferDone) ? 0 : -1;
}

int loadSound(const char* fileName, SoundFileInfo* info) {
    int index = soundMixer.slotCount.load(std::memory_order_relaxed);
    if (index >= kSoundSlotCount) {
        if (info) info->failure = "all 16 sound slots are taken";
        return kSoundNoFreeSlot;
    }
    SoundSlot& slot = soundMixer.slots[index];
    std::string path = buildMediaPath(fileName);
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        reportError("Could not open file:", path.c_str());
        if (info) info->failure = "the file does not open";
        return kSoundNotOpened;
    }
    WavSound sound;
    int code = readWav(bytes.data(), bytes.size(), sound);
    if (info) *info = SoundFileInfo{sound.formatTag, sound.failure};
    if (code != 0) {
        // Found but of no use: the player hears of it once; the game goes on without it.
        reportFileError("Unable to load the sound file:", path, sound.failure);
        return code;
    }

    slot.data = new int16_t[sound.samples.size() + 1]();
    std::copy(sound.samples.begin(), sound.samples.end(), slot.data);
    slot.length = int32_t(sound.samples.size());
    slot.readPosition = 0;
    slot.active.store(false, std::memory_order_relaxed);
    soundMixer.slotCount.store(index + 1, std::memory_order_release);
    return index;
}

void setHearingRange(float hearingRange) {
    soundMixer.listener.hearingRange.store(hearingRange, std::memory_order_relaxed);
}

bool playSound(int32_t soundIndex, const HeardPlacement& placement) {
    if (!validIndex(soundIndex)) return false;
    SoundSlot& slot = soundMixer.slots[soundIndex];
    if (!slot.data) return false;
    std::lock_guard<std::mutex> guard(slot.lock);
    restartSlot(slot, placement);
    slot.active.store(true, std::memory_order_release);
    return true;
}

// Each slot gets the listener together with its source, under the one lock
// the mixer already takes: the mixer never pairs a source of one frame with a
// listener of another, which Doppler would turn into a jump in pitch.
void publishSoundPositions(const SoundPositions& positions) {
    const int count = soundMixer.slotCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        SoundSlot& slot = soundMixer.slots[i];
        if (!slot.active.load(std::memory_order_acquire)) continue;
        std::lock_guard<std::mutex> guard(slot.lock);
        if (slot.active.load(std::memory_order_relaxed))
            slot.placement = {positions.sources[i], positions.listener, positions.facing};
    }
}

bool isSoundPlaying(int32_t soundIndex) {
    return validIndex(soundIndex) &&
           soundMixer.slots[soundIndex].active.load(std::memory_order_acquire);
}

uint32_t playingSoundFlags() {
    uint32_t flags = 0;
    const int count = soundMixer.slotCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i)
        if (soundMixer.slots[i].active.load(std::memory_order_acquire)) flags |= 1u << i;
    return flags;
}

void closeSoundOutput() {
    // Cleared first: a block still being asked for is left silent.
    soundMixer.isOpen.store(false, std::memory_order_release);
    closeAudioOutput();
    int count = soundMixer.slotCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        SoundSlot& slot = soundMixer.slots[i];
        slot.active.store(false, std::memory_order_relaxed);
        delete[] slot.data;
        slot.data = nullptr;
        slot.length = 0;
    }
    soundMixer.slotCount.store(0, std::memory_order_release);
}
