#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

Signal silence(float seconds) {
    return Signal(size_t(std::lround(seconds * kSampleRate)), 0.0f);
}

float sineAt(float phase) {
    return std::sin(2 * 3.14159265f * phase);
}
float triangleAt(float phase) {
    return phase < 0.5f ? 4 * phase - 1 : 3 - 4 * phase;
}
float sawAt(float phase) {
    return 2 * phase - 1;
}

float LowPass::run(float x, float cutoffHz) {
    float k = 1 - std::exp(-2 * 3.14159265f * cutoffHz / kSampleRate);
    state += k * (x - state);
    return state;
}

float Resonator::lowPass(float x, float cutoffHz, float damping) {
    float f = 2 * std::sin(3.14159265f * std::min(cutoffHz, kSampleRate / 6.0f) / kSampleRate);
    low += f * band;
    float high = x - low - damping * band;
    band += f * high;
    return low;
}

float Resonator::bandPass(float x, float cutoffHz, float damping) {
    lowPass(x, cutoffHz, damping);
    return band;
}

float envelope(float t, float attack, float decay) {
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

void addEcho(Signal& s, float delay, float feedback, float darkenHz) {
    size_t d = size_t(std::lround(delay * kSampleRate));
    LowPass tone;
    for (size_t i = d; i < s.size(); ++i) s[i] += feedback * tone.run(s[i - d], darkenHz);
}

void finish(Signal& s, float fadeSeconds, float peak) {
    size_t fade = std::min(s.size(), size_t(std::lround(fadeSeconds * kSampleRate)));
    for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= float(i) / float(fade);
    float loudest = 0;
    for (float v : s) loudest = std::max(loudest, std::fabs(v));
    if (loudest > 0)
        for (float& v : s) v *= peak / loudest;
}

std::vector<int16_t> toPcm16(const Signal& s) {
    std::vector<int16_t> out;
    out.reserve(s.size());
    for (float v : s) out.push_back(int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)));
    return out;
}
