#pragma once
// The five sound effects, mono at 11025 Hz. The two firing sounds' lengths
// are the firing intervals of the player and the radars.
#include <string>
#include <vector>

#include "synth.h"

struct SoundEffect {
    std::string fileName;
    Signal signal;
    bool adpcm = false;  // stored as Microsoft ADPCM instead of PCM
};

Signal makeExplosion();   // droid_destroyed.wav, about 1.3 s
Signal makePlayerShot();  // ammo_fire2.wav, 0.30 s
Signal makeRadarShot();   // ammo_fire.wav, 0.65 s
Signal makeHullHit();     // hit_echo.wav, 0.5 s
Signal makeScan();        // droid_scan.wav, 0.8 s

std::vector<SoundEffect> buildAllSounds();
