#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

namespace lumidor {
namespace {

struct ClockState {
    platform::WallClock wallClock{2011, 10, 19, 12, 0, 0};
    bool counterAvailable = true;
    std::int64_t counter = 3'600'000'000;
    std::int64_t frequency = 10'000'000;
    std::uint32_t tickCount = 360'000;
};

ClockState clockState;

} // namespace

namespace headless {

void ResetClock() {
    clockState = ClockState{};
}
void SetWallClock(const platform::WallClock& clock) {
    clockState.wallClock = clock;
}
platform::WallClock WallClockNow() {
    return clockState.wallClock;
}

void SetPerformanceCounter(bool available, std::int64_t count, std::int64_t frequency) {
    clockState.counterAvailable = available;
    clockState.counter = count;
    clockState.frequency = frequency;
}

void SetTickCount(std::uint32_t milliseconds) {
    clockState.tickCount = milliseconds;
}

} // namespace headless

namespace platform {

WallClock LocalWallClock() {
    return clockState.wallClock;
}

bool ReadPerformanceCounter(std::int64_t& count) {
    if (!clockState.counterAvailable)
        return false;
    count = clockState.counter;
    return true;
}

std::int64_t ReadPerformanceFrequency() {
    return clockState.counterAvailable ? clockState.frequency : 0;
}

std::uint32_t ReadTickCount() {
    return clockState.tickCount;
}

} // namespace platform
} // namespace lumidor
