#pragma once

// `vexar-tool soundfont SONG.mid OUT.sf2 [--font FILE]`: writes the
// SoundFont the game would play the song with, cut to the presets the song
// needs and the samples they play, as a file of its own (for the web page,
// which downloads it).
int runSoundFont(int argc, char** argv);
