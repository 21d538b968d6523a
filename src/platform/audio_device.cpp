#include "platform/audio_device.h"

SDL_AudioDeviceID openStereoDevice(int sampleRate, int frames, SDL_AudioCallback callback,
                                   void* user) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = Uint16(frames);
    want.callback = callback;
    want.userdata = user;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return device;
}

void closeStereoDevice(SDL_AudioDeviceID& device) {
    if (device == 0) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
