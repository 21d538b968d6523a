#include "platform/wav_file.h"

#include <sndfile.h>

struct WavWriter {
    SNDFILE* file = nullptr;
    int channels = 0;
    bool ok = true;
};

WavWriter* openWavWriter(const std::string& path, int sampleRate, int channels) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return nullptr;
    return new WavWriter{file, channels, true};
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
    delete writer;
    return ok;
}
