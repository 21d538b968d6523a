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

// Where a slot's sound is heard from: copies of the game's positions, taken
// on the main thread (by playSound and publishSoundPositions) under the
// slot's lock. The mixer reads only these, never the game's own vectors.
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
    const Vec3* source = nullptr;  // the game's vector; dereferenced on the main thread only
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

// The game's listener vectors, dereferenced on the main thread only.
struct Listener {
    const Vec3* position = nullptr;
    const Vec3* facing = nullptr;  // only x and z are used
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
// `position` and `facing` must stay valid while sounds are played or published.
void setListener(const Vec3& position, const Vec3& facing, float hearingRange);
// `source` must stay valid while the sound plays. False when there is no such
// sound (an index outside the loaded slots, or a slot without data).
bool playSound(int32_t soundIndex, const Vec3& source);
// Hands the mixer where every playing sound's source and the listener are now.
// The game calls it on the main thread once per frame, after the world update;
// between calls the mixer hears everything where it was last published.
void publishSoundPositions();
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
