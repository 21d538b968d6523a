#pragma once
// Inside the platform only: SDL types appear here.
#include <SDL.h>

// The sound effects and the synthesiser each play interleaved signed 16-bit
// stereo through an SDL audio device of their own. Opens one, paused, that
// asks `callback` for `frames` frames at a time; 0 when none opens. No format
// changes are allowed: SDL converts to whatever the hardware wants, and the
// callback always sees exactly this format.
SDL_AudioDeviceID openStereoDevice(int sampleRate, int frames, SDL_AudioCallback callback,
                                   void* user);
// SDL joins the device's thread first, so no callback runs after this; the
// device becomes 0.
void closeStereoDevice(SDL_AudioDeviceID& device);
