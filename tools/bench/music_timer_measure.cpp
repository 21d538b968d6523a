#include "music_timer_measure.h"

#include "audio/music_player.h"
#include "platform/midi_output.h"
#include "platform/periodic_timer.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPeriods = 1000;  // 10 s

std::vector<Clock::time_point> ticks;
unsigned messages = 0;

void countMessage(uint32_t) { ++messages; }

void recordingTimer(unsigned timerId) {
    if (ticks.size() < ticks.capacity()) ticks.push_back(Clock::now());
    onMusicTimer(timerId);
}

// A song of a note every 12 ticks, so that every period has work to do.
void loadBusySong() {
    std::string track;
    for (int i = 0; i < 2000; ++i) track += std::string{'\x0C', '\x90', char(40 + i % 40), 64};
    std::string song = std::string("MThd\0\0\0\6\0\0\0\1\0\x60", 14) + "MTrk";
    uint32_t length = uint32_t(track.size() + 4);
    song += std::string{char(length >> 24), char(length >> 16), char(length >> 8), char(length)};
    song += track + std::string("\0\xFF\x2F\0", 4);
    readSong(reinterpret_cast<const uint8_t*>(song.data()), song.size());
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[size_t(p * double(values.size() - 1))];
}

double mean(const std::vector<double>& values, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += values[i];
    return sum / double(to - from);
}

}  // namespace

MusicTimerFigures measureMusicTimer() {
    MusicTimerFigures figures;
    setMidiSink(countMessage);
    loadBusySong();
    musicPlayer.nextEvent = musicPlayer.elapsedTicks = 0;
    musicPlayer.songStopped.store(false);
    musicPlayer.songPlaying.store(true);
    ticks.clear();
    ticks.reserve(kPeriods + 1);
    Clock::time_point start = Clock::now();
    unsigned id = startPeriodicTimer(kMusicPeriodMs, recordingTimer);
    if (id == 0) {
        setMidiSink(nullptr);
        return figures;
    }
    // The callback fills `ticks`; its size is read only after the stop below.
    while (Clock::now() - start <= std::chrono::milliseconds(10 * kPeriods + 200))
        sleepMilliseconds(50);
    musicPlayer.songPlaying.store(false);
    while (!musicPlayer.songStopped.load()) sleepMilliseconds(10);
    joinPeriodicTimer();
    setMidiSink(nullptr);

    std::vector<double> late;
    for (size_t n = 0; n < ticks.size(); ++n)
        late.push_back(ms(ticks[n] - start) - 10.0 * double(n + 1));
    const size_t n = ticks.size(), second = 100;
    figures.started = true;
    figures.periods = int(n);
    figures.meanPeriodMs = ms(ticks[n - 1] - ticks[0]) / double(n - 1);
    figures.p99LateMs = percentile(late, 0.99);
    figures.maxLateMs = percentile(late, 1.0);
    figures.driftMs = mean(late, n - second, n) - mean(late, 0, second);
    figures.messages = messages;
    return figures;
}
