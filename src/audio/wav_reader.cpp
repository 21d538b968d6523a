#include "audio/wav_reader.h"

#include "audio/sound_mixer.h"
#include "platform/adpcm_decoder.h"
#include "platform/byte_cursor.h"

#include <cstring>

namespace {

constexpr uint32_t kMaxFormatSize = 50;
constexpr uint32_t kMinFormatSize = 16;  // up to and including the sample width
constexpr int kTagPcm = 1;
constexpr int kTagMsAdpcm = 2;

// Only the first three letters of the RIFF ids are compared; "data" needs all four.
bool startsWith3(const char id[4], const char* expected) { return std::memcmp(id, expected, 3) == 0; }

// Skips chunks up to "data" and leaves the reader at its first byte.
int findDataChunk(ByteCursor& in, uint32_t& dataSize) {
    char id[4];
    uint32_t size = 0;
    while (in.tag(id) && in.le32(size)) {
        if (std::memcmp(id, "data", 4) == 0) {
            dataSize = size;
            return size <= in.left() ? 0 : kSoundBadChunks;
        }
        // No pad byte after odd sizes: the game's files never needed one.
        if (!in.skip(size)) break;
    }
    return kSoundBadChunks;
}

int readPcm(const uint8_t* format, const uint8_t* data, uint32_t dataSize, WavSound& sound) {
    int channels = le16(format + 2);
    int bits = le16(format + 14);
    if (channels != 1 || bits != 16) return kSoundBadFormat;
    sound.samples.resize(dataSize / 2);
    for (size_t i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] = int16_t(le16(data + 2 * i));
    return 0;
}

int readAdpcm(const uint8_t* format, uint32_t formatSize, const uint8_t* data, uint32_t dataSize,
              WavSound& sound) {
    if (le16(format + 2) != 1) return kSoundBadFormat;
    return decodeMsAdpcm(format, formatSize, data, dataSize, sound.samples) ? 0 : kSoundNotConverted;
}

}  // namespace

int readWav(const uint8_t* bytes, size_t size, WavSound& sound) {
    sound = WavSound{};
    ByteCursor in{bytes, size};
    char id[4];
    uint32_t riffSize = 0;
    if (!in.tag(id) || !startsWith3(id, "RIF")) return kSoundNotOpened;
    if (!in.le32(riffSize) || !in.tag(id) || !startsWith3(id, "WAV")) return kSoundNotWave;
    if (!in.tag(id) || !startsWith3(id, "fmt")) return kSoundBadChunks;

    uint32_t formatSize = 0;
    if (!in.le32(formatSize)) return kSoundBadChunks;
    if (formatSize > kMaxFormatSize) return kSoundBadFormat;
    if (in.left() < formatSize) return kSoundBadChunks;
    if (formatSize < kMinFormatSize) return kSoundBadFormat;
    uint8_t format[kMaxFormatSize] = {};
    std::memcpy(format, bytes + in.position, formatSize);
    in.skip(formatSize);

    uint32_t dataSize = 0;
    if (int code = findDataChunk(in, dataSize)) return code;
    const uint8_t* data = bytes + in.position;

    sound.formatTag = le16(format);
    if (sound.formatTag == kTagPcm) return readPcm(format, data, dataSize, sound);
    if (sound.formatTag == kTagMsAdpcm) return readAdpcm(format, formatSize, data, dataSize, sound);
    return kSoundBadFormat;
}
