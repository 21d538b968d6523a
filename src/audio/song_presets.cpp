#include "audio/song_presets.h"

#include <algorithm>

namespace {

constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;
constexpr uint8_t kBankSelect = 0;

bool samePreset(const MidiPreset& a, const MidiPreset& b) {
    return a.channel == b.channel && a.bank == b.bank && a.program == b.program;
}

}  // namespace

std::vector<MidiPreset> songPresets(const MidiEvent* events, int count) {
    int bank[16] = {};
    int program[16] = {};
    std::vector<MidiPreset> presets;
    for (int i = 0; i < count; ++i) {
        const MidiEvent& event = events[i];
        int channel = event.status & 0x0F;
        switch (event.status & 0xF0) {
        case 0xB0:
            if (event.data1 == kBankSelect) bank[channel] = event.data2;
            break;
        case 0xC0:
            program[channel] = event.data1;
            break;
        case 0x90: {
            if (event.data2 == 0) break;  // a note-on of velocity 0 ends a note
            MidiPreset preset{channel, channel == kDrumChannel ? kDrumBank : bank[channel],
                              program[channel]};
            auto same = [&](const MidiPreset& p) { return samePreset(p, preset); };
            if (std::none_of(presets.begin(), presets.end(), same)) presets.push_back(preset);
            break;
        }
        default:
            break;
        }
    }
    return presets;
}
