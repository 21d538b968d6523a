#pragma once
// Building blocks for the sound effects: a mono float signal at the game's
// mixing rate, oscillators with a running phase, simple filters and echo.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rng.h"

constexpr int kSampleRate = 11025;

using Signal = std::vector<float>;

Signal silence(float seconds);
inline float timeOf(size_t i) {
    return float(i) / float(kSampleRate);
}

// An oscillator whose frequency may change every sample.
struct Phase {
    double cycles = 0;
    float advance(float hz) {
        cycles += double(hz) / kSampleRate;
        cycles -= double(long(cycles));
        return float(cycles);
    }
};
float sineAt(float phase);      // phase in cycles
float triangleAt(float phase);  // -1..1
float sawAt(float phase);       // -1..1

// One-pole low-pass with a cutoff that may change every sample.
struct LowPass {
    float state = 0;
    float run(float x, float cutoffHz);
};

// Resonant two-pole (state-variable) filter; returns low or band pass.
struct Resonator {
    float low = 0, band = 0;
    float lowPass(float x, float cutoffHz, float damping);
    float bandPass(float x, float cutoffHz, float damping);
};

// Exponential decay from 1 with the given time constant in seconds,
// after a linear attack.
float envelope(float t, float attack, float decay);

// Feedback echo: each repeat after `delay` seconds, `feedback` as loud and
// darkened by a low-pass.
void addEcho(Signal& s, float delay, float feedback, float darkenHz);

// Fades the last `seconds` to zero (no click at the end) and scales the
// loudest sample to `peak`.
void finish(Signal& s, float fadeSeconds, float peak);

// 16-bit samples, rounded.
std::vector<int16_t> toPcm16(const Signal& s);
