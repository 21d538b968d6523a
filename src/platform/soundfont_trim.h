#pragma once
#include "platform/midi_output.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// A SoundFont cut down to some of its presets. Only the preset data (the
// "pdta" chunk: presets, instruments, sample headers) is rewritten; the
// samples stay in the SoundFont file at their own places. The cut font reads
// as that file with the chunk replaced and the file's RIFF size
// changed to match.
struct TrimmedSoundFont {
    std::string path;  // the SoundFont file on disk
    uint64_t fileSize = 0;
    // The file's own preset chunk, from its header to its end (pad byte included).
    uint64_t chunkStart = 0, chunkEnd = 0;
    uint32_t riffSize = 0;             // the cut font's RIFF size
    std::vector<uint8_t> presetChunk;  // the replacement, header included

    uint64_t size() const { return chunkStart + presetChunk.size() + (fileSize - chunkEnd); }
};

// Which presets stay, by bank and program.
using PresetChoice = std::function<bool(int bank, int program)>;

// What a song needs: the presets of the programs it plays, in every bank (so
// that a bank change finds what it found in the whole font), and the two
// FluidSynth falls back to (bank 0 program 0 and the drum kit, bank 128
// program 0). The same notes then sound the same as with the whole font.
PresetChoice songPresetChoice(const std::vector<MidiPreset>& presets);

// The preset data (the chunk's contents after "pdta") cut down to the presets
// chosen, the instruments they use and the samples those use, as a whole
// chunk. False when the data is not consistent enough to be cut safely (an
// index past its table, a zone range running backwards, a missing table).
bool trimPresetData(const uint8_t* data, size_t size, const PresetChoice& keep,
                    std::vector<uint8_t>& chunk);

// Reads the file's chunk layout and cuts its preset data. False when it is
// not a SoundFont this can cut; the caller then loads the whole file.
bool trimSoundFont(const std::string& path, const PresetChoice& keep, TrimmedSoundFont& out);

// `count` bytes of the cut font from `position`, `file` being the SoundFont file
// opened for reading. False past the cut font's end or when the file fails.
bool readTrimmedSoundFont(const TrimmedSoundFont& font, std::FILE* file, uint64_t position,
                          uint8_t* out, size_t count);
