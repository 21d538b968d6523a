#include "wav_writer.h"

#include <sndfile.h>

#include <cstdio>

#include "bytes.h"
#include "synth.h"

namespace {

void put(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(tag[i]));
}

}  // namespace

bool writePcmWav(const std::string& path, const std::vector<int16_t>& samples) {
    uint32_t dataSize = uint32_t(samples.size() * 2);
    Bytes b;
    b.reserve(44 + dataSize);
    put(b, "RIFF");
    putLe32(b, 36 + dataSize);
    put(b, "WAVE");
    put(b, "fmt ");
    putLe32(b, 16);
    putLe16(b, 1);  // PCM
    putLe16(b, 1);  // mono
    putLe32(b, kSampleRate);
    putLe32(b, kSampleRate * 2);
    putLe16(b, 2);
    putLe16(b, 16);
    put(b, "data");
    putLe32(b, dataSize);
    for (int16_t s : samples) putLe16(b, uint16_t(s));
    return writeFile(path, b);
}

bool writeAdpcmWav(const std::string& path, const std::vector<int16_t>& samples) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) {
        std::fprintf(stderr, "vexar-mediagen: cannot write %s: %s\n", path.c_str(),
                     sf_strerror(nullptr));
        return false;
    }
    sf_count_t written = sf_write_short(f, samples.data(), sf_count_t(samples.size()));
    bool ok = written == sf_count_t(samples.size());
    ok = sf_close(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "vexar-mediagen: cannot write %s\n", path.c_str());
    return ok;
}
