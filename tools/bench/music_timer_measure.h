#pragma once

// The music timer's period over 10 s of running: the real timer thread
// driving the real sequencer (its messages counted, not synthesised).
struct MusicTimerFigures {
    bool started = false;
    int periods = 0;
    double meanPeriodMs = 0;
    // Against the absolute schedule (start + n × 10 ms).
    double p99LateMs = 0, maxLateMs = 0;
    // The change of lateness from the first second to the last.
    double driftMs = 0;
    unsigned messages = 0;
};

MusicTimerFigures measureMusicTimer();
