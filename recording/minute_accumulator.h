// The minute accumulator: the one-second timer procedure, which refreshes the
// uptime fields on every tick and, in recording mode, counts every 60th tick
// as one minute of today's weekday and this month in the usage files.
//
// A counted minute is 60 delivered ticks, not 60 seconds of clock time.
#pragma once

#include "core/app.h"
#include "core/date.h"
#include "recording/usage_files.h"

namespace lumidor {

inline constexpr int TicksPerMinute = 60;

// The timer procedure. Reads the uptime first and shows it last; on a counted
// minute the clock is read once, and that moment names both files and picks
// both counters.
void OnTimerTick(const App& app, Recorder& recorder);

// Adds one minute of the moment to the records. A record of another week or
// year is first replaced by a fresh one with zero counters, and the minute is
// counted in the fresh record. An invalid moment counts nothing.
void CountMinute(Recorder& recorder, DateValue now);

} // namespace lumidor
