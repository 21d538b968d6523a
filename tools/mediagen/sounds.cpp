#include "sounds.h"

#include <cmath>

namespace {

constexpr float kPeak = 0.89f;  // -1 dBFS: loud, never clipped
// Microsoft ADPCM stores 500 samples per block at this rate; ADPCM sounds
// are made a whole number of blocks long so no padding changes their length.
constexpr size_t kAdpcmBlock = 500;

Signal blocks(size_t count) {
    return Signal(count * kAdpcmBlock, 0.0f);
}

float noise(Rng& rng) {
    return rng.range(-1, 1);
}

}  // namespace

Signal makeExplosion() {
    Signal s = blocks(29);  // 1.315 s
    Rng rng(1001);
    Resonator rumble, crack;
    Phase thump;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = timeOf(i);
        float n = noise(rng);
        // The blast: noise through a closing resonant low-pass.
        float blast =
            rumble.lowPass(n, 120 + 2600 * std::exp(-t / 0.22f), 0.7f) * envelope(t, 0.004f, 0.38f);
        // A second, smaller blast a moment later.
        float t2 = t - 0.16f;
        float after = t2 > 0 ? crack.bandPass(n, 900 * std::exp(-t2 / 0.3f) + 200, 0.5f) *
                                   envelope(t2, 0.003f, 0.2f)
                             : 0.0f;
        // The body thump, dropping in pitch.
        float boom =
            sineAt(thump.advance(38 + 50 * std::exp(-t / 0.12f))) * envelope(t, 0.002f, 0.3f);
        // Debris crackle: sparse clicks that thin out.
        float crackle = rng.unit() < 0.02f * std::exp(-t / 0.5f) ? noise(rng) * 0.8f : 0.0f;
        s[i] = 1.1f * blast + 0.6f * after + 0.9f * boom + crackle;
    }
    finish(s, 0.15f, kPeak);
    return s;
}

Signal makePlayerShot() {
    Signal s = silence(0.30f);
    Rng rng(2002);
    Phase carrier, modulator;
    LowPass tone;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = timeOf(i);
        // A bright falling zap with a little FM bite.
        float f = 320 + 1600 * std::exp(-t / 0.045f);
        float fm = 180 * sineAt(modulator.advance(f * 1.5f));
        float zap = sineAt(carrier.advance(f + fm)) * envelope(t, 0.002f, 0.075f);
        float click = noise(rng) * std::exp(-t / 0.006f) * 0.5f;
        s[i] = tone.run(zap + click, 4000);
    }
    finish(s, 0.03f, kPeak);
    return s;
}

Signal makeRadarShot() {
    Signal s = silence(0.65f);
    Rng rng(3003);
    Phase saw, sub;
    Resonator filter, burst;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = timeOf(i);
        // A heavy, low laser: a falling saw through a closing resonant filter.
        float f = 85 + 520 * std::exp(-t / 0.09f);
        float body =
            filter.lowPass(sawAt(saw.advance(f)), 180 + 2800 * std::exp(-t / 0.11f), 0.35f);
        float low = sineAt(sub.advance(48 + 30 * std::exp(-t / 0.05f))) * envelope(t, 0.003f, 0.2f);
        float hiss = burst.bandPass(noise(rng), 1100, 0.6f) * std::exp(-t / 0.04f);
        s[i] = (0.7f * body + 0.8f * low + 0.5f * hiss) * envelope(t, 0.004f, 0.2f);
    }
    finish(s, 0.06f, kPeak);
    return s;
}

Signal makeHullHit() {
    Signal s = silence(0.5f);
    Rng rng(4004);
    // Inharmonic partials of a struck metal plate.
    const float freq[] = {410, 1013, 1587, 2293, 3120};
    const float level[] = {1.0f, 0.6f, 0.45f, 0.3f, 0.2f};
    const float decay[] = {0.09f, 0.06f, 0.045f, 0.03f, 0.02f};
    Phase phases[5];
    for (size_t i = 0; i < s.size(); ++i) {
        float t = timeOf(i);
        float clang = 0;
        for (int p = 0; p < 5; ++p)
            clang += level[p] * sineAt(phases[p].advance(freq[p])) * std::exp(-t / decay[p]);
        float knock = noise(rng) * std::exp(-t / 0.004f);
        s[i] = clang * envelope(t, 0.001f, 1.0f) + 0.8f * knock;
    }
    // The hull rings back: two dark repeats inside the half second.
    addEcho(s, 0.12f, 0.5f, 1800);
    finish(s, 0.06f, kPeak);
    return s;
}

Signal makeScan() {
    Signal s = silence(0.8f);
    Phase tone, overtone;
    const float length = timeOf(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        float t = timeOf(i);
        // Up and back down once, gated into quick beeps.
        float sweep = triangleAt(std::fmod(t / length + 0.75f, 1.0f)) * 0.5f + 0.5f;
        float f = 600 + 900 * sweep;
        float beep = 0.5f + 0.5f * sineAt(std::fmod(t * 14, 1.0f) - 0.25f);
        float v = 0.8f * sineAt(tone.advance(f)) + 0.25f * triangleAt(overtone.advance(f * 2));
        float shape = std::min(1.0f, t / 0.02f) * std::min(1.0f, (length - t) / 0.08f);
        s[i] = v * beep * beep * shape;
    }
    finish(s, 0.01f, kPeak * 0.85f);
    return s;
}

std::vector<SoundEffect> buildAllSounds() {
    return {{"droid_destroyed.wav", makeExplosion(), true},
            {"ammo_fire2.wav", makePlayerShot(), false},
            {"ammo_fire.wav", makeRadarShot(), false},
            {"hit_echo.wav", makeHullHit(), false},
            {"droid_scan.wav", makeScan(), false}};
}
