#pragma once
#include "math/vec3.h"

#include <atomic>
#include <cstdint>
#include <mutex>

// Sound effects: short mono 16-bit sounds mixed in software, one block of
// 1024 stereo frames at a time, and placed in 3-D around the listener.

constexpr int kSoundSlotCount = 16;
constexpr int kMixBlockFrames = 1024;
constexpr int kMixSampleRate = 11025;
constexpr int kSoundHistory = 16;

// loadSound's failure codes.
constexpr int kSoundNotOpened = -1;       // file does not open, or is not "RIF..."
constexpr int kSoundNotWave = -2;         // form type is not "WAV..."
constexpr int kSoundBadChunks = -3;       // no leading "fmt" chunk, no "data" chunk, or data past the end
constexpr int kSoundBadFormat = -4;       // "fmt" over 50 or under 16 bytes, or not a 16-bit mono PCM or mono MS ADPCM sound
constexpr int kSoundNotConverted = -5;    // the ADPCM decoder refused the sound
constexpr int kSoundNoFreeSlot = -6;      // all 16 slots are taken

// Where a slot's sound is heard from: the game's positions as it hands them
// over (to playSound and publishSoundPositions), kept under the slot's lock.
// The mixer holds no reference into the game.
struct HeardPlacement {
    Vec3 source;
    Vec3 listener;
    Vec3 facing;  // only x and z are used
};

struct SoundSlot {
    int16_t* data = nullptr;  // owned, mono
    int16_t historyLeft[kSoundHistory] = {};
    int16_t historyRight[kSoundHistory] = {};
    float baseRate = 1.0f;
    float rate = 1.0f;  // source samples per output frame
    float previousDistance = 0.0f;
    float baseGain = 1.0f;
    float gainRight = 0.0f;
    float gainLeft = 0.0f;
    int32_t leadRight = 0;
    int32_t leadLeft = 0;
    // Published last by playSound (release) and read first by the mixer (acquire).
    std::atomic<bool> active{false};
    int32_t readPosition = 0;
    int32_t length = 0;
    float dryLevel = 1.0f;
    float muffle = 0.0f;
    int32_t historyIndexLeft = 0;
    int32_t historyIndexRight = 0;
    int32_t historySumLeft = 0;
    int32_t historySumRight = 0;
    // Clock milliseconds at which the sound becomes audible; compared modulo
    // 2^32 so the clock's wrap never leaves a sound waiting.
    uint32_t startTime = 0;
    HeardPlacement placement;
    // Held by playSound while it restarts the slot, by publishSoundPositions
    // while it copies the positions in, and by the mixer while it works on the
    // slot, so neither meets a half-mixed slot nor the mixer a half-copied place.
    std::mutex lock;
};

struct Listener {
    std::atomic<float> hearingRange{0.0f};
};

struct SoundMixer {
    SoundSlot slots[kSoundSlotCount];
    // Raised (release) only after the new slot is complete.
    std::atomic<int32_t> slotCount{0};
    Listener listener;
    std::atomic<bool> isOpen{false};
    std::atomic<int32_t> volumePercent{100};  // the player's master volume, 0 to 100
};

extern SoundMixer soundMixer;

// What a WAV file held, for tools: the format tag of the file.
struct SoundFileInfo {
    int formatTag = 0;
    const char* failure = "";  // why loadSound refused the file, in words
};

int openSoundOutput();
// Returns the slot index, or one of the negative codes above. A file that
// does not open, or does not decode, is reported with the error box, naming
// it and (for one that does not decode) the reason.
int loadSound(const char* fileName, SoundFileInfo* info = nullptr);
// How far the listener hears.
void setHearingRange(float hearingRange);
// Starts the sound where the game has its source and the listener right now.
// False when there is no such sound (an index outside the loaded slots, or a
// slot without data).
bool playSound(int32_t soundIndex, const HeardPlacement& placement);
// Where every sound's source and the listener are now; slots not playing are
// passed over.
struct SoundPositions {
    Vec3 sources[kSoundSlotCount];
    Vec3 listener;
    Vec3 facing;  // only x and z are used
};
// The game hands them over on the main thread once per frame, after the
// world update; between calls the mixer hears everything where it was last
// published.
void publishSoundPositions(const SoundPositions& positions);
bool isSoundPlaying(int32_t soundIndex);
// The playing flags of all slots at this moment, slot i in bit i.
uint32_t playingSoundFlags();
// The master volume in percent (0 to 100), applied to every mixed block.
void setSoundVolume(int percent);
void closeSoundOutput();

// The mixer, run on the audio thread: mixes one block and writes its 2048
// interleaved samples to `block`.
void onBufferDone(int16_t* block);
// The spatial step for one slot; false when the slot is not mixed this block.
bool spatialiseSlot(SoundSlot& slot);
