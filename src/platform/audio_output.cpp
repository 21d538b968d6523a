#include "platform/audio_output.h"

#include "platform/audio_device.h"

#include <cstring>
#include <vector>

namespace {

SDL_AudioDeviceID device = 0;
AudioBlockFiller blockFiller = nullptr;
// SDL asks for any number of bytes; the filler always makes whole blocks, so
// the bytes of a block not yet handed out wait here for the next request.
std::vector<int16_t> pending;
size_t pendingUsed = 0;
bool manualMode = false;
AudioBlockFiller manualFiller = nullptr;  // set while a manual output is open

void SDLCALL deviceCallback(void*, Uint8* stream, int length) {
    size_t wanted = size_t(length);
    while (wanted > 0) {
        size_t blockBytes = pending.size() * sizeof(int16_t);
        if (pendingUsed == blockBytes) {
            blockFiller(pending.data());
            pendingUsed = 0;
        }
        size_t n = blockBytes - pendingUsed < wanted ? blockBytes - pendingUsed : wanted;
        std::memcpy(stream, reinterpret_cast<const Uint8*>(pending.data()) + pendingUsed, n);
        stream += n;
        pendingUsed += n;
        wanted -= n;
    }
}

}  // namespace

bool openAudioOutput(int sampleRate, int blockFrames, AudioBlockFiller filler) {
    if (device != 0 || manualFiller || !filler || blockFrames <= 0) return false;
    if (manualMode) {
        manualFiller = filler;
        return true;
    }
    pending.assign(size_t(blockFrames) * 2, 0);
    pendingUsed = pending.size() * sizeof(int16_t);
    blockFiller = filler;
    device = openStereoDevice(sampleRate, blockFrames, deviceCallback, nullptr);
    if (device == 0) return false;
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void closeAudioOutput() {
    manualFiller = nullptr;
    if (device == 0) return;
    closeStereoDevice(device);
    blockFiller = nullptr;
}

void setManualAudioOutput(bool manual) {
    manualMode = manual;
    if (!manual) manualFiller = nullptr;
}

bool pullManualAudioBlock(int16_t* block) {
    if (!manualFiller) return false;
    manualFiller(block);
    return true;
}
