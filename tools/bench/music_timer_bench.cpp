// The music timer's period over 10 s of running (music_timer_measure.h).
// Reports the mean period, the lateness against the absolute schedule
// (start + n × 10 ms) at the 99th percentile and at worst, and the drift:
// the change of lateness from the first second to the last.
#include "music_timer_measure.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void BM_MusicTimerPeriod(benchmark::State& state) {
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        MusicTimerFigures figures = measureMusicTimer();
        if (!figures.started) {
            state.SkipWithError("no timer");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        state.counters["periods"] = double(figures.periods);
        state.counters["mean_period_ms"] = figures.meanPeriodMs;
        state.counters["p99_late_ms"] = figures.p99LateMs;
        state.counters["max_late_ms"] = figures.maxLateMs;
        state.counters["drift_ms"] = figures.driftMs;
        state.counters["messages"] = double(figures.messages);
    }
}
BENCHMARK(BM_MusicTimerPeriod)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
