// The music timer's figures (music_timer_measure.h) as one line, without
// Google Benchmark, so that the same measurement runs on Windows (under
// Wine) as on Linux: tools/bench/windows_bench.sh puts them side by side.
#include "music_timer_measure.h"

#include <cstdio>

int main() {
    MusicTimerFigures f = measureMusicTimer();
    if (!f.started) {
        std::fprintf(stderr, "music_timer_probe: no timer\n");
        return 1;
    }
    std::printf("periods %d mean_period_ms %.3f p99_late_ms %.3f max_late_ms %.3f drift_ms %.3f\n",
                f.periods, f.meanPeriodMs, f.p99LateMs, f.maxLateMs, f.driftMs);
    return 0;
}
