#pragma once
#include "platform/soundfont_trim.h"

#include <cstdint>
#include <vector>

// A cut font written out as a SoundFont file of its own: the source's INFO
// list, only the sample points its kept sample headers play (each followed by
// the 46 guard points the format asks for, as the source holds them; a range
// shared by two headers written once), and its preset data with the sample
// headers moved to the new places. What the font sounds does not change; its size is what the
// song plays. False when the source cannot be packed this way (compressed
// or ROM samples, a header past the sample data, a file that fails).
bool packSoundFont(const TrimmedSoundFont& font, std::vector<uint8_t>& out);
