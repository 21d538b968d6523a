#include "platform/adpcm_decoder.h"

#include "platform/byte_cursor.h"

#include <sndfile.h>

#include <cstring>

namespace {

// libsndfile reads the stream from a small canonical WAVE image in memory:
// only the chunks the game's reader accepted, so both agree on what is decoded.
struct MemoryFile {
    std::vector<uint8_t> bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user) { return sf_count_t(static_cast<MemoryFile*>(user)->bytes.size()); }

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    sf_count_t base = whence == SEEK_CUR ? file->position
                    : whence == SEEK_END ? sf_count_t(file->bytes.size()) : 0;
    sf_count_t target = base + offset;
    if (target < 0 || target > sf_count_t(file->bytes.size())) return -1;
    file->position = target;
    return target;
}

sf_count_t memoryRead(void* out, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    sf_count_t left = sf_count_t(file->bytes.size()) - file->position;
    if (count > left) count = left;
    if (count <= 0) return 0;
    std::memcpy(out, file->bytes.data() + file->position, size_t(count));
    file->position += count;
    return count;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t memoryTell(void* user) { return static_cast<MemoryFile*>(user)->position; }

void appendTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

void appendLe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

std::vector<uint8_t> waveImage(const uint8_t* format, uint32_t formatSize, const uint8_t* data,
                               uint32_t dataSize) {
    std::vector<uint8_t> out;
    out.reserve(size_t(44) + formatSize + dataSize);
    appendTag(out, "RIFF");
    appendLe32(out, 4 + 8 + formatSize + (formatSize & 1) + 8 + dataSize);
    appendTag(out, "WAVE");
    appendTag(out, "fmt ");
    appendLe32(out, formatSize);
    out.insert(out.end(), format, format + formatSize);
    if (formatSize & 1) out.push_back(0);
    appendTag(out, "data");
    appendLe32(out, dataSize);
    out.insert(out.end(), data, data + dataSize);
    return out;
}

// What a Microsoft ADPCM converter accepts: 4-bit mono blocks whose sample
// count matches their size, and the table of the seven standard predictor
// coefficients. libsndfile trusts these fields, and a block size that
// disagrees with its sample count can make it spin.
bool plausibleFormat(const uint8_t* format, uint32_t formatSize) {
    constexpr uint32_t kStandardCoefficients = 7;
    if (formatSize < 22 || le16(format + 2) != 1 || le16(format + 14) != 4) return false;
    const uint32_t blockAlign = le16(format + 12), samplesPerBlock = le16(format + 18);
    const uint32_t coefficients = le16(format + 20);
    return blockAlign > 7 && samplesPerBlock == (blockAlign - 7) * 2 + 2 &&
           coefficients >= kStandardCoefficients && formatSize >= 22 + 4 * coefficients;
}

}  // namespace

bool decodeMsAdpcm(const uint8_t* format, uint32_t formatSize, const uint8_t* data,
                   uint32_t dataSize, std::vector<int16_t>& samples) {
    samples.clear();
    if (!plausibleFormat(format, formatSize)) return false;
    // Only whole blocks are converted, as a block converter does; libsndfile
    // can spin on a block cut short.
    dataSize -= dataSize % le16(format + 12);
    if (dataSize == 0) return true;
    MemoryFile file;
    file.bytes = waveImage(format, formatSize, data, dataSize);
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, &file);
    if (!sound) return false;
    bool ok = (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_MS_ADPCM && info.channels == 1 &&
              info.frames >= 0 && info.frames <= sf_count_t(dataSize) * 4;
    if (ok) {
        samples.resize(size_t(info.frames));
        sf_count_t got = sf_readf_short(sound, samples.data(), info.frames);
        samples.resize(size_t(got > 0 ? got : 0));
    }
    sf_close(sound);
    if (!ok) samples.clear();
    return ok;
}
