#pragma once
// The game's song: D minor at 117 beats per minute, 40 bars that loop.
#include <cstdint>
#include <string>
#include <vector>

struct Note {
    uint32_t start = 0, length = 0;  // ticks
    uint8_t key = 0, velocity = 0;
};

struct Part {
    std::string name;
    uint8_t channel = 0, program = 0, volume = 100, pan = 64, reverb = 40;
    std::vector<Note> notes;
};

struct Song {
    // 512 ticks per quarter at 512000 us per quarter is exactly 10 ticks per
    // 10 ms, whether the player works in float or double.
    uint16_t ticksPerQuarter = 512;
    uint32_t microsPerQuarter = 512000;
    uint32_t loopTicks = 0;  // every note ends by then; the last event sits there
    std::vector<Part> parts;
};

Song composeSong();
