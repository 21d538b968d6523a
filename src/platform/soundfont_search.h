#pragma once
#include <fluidsynth.h>

#include <string>
#include <vector>

// The SoundFonts that exist, in the order the synthesiser tries them, with
// FluidSynth's default read from these settings. Reading settings is not
// safe beside SDL's audio set-up on another thread (FluidSynth lists SDL's
// audio devices), so the caller decides the thread.
std::vector<std::string> soundFontCandidates(fluid_settings_t* settings);
