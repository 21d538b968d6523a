// The WAV reader over arbitrary bytes, ADPCM decoding included.
#include "audio/wav_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavSound sound;
    readWav(data, size, sound);
    return 0;
}
