#pragma once
#include <fluidsynth.h>

#include <cstdint>

// The synthesiser behind the MIDI output, for rendering a song offline with
// the game's own settings.
fluid_settings_t* newSynthSettings();
// A channel message: status + data1 × 256 + data2 × 65536.
void sendToSynth(fluid_synth_t* synthesiser, uint32_t message);
