// The per-tick and per-minute work of the recording, and the retention over a
// crowded folder. Heap allocations are counted by replacing the global
// operator new of this benchmark binary.
#include "core/control_numbers.h"
#include "core/data_folder.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "recording/minute_accumulator.h"
#include "recording/retention.h"
#include "recording/usage_files.h"
#include "tests/support/headless_support.h"
#include "tests/support/temp_folder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<long long> heapAllocations{0};

} // namespace

// Kept out of line: inlined, the compiler would see free() meet operator new.
[[gnu::noinline]] void* operator new(std::size_t size) {
    heapAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace lumidor {
namespace {

namespace fs = std::filesystem;

// The tab "Aktuell" with its fields at their initial "0" and the hidden label.
void CreateUptimeControls() {
    using platform::ControlKind;
    platform::CreateMainWindow({"Lumidor", 0, 0, 395, 320, true, {}});
    platform::CreateControl({control::TabPanel, ControlKind::TabPanel, 0, -2, -2, 395, 295, ""});
    platform::AddTab("Aktuell");
    for (int unit = 0; unit < 7; ++unit) {
        platform::CreateControl({control::YearsCaption + 2 * unit, ControlKind::Label, 0, 30,
                                 20 + 28 * unit, 80, 20, "Einheit:"});
        platform::CreateControl({control::YearsField + 2 * unit, ControlKind::RightAlignedLabel, 0,
                                 120, 20 + 28 * unit, 60, 20, "0"});
    }
    platform::CreateControl({control::CounterWarningLabel, ControlKind::WrappingLabel, 0, 29, 238,
                             310, 29, "Kein Hochleistung-Counter gefunden."});
    platform::ShowControl(control::CounterWarningLabel, false);
}

void ReportAllocations(benchmark::State& state, long long before, const char* name) {
    const long long made = heapAllocations.load(std::memory_order_relaxed) - before;
    state.counters[name] =
        benchmark::Counter(static_cast<double>(made) / static_cast<double>(state.iterations()));
}

void TickInViewingMode(benchmark::State& state) {
    headless::Reset();
    CreateUptimeControls();
    // An uptime of about 117 days: every field shows a number of its own.
    headless::SetPerformanceCounter(true, 101'234'567LL * 10'000'000, 10'000'000);
    App app;
    Recorder recorder;
    const long long before = heapAllocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        OnTimerTick(app, recorder);
        benchmark::ClobberMemory();
    }
    ReportAllocations(state, before, "allocations_per_tick");
    headless::Reset();
}
BENCHMARK(TickInViewingMode);

void CountedMinuteOnRealFiles(benchmark::State& state) {
    headless::Reset();
    CreateUptimeControls();
    testing::TempFolder temp;
    App app;
    app.DataFolder = temp / "Data" / "";
    app.recordingMode = true;
    CreateDataFolders(app.DataFolder);
    testing::SetNow(DateFromFields(2011, 10, 19, 12, 0, 30));
    Recorder recorder;
    const long long before = heapAllocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        recorder.TickCounter = TicksPerMinute - 1;
        OnTimerTick(app, recorder);
    }
    ReportAllocations(state, before, "allocations_per_minute");
    benchmark::DoNotOptimize(recorder.CurrentWeekRecord.Minutes[2]);
    headless::Reset();
}
BENCHMARK(CountedMinuteOnRealFiles);

// 10,000 entries in "Weeks": every week file a DateValue can name (3,657 of
// them, 1970-1 .. 2038-53) and foreign files for the rest. The argument is the
// week limit; the deleted files are made again between iterations, untimed.
void PruneTenThousandEntries(benchmark::State& state) {
    headless::Reset();
    testing::TempFolder temp;
    const fs::path data = temp / "Data" / "";
    CreateDataFolders(data);
    std::vector<std::string> weekFiles;
    for (int year = 1970; year <= 2038; ++year)
        for (int week = 1; week <= 53; ++week)
            weekFiles.push_back(WeekFileName(year, week));
    for (int foreign = static_cast<int>(weekFiles.size()); foreign < 10'000; ++foreign)
        testing::WriteFileText(data / "Weeks" / ("Notiz " + std::to_string(foreign) + ".txt"), "");
    const auto weekLimit = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        for (const std::string& name : weekFiles)
            if (!fs::exists(data / "Weeks" / name))
                testing::WriteFileText(data / "Weeks" / name, "");
        state.ResumeTiming();
        PruneUsageFiles(data, weekLimit, 4);
    }
    state.counters["deleted_per_run"] =
        static_cast<double>(weekFiles.size()) -
        static_cast<double>(std::min<std::size_t>(weekFiles.size(), weekLimit));
    headless::Reset();
}
BENCHMARK(PruneTenThousandEntries)->Arg(8)->Arg(10'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lumidor
