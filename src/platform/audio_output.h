#pragma once
#include <cstdint>

// The sound-effect output: one audio device playing interleaved stereo
// 16-bit frames. The filler runs on the audio thread and must fill exactly
// one block of `blockFrames` frames each time it is called.
using AudioBlockFiller = void (*)(int16_t* block);

// False when there is no audio device; nothing is ever filled then.
bool openAudioOutput(int sampleRate, int blockFrames, AudioBlockFiller filler);
// Returns only after the last call of the filler has finished.
void closeAudioOutput();
