#include "platform/audio_output.h"

#include <SDL.h>

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
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    pending.assign(size_t(blockFrames) * 2, 0);
    pendingUsed = pending.size() * sizeof(int16_t);
    blockFiller = filler;
    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = Uint16(blockFrames);
    want.callback = deviceCallback;
    // No allowed changes: SDL converts to whatever the hardware wants, and the
    // callback always sees this exact format.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void closeAudioOutput() {
    manualFiller = nullptr;
    if (device == 0) return;
    // SDL joins the device thread here, so no callback runs after this line.
    SDL_CloseAudioDevice(device);
    device = 0;
    blockFiller = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
