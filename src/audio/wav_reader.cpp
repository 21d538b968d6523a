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

int refuse(WavSound& sound, int code, const char* reason) {
    sound.failure = reason;
    return code;
}

// Only the first three letters of the RIFF ids are compared; "data" needs all four.
bool startsWith3(const char id[4], const char* expected) { return std::memcmp(id, expected, 3) == 0; }

// Skips chunks up to "data" and leaves the reader at its first byte.
int findDataChunk(ByteCursor& in, uint32_t& dataSize, WavSound& sound) {
    char id[4];
    uint32_t size = 0;
    while (in.tag(id) && in.le32(size)) {
        if (std::memcmp(id, "data", 4) == 0) {
            dataSize = size;
            if (size <= in.left()) return 0;
            return refuse(sound, kSoundBadChunks, "the data chunk runs past the end of the file");
        }
        // No pad byte after odd sizes: the game's files never needed one.
        if (!in.skip(size)) break;
    }
    return refuse(sound, kSoundBadChunks, "the file ends before a data chunk");
}

int readPcm(const uint8_t* format, const uint8_t* data, uint32_t dataSize, WavSound& sound) {
    int channels = le16(format + 2);
    int bits = le16(format + 14);
    if (channels != 1 || bits != 16)
        return refuse(sound, kSoundBadFormat, "not 16-bit mono: the game plays only 16-bit mono PCM");
    sound.samples.resize(dataSize / 2);
    for (size_t i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] = int16_t(le16(data + 2 * i));
    return 0;
}

int readAdpcm(const uint8_t* format, uint32_t formatSize, const uint8_t* data, uint32_t dataSize,
              WavSound& sound) {
    if (le16(format + 2) != 1)
        return refuse(sound, kSoundBadFormat, "Microsoft ADPCM that is not mono");
    if (decodeMsAdpcm(format, formatSize, data, dataSize, sound.samples)) return 0;
    return refuse(sound, kSoundNotConverted, "the Microsoft ADPCM data does not decode");
}

}  // namespace

int readWav(const uint8_t* bytes, size_t size, WavSound& sound) {
    sound = WavSound{};
    ByteCursor in{bytes, size};
    char id[4];
    uint32_t riffSize = 0;
    if (!in.tag(id) || !startsWith3(id, "RIF")) return refuse(sound, kSoundNotOpened, "not a RIFF file");
    if (!in.le32(riffSize) || !in.tag(id) || !startsWith3(id, "WAV"))
        return refuse(sound, kSoundNotWave, "a RIFF file but not a WAVE sound");
    if (!in.tag(id) || !startsWith3(id, "fmt"))
        return refuse(sound, kSoundBadChunks, "the first chunk is not \"fmt\"");

    uint32_t formatSize = 0;
    if (!in.le32(formatSize)) return refuse(sound, kSoundBadChunks, "the file ends inside the fmt chunk");
    if (formatSize > kMaxFormatSize)
        return refuse(sound, kSoundBadFormat, "the fmt chunk is longer than 50 bytes");
    if (in.left() < formatSize) return refuse(sound, kSoundBadChunks, "the file ends inside the fmt chunk");
    if (formatSize < kMinFormatSize)
        return refuse(sound, kSoundBadFormat, "the fmt chunk is shorter than 16 bytes");
    uint8_t format[kMaxFormatSize] = {};
    std::memcpy(format, bytes + in.position, formatSize);
    in.skip(formatSize);

    uint32_t dataSize = 0;
    if (int code = findDataChunk(in, dataSize, sound)) return code;
    const uint8_t* data = bytes + in.position;

    sound.formatTag = le16(format);
    if (sound.formatTag == kTagPcm) return readPcm(format, data, dataSize, sound);
    if (sound.formatTag == kTagMsAdpcm) return readAdpcm(format, formatSize, data, dataSize, sound);
    return refuse(sound, kSoundBadFormat, "neither PCM nor Microsoft ADPCM");
}
