#include "audio/song_presets.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::vector<std::tuple<int, int, int>> presetsOf(const std::vector<MidiEvent>& events) {
    std::vector<std::tuple<int, int, int>> out;
    for (const MidiPreset& p : songPresets(events.data(), int(events.size())))
        out.emplace_back(p.channel, p.bank, p.program);
    return out;
}

TEST(SongPresets, EachChannelsSoundsInTheOrderFirstHeard) {
    std::vector<MidiEvent> song = {
        {0, 0xC0, 38, 0},    // bass
        {0, 0xC9, 25, 0},    // a drum kit
        {0, 0xB2, 0, 8},     // bank 8 on channel 2 ...
        {0, 0xC2, 4, 0},     // ... program 4
        {0, 0x99, 36, 100},  // drums: bank 128 whatever the channel's bank
        {0, 0x90, 40, 90},
        {5, 0x92, 60, 90},
        {6, 0x93, 64, 90},   // no program change: program 0
        {7, 0x90, 41, 0},    // velocity 0 ends a note: nothing new
        {8, 0xC0, 81, 0},
        {8, 0xC0, 82, 0},    // changed again before a note: never heard
        {9, 0x90, 70, 90},
        {10, 0xC0, 38, 0},
        {11, 0x90, 40, 90},  // bass again: already listed
        {12, 0x80, 40, 0},
    };
    EXPECT_EQ(presetsOf(song), (std::vector<std::tuple<int, int, int>>{
                                   {9, 128, 25}, {0, 0, 38}, {2, 8, 4}, {3, 0, 0}, {0, 0, 82}}));
}

TEST(SongPresets, NoNotesNoPresets) {
    std::vector<MidiEvent> song = {{0, 0xC0, 5, 0}, {0, 0xB0, 7, 100}};
    EXPECT_TRUE(presetsOf(song).empty());
    EXPECT_TRUE(songPresets(nullptr, 0).empty());
}

}  // namespace
