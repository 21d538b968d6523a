#pragma once
#include "audio/music_player.h"
#include "platform/midi_output.h"

#include <vector>

// The sounds the song's notes play: each channel's presets, each once, in the
// order first heard. Channel 10 (index 9) is the General MIDI drum channel,
// bank 128; elsewhere the bank is the last bank select (controller 0) before
// the note, else 0, and the program the last program change, else 0.
std::vector<MidiPreset> songPresets(const MidiEvent* events, int count);
