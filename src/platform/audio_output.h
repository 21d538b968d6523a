#pragma once
#include <cstdint>

// The sound-effect output: one audio device playing interleaved stereo
// 16-bit frames. The filler runs on the audio thread (for a manual output, on
// the thread that pulls) and must fill exactly one block of `blockFrames`
// frames each time it is called.
using AudioBlockFiller = void (*)(int16_t* block);

// False when there is no audio device; nothing is ever filled then.
bool openAudioOutput(int sampleRate, int blockFrames, AudioBlockFiller filler);
// Returns only after the last call of the filler has finished. Ends a manual
// output too.
void closeAudioOutput();

// A headless run mixes in lock-step with its own time: while manual,
// openAudioOutput opens no device and only remembers the filler, and each
// pullManualAudioBlock() runs it once on the caller's thread into `block`
// (blockFrames × 2 interleaved samples). False when no manual output is open.
void setManualAudioOutput(bool manual);
bool pullManualAudioBlock(int16_t* block);
