// The sessions of a simulated year of recording: when each run starts, how its
// ticks and clock jumps follow each other, and how it ends.
#pragma once

#include "core/date.h"

#include <vector>

namespace lumidor::testing {

// Ticks delivered one second apart, then a jump of the wall clock without a
// tick: a sleep (forward), a clock set back or a daylight-saving change.
struct Segment {
    int ticks = 0;
    int jumpAfter = 0;
};

enum class SessionEnd {
    // Another program closes the window.
    Close,
    // Windows asks to end the session, another program cancels that end, the
    // timer stays stopped, and later the window is closed.
    CancelledEndThenClose,
};

struct Session {
    DateValue start = 0;
    std::vector<Segment> segments;
    SessionEnd end = SessionEnd::Close;
};

// Every day from Monday 29 December 2014 to Sunday 3 January 2016: one or two
// sessions of up to an hour and a half, with sleeps, a clock set back across a week change,
// both daylight-saving days of 2015 (a 23-hour and a 25-hour day), and runs
// across both New Years. Sessions follow each other without overlapping.
std::vector<Session> SimulatedYearPlan();

} // namespace lumidor::testing
