// The music timer's period over 10 s of running: the real timer thread
// driving the real sequencer (its messages counted, not synthesised).
// Reports the mean period, the lateness against the absolute schedule
// (start + n × 10 ms) at the 99th percentile and at worst, and the drift:
// the change of lateness from the first second to the last.
#include "audio/music_player.h"
#include "platform/midi_output.h"
#include "platform/periodic_timer.h"

#include <benchmark/benchmark.h>

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

void BM_MusicTimerPeriod(benchmark::State& state) {
    setMidiSink(countMessage);
    for (auto _ : state) {
        loadBusySong();
        musicPlayer.nextEvent = musicPlayer.elapsedTicks = 0;
        musicPlayer.songStopped.store(false);
        musicPlayer.songPlaying.store(true);
        ticks.clear();
        ticks.reserve(kPeriods + 1);
        Clock::time_point start = Clock::now();
        unsigned id = startPeriodicTimer(kMusicPeriodMs, recordingTimer);
        if (id == 0) {
            state.SkipWithError("no timer");
            break;
        }
        while (true) {
            sleepMilliseconds(50);
            // The callback fills `ticks`; its size is read only after the stop below.
            if (Clock::now() - start > std::chrono::milliseconds(10 * kPeriods + 200)) break;
        }
        musicPlayer.songPlaying.store(false);
        while (!musicPlayer.songStopped.load()) sleepMilliseconds(10);
        joinPeriodicTimer();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());

        std::vector<double> late;
        for (size_t n = 0; n < ticks.size(); ++n)
            late.push_back(ms(ticks[n] - start) - 10.0 * double(n + 1));
        const size_t n = ticks.size(), second = 100;
        state.counters["periods"] = double(n);
        state.counters["mean_period_ms"] = ms(ticks[n - 1] - ticks[0]) / double(n - 1);
        state.counters["p99_late_ms"] = percentile(late, 0.99);
        state.counters["max_late_ms"] = percentile(late, 1.0);
        state.counters["drift_ms"] = mean(late, n - second, n) - mean(late, 0, second);
        state.counters["messages"] = double(messages);
    }
    setMidiSink(nullptr);
}
BENCHMARK(BM_MusicTimerPeriod)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
