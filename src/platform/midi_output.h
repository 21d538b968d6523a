#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The MIDI output: a General MIDI synthesiser (FluidSynth) playing into an
// audio device of its own at 44.1 kHz. Without a SoundFont or a device the
// output still "opens" and every message is dropped.
//
// Opening returns at once: the SoundFont is read on a loader thread, which
// keeps in memory only the samples of the presets the song announces. Until
// that is done the output is not settled and messages go nowhere.
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
// What the song will play, in the order first heard; the loader loads these
// samples before it settles. Only the first announcement after opening counts;
// an empty list (no song) lets the loader settle with nothing loaded.
void announceMidiPresets(const std::vector<MidiPreset>& presets);

// True once the loader has finished, whether it made the output audible or
// not, and always while a recorder is set or when no device could be opened.
bool midiOutputSettled();
// True while a synthesiser with a SoundFont is playing into a device.
bool midiOutputAudible();

// The SoundFont the synthesiser would load: a .sf2/.sf3 in the media folder
// (first by name), then the small General MIDI font the game installs, then
// FluidSynth's default and the Debian GM fonts. "" if none.
std::string findSoundFont();
// All of them that exist, in that order.
std::vector<std::string> soundFontCandidates();

// Tests route the messages to a recorder instead; nullptr restores the
// synthesiser. While a recorder is set, openMidiOutput starts no synthesiser.
using MidiSink = void (*)(uint32_t message);
void setMidiSink(MidiSink sink);
