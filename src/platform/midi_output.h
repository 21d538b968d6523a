#pragma once
#include <cstdint>
#include <string>

// The MIDI output: a General MIDI synthesiser (FluidSynth) playing into an
// audio device of its own at 44.1 kHz. Without a SoundFont or a device the
// output still "opens" and every message is dropped.
void openMidiOutput();
void closeMidiOutput();
// A channel message: status + data1 × 256 + data2 × 65536. Safe from any thread.
void sendMidiMessage(uint32_t message);

// The SoundFont the synthesiser would load: a .sf2/.sf3 in the media folder
// (first by name), FluidSynth's default, then the Debian GM fonts. "" if none.
std::string findSoundFont();
// True while a synthesiser with a SoundFont is playing into a device.
bool midiOutputAudible();

// Tests route the messages to a recorder instead; nullptr restores the
// synthesiser. While a recorder is set, openMidiOutput starts no synthesiser.
using MidiSink = void (*)(uint32_t message);
void setMidiSink(MidiSink sink);
