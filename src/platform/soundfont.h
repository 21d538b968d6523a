#pragma once
#include <string>
#include <vector>

// Linux's synthesiser plays the song with a SoundFont: a .sf2/.sf3 in the
// media folder (first by name), then the small General MIDI font the game
// installs, then FluidSynth's default and the Debian GM fonts. The first of
// them that exists, or "" if none.
std::string findSoundFont();
// All of them that exist, in that order.
std::vector<std::string> soundFontCandidates();
