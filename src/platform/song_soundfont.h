#pragma once
#include "platform/midi_output.h"

#include <fluidsynth.h>

#include <string>
#include <vector>

// Loads a SoundFont into the synthesiser for a song: only the presets of the
// programs the song plays (in every bank, so that a bank change finds what it
// found in the whole font) and the two FluidSynth falls back to (bank 0
// program 0 and the drum kit, bank 128 program 0) are read, with their
// instruments and sample headers; the rest of the font never takes memory.
// The same notes then sound the same. A file that cannot be cut is loaded
// whole. FluidSynth's font id, or FLUID_FAILED.
int loadSongSoundFont(fluid_synth_t* synth, const std::string& path,
                      const std::vector<MidiPreset>& presets);

// Forgets the cut fonts, once the synthesisers that read them are deleted
// (FluidSynth opens a font again whenever a preset brings in its samples).
void forgetSongSoundFonts();
