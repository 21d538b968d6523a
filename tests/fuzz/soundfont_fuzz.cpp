// Cutting a SoundFont's preset data, over arbitrary bytes: never a read
// outside them, and what comes out is preset data that cuts again to itself
// when every preset stays.
#include "platform/soundfont_trim.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> chunk;
    if (!trimPresetData(data, size, [](int, int program) { return program % 2 == 0; }, chunk))
        return 0;
    std::vector<uint8_t> again;
    const size_t header = 12;  // "LIST", the size, "pdta"
    if (!trimPresetData(chunk.data() + header, chunk.size() - header, [](int, int) { return true; },
                        again) ||
        again != chunk)
        std::abort();
    return 0;
}
