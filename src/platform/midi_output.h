#pragma once
#include <cstdint>
#include <vector>

// The MIDI output the song plays on: a General MIDI synthesiser of the
// system's. On Linux that is FluidSynth with a SoundFont, playing into an
// audio device of its own (midi_output_fluidsynth.cpp); on Windows the
// system's MIDI mapper (midi_output_winmm.cpp). Without a synthesiser or a
// device the output still "opens" and every message is dropped.
//
// Opening returns at once. A synthesiser that must first load its sounds
// (FluidSynth reads the SoundFont on a loader thread: only the presets the
// song announces, and those FluidSynth falls back to, keeping in memory only
// their samples) is not settled until that is done, and messages go nowhere
// until then.
void openMidiOutput();
// Never waits for more of the load than the step under way.
void closeMidiOutput();
// The player's music volume from 0 (silent) to 1 (the synthesiser's own
// level); any time, from the main thread.
void setMidiOutputVolume(float scale);
// A channel message: status + data1 × 256 + data2 × 65536. Safe from any thread.
void sendMidiMessage(uint32_t message);

// A sound the song plays on a channel (0..15): a bank and a program.
struct MidiPreset {
    int channel;
    int bank;
    int program;
};
// What the song will play, in the order first heard; a synthesiser that loads
// its sounds loads these before it settles (the Windows mapper has them all). Only the first announcement after opening counts;
// an empty list (no song) lets the loader settle with nothing loaded.
void announceMidiPresets(const std::vector<MidiPreset>& presets);

// True once the loader has finished, whether it made the output audible or
// not, and always while a recorder is set or when no device could be opened.
bool midiOutputSettled();
// True while a synthesiser with its sounds is playing into a device.
bool midiOutputAudible();

// Tests route the messages to a recorder instead; nullptr restores the
// synthesiser. While a recorder is set, openMidiOutput starts no synthesiser.
using MidiSink = void (*)(uint32_t message);
void setMidiSink(MidiSink sink);
