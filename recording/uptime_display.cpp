#include "core/control_numbers.h"
#include "platform/clock.h"
#include "platform/toolkit.h"
#include "recording/uptime.h"

#include <charconv>
#include <string_view>

namespace lumidor {
namespace {

struct UptimeUnit {
    int field;
    std::int64_t seconds;
};

constexpr UptimeUnit UptimeUnits[] = {
    {control::YearsField, SecondsPerUptimeYear}, {control::MonthsField, SecondsPerUptimeMonth},
    {control::WeeksField, SecondsPerWeek},       {control::DaysField, SecondsPerDay},
    {control::HoursField, SecondsPerHour},       {control::MinutesField, SecondsPerMinute},
};

// Formats into a buffer on the stack: a tick must not touch the heap.
void SetFieldNumber(int field, std::int64_t value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    platform::SetControlText(field,
                             std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

} // namespace

std::int64_t CurrentUptime() {
    std::int64_t uptime = UptimeSeconds();
    const bool onTickCount = uptime == 0;
    if (onTickCount)
        uptime = platform::ReadTickCount() / 1000;
    platform::ShowControl(control::CounterWarningLabel, onTickCount);
    return uptime;
}

void ShowUptime(std::int64_t seconds) {
    for (const UptimeUnit& unit : UptimeUnits) {
        SetFieldNumber(unit.field, seconds / unit.seconds);
        seconds %= unit.seconds;
    }
    SetFieldNumber(control::SecondsField, seconds);
}

} // namespace lumidor
