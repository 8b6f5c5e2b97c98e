// The uptime clock on the "Aktuell" tab, driven by the timer procedure as in a
// run in viewing mode.
#include "core/control_numbers.h"
#include "platform/headless/headless.h"
#include "recording/minute_accumulator.h"
#include "recording/uptime.h"
#include "tests/recording/uptime_controls.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace lumidor {
namespace {

constexpr int Fields[] = {control::YearsField,  control::MonthsField, control::WeeksField,
                          control::DaysField,   control::HoursField,  control::MinutesField,
                          control::SecondsField};

std::array<std::string, 7> ShownFields() {
    std::array<std::string, 7> texts;
    for (int unit = 0; unit < 7; ++unit)
        texts[unit] = headless::FindControl(Fields[unit])->text;
    return texts;
}

bool WarningShown() {
    return headless::FindControl(control::CounterWarningLabel)->shown;
}

class Uptime : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        testing::CreateUptimeControls();
    }
    void TearDown() override { headless::Reset(); }

    App app; // viewing mode
    Recorder recorder;
};

struct UptimeCase {
    const char* name;
    bool counterAvailable;
    std::int64_t count;
    std::int64_t frequency;
    std::uint32_t tickCount;
    std::array<std::string, 7> fields; // years .. seconds
    bool warningShown;
};

TEST_F(Uptime, ShowsTheBreakdownOfTheSourceInUse) {
    constexpr std::int64_t MHz10 = 10'000'000;
    const UptimeCase cases[] = {
        {"0 s", false, 0, 0, 999, {"0", "0", "0", "0", "0", "0", "0"}, true},
        {"59 s", true, 59 * MHz10, MHz10, 0, {"0", "0", "0", "0", "0", "0", "59"}, false},
        {"1 day, 1 h, 1 min, 1 s",
         true,
         90061 * MHz10,
         MHz10,
         0,
         {"0", "0", "0", "1", "1", "1", "1"},
         false},
        {"365 days",
         true,
         365LL * 86400 * MHz10,
         MHz10,
         0,
         {"1", "0", "1", "2", "0", "0", "0"},
         false},
        {"one second short of the 356-day year",
         true,
         (356LL * 86400 - 1) * MHz10,
         MHz10,
         0,
         {"0", "11", "3", "4", "23", "59", "59"},
         false},
        {"a fraction of a second is dropped",
         true,
         10 * MHz10 + MHz10 - 1,
         MHz10,
         0,
         {"0", "0", "0", "0", "0", "0", "10"},
         false},
        {"the largest counter",
         true,
         std::numeric_limits<std::int64_t>::max(),
         1,
         0,
         {"299865143728", "4", "1", "5", "15", "30", "7"},
         false},
        {"no counter, the largest tick count",
         false,
         0,
         0,
         4294967295u,
         {"0", "1", "2", "5", "17", "2", "47"},
         true},
        {"no counter, three thousand million ms",
         false,
         0,
         0,
         3'000'000'000u,
         {"0", "1", "0", "4", "17", "20", "0"},
         true},
        {"a counter under one second uses the tick count",
         true,
         MHz10 / 2,
         MHz10,
         360'000,
         {"0", "0", "0", "0", "0", "6", "0"},
         true},
        {"a counter without frequency uses the tick count",
         true,
         1'000'000'000,
         0,
         7'200'000,
         {"0", "0", "0", "0", "2", "0", "0"},
         true},
        {"a counter running backwards uses the tick count",
         true,
         -5,
         MHz10,
         1'000,
         {"0", "0", "0", "0", "0", "0", "1"},
         true},
    };
    for (const UptimeCase& c : cases) {
        headless::SetPerformanceCounter(c.counterAvailable, c.count, c.frequency);
        headless::SetTickCount(c.tickCount);
        platform::ShowControl(control::CounterWarningLabel, !c.warningShown);
        OnTimerTick(app, recorder);
        EXPECT_EQ(ShownFields(), c.fields) << c.name;
        EXPECT_EQ(WarningShown(), c.warningShown) << c.name;
    }
}

TEST_F(Uptime, EveryFieldIsSetOnEveryTickAndTheLabelFollowsTheSource) {
    headless::SetPerformanceCounter(true, 42 * 10'000'000LL, 10'000'000);
    for (int tick = 1; tick <= 3; ++tick) {
        platform::ShowControl(control::CounterWarningLabel, true);
        OnTimerTick(app, recorder);
        EXPECT_FALSE(WarningShown()) << "hidden on every tick, whoever showed it";
        for (int field : Fields)
            EXPECT_EQ(headless::FindControl(field)->textSets, tick) << field;
    }
    headless::SetPerformanceCounter(false, 0, 0);
    OnTimerTick(app, recorder);
    EXPECT_TRUE(WarningShown());
    headless::SetPerformanceCounter(true, 42 * 10'000'000LL, 10'000'000);
    OnTimerTick(app, recorder);
    EXPECT_FALSE(WarningShown());
    EXPECT_EQ(headless::FindControl(control::SecondsField)->text, "42");
}

TEST_F(Uptime, UptimeSecondsIsZeroWithoutAUsableCounter) {
    headless::SetPerformanceCounter(true, 36'000'000'000, 10'000'000);
    EXPECT_EQ(UptimeSeconds(), 3600);
    headless::SetPerformanceCounter(false, 36'000'000'000, 10'000'000);
    EXPECT_EQ(UptimeSeconds(), 0);
    headless::SetPerformanceCounter(true, 36'000'000'000, 0);
    EXPECT_EQ(UptimeSeconds(), 0);
}

} // namespace
} // namespace lumidor
