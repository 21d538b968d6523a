#pragma once

// One periodic timer at a time, on its own thread, firing on an absolute
// schedule (start + n × period) so that periods never drift.
using TimerCallback = void (*)(unsigned timerId);

// Returns the timer's identifier (never 0), or 0 when no timer could start.
// A timer that has killed itself is joined here before the new one starts.
unsigned startPeriodicTimer(unsigned periodMs, TimerCallback callback);
// Stops the timer after the callback now running, if any, has returned. Safe
// from inside the callback; never waits.
void killPeriodicTimer(unsigned timerId);
// Waits for a killed timer's thread to end. Must not be called from the callback.
void joinPeriodicTimer();

void sleepMilliseconds(unsigned ms);

// Tests drive the periods themselves: while manual, startPeriodicTimer starts
// no thread and each tickManualTimer() runs one period on the caller's thread.
// Returns false when no manual timer is live.
void setManualTimer(bool manual);
bool tickManualTimer();
