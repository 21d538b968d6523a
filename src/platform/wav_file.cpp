#include "platform/wav_file.h"

#include "platform/file_system.h"

#include <sndfile.h>

#include <cstdio>

struct WavWriter {
    SNDFILE* file = nullptr;
    std::FILE* out = nullptr;
    int channels = 0;
    bool ok = true;
};

namespace {

// libsndfile writes through the game's own file, which opens any UTF-8 path
// on every system (its own sf_open takes a narrow path on Windows).
std::FILE* stream(void* user) { return static_cast<std::FILE*>(user); }

sf_count_t fileLength(void* user) {
    long here = std::ftell(stream(user));
    std::fseek(stream(user), 0, SEEK_END);
    long end = std::ftell(stream(user));
    std::fseek(stream(user), here, SEEK_SET);
    return end;
}
sf_count_t fileSeek(sf_count_t offset, int whence, void* user) {
    return std::fseek(stream(user), long(offset), whence) == 0 ? std::ftell(stream(user)) : -1;
}
sf_count_t fileRead(void* data, sf_count_t count, void* user) {
    return sf_count_t(std::fread(data, 1, size_t(count), stream(user)));
}
sf_count_t fileWrite(const void* data, sf_count_t count, void* user) {
    return sf_count_t(std::fwrite(data, 1, size_t(count), stream(user)));
}
sf_count_t fileTell(void* user) { return std::ftell(stream(user)); }

}  // namespace

WavWriter* openWavWriter(const std::string& path, int sampleRate, int channels) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    std::FILE* out = openFile(path, "w+b");
    if (!out) return nullptr;
    SF_VIRTUAL_IO io{fileLength, fileSeek, fileRead, fileWrite, fileTell};
    SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, out);
    if (!file) {
        std::fclose(out);
        return nullptr;
    }
    return new WavWriter{file, out, channels, true};
}

bool appendWav(WavWriter* writer, const int16_t* samples, size_t frames) {
    if (!writer) return false;
    const sf_count_t count = sf_count_t(frames) * writer->channels;
    writer->ok = sf_write_short(writer->file, samples, count) == count && writer->ok;
    return writer->ok;
}

bool closeWavWriter(WavWriter* writer) {
    if (!writer) return false;
    bool ok = sf_close(writer->file) == 0 && writer->ok;
    ok = std::fclose(writer->out) == 0 && ok;
    delete writer;
    return ok;
}
