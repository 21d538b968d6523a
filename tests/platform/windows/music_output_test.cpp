// The song's way out on Windows: the MIDI mapper, and the 10 ms timer that
// drives the sequencer.
#include "platform/midi_output.h"
#include "platform/periodic_timer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <chrono>

namespace {

// Without a MIDI device (Wine on a machine with no sound) the output stays
// closed and every message is dropped; with one, the mapper opens. Either
// way the sequencer may send, and nothing waits for a loader.
TEST(WindowsMusic, TheMapperOpensWhereThereIsADeviceAndIsSilentWhereThereIsNone) {
    openMidiOutput();
    EXPECT_TRUE(midiOutputSettled());
    EXPECT_EQ(midiOutputAudible(), midiOutGetNumDevs() > 0);
    announceMidiPresets({{0, 0, 19}});
    setMidiOutputVolume(0.5f);  // the device's own volume, where it has one
    for (uint32_t channel = 0; channel < 16; ++channel) sendMidiMessage(0x7BB0 + channel);
    sendMidiMessage(0x403C90);  // a note on
    closeMidiOutput();
    EXPECT_FALSE(midiOutputAudible());
    closeMidiOutput();  // a second close does nothing
}

std::atomic<int> periods{0};
std::chrono::steady_clock::time_point firstPeriod, lastPeriod;

void countPeriod(unsigned) {
    auto now = std::chrono::steady_clock::now();
    if (periods.load() == 0) firstPeriod = now;
    lastPeriod = now;
    periods.fetch_add(1);
}

// Windows' default tick is 15.6 ms: a timer that slept on it would give the
// song a period of 15 or 16 ms instead of 10, and play it half as fast again.
TEST(WindowsMusic, TheTimerKeepsATenMillisecondPeriod) {
    unsigned id = startPeriodicTimer(10, countPeriod);
    ASSERT_NE(id, 0u);
    while (periods.load() < 60) sleepMilliseconds(5);
    killPeriodicTimer(id);
    joinPeriodicTimer();
    int counted = periods.load();
    double mean = std::chrono::duration<double, std::milli>(lastPeriod - firstPeriod).count() /
                  double(counted - 1);
    EXPECT_GT(mean, 9.0);
    EXPECT_LT(mean, 12.0);
}

}  // namespace
