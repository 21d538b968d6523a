#include "platform/soundfont.h"

// Windows plays the song through the system's own MIDI synthesiser, so there
// is no SoundFont of the game's to find; vexar-tool is told one with --font.
std::string findSoundFont() { return std::string(); }

std::vector<std::string> soundFontCandidates() { return {}; }
