// The start with a History.dat of a million sessions (8 MB): only the newest
// sessions that survive the trim may cost anything.
#include "core/control_numbers.h"
#include "core/history_record.h"
#include "history/history.h"
#include "history/history_file.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "tests/support/temp_folder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

constexpr int MillionSessions = 1'000'000;

void PrepareHistoryList(int limit) {
    headless::Reset();
    platform::CreateMainWindow({});
    platform::CreateControl(
        {control::HistoryList, platform::ControlKind::ReportList, 2, 0, 0, 400, 300, ""});
    platform::AddColumn(control::HistoryList, "PC eingeschaltet", 200);
    platform::AddColumn(control::HistoryList, "PC ausgeschaltet", 200);
    platform::CreateControl(
        {control::HistoryLimitField, platform::ControlKind::SpinField, 3, 0, 0, 50, 20, ""});
    platform::SetControlState(control::HistoryLimitField, limit);
}

void LoadAndTrimAMillionSessions(benchmark::State& state) {
    testing::TempFolder temp;
    fs::create_directory(temp / "Data");
    App app;
    app.DataFolder = temp / "Data" / "";
    const fs::path historyFile = app.DataFolder / HistoryFileName;

    // Written once; each run starts from a hard link to it, which the trim's
    // rename replaces without touching the original.
    const fs::path original = temp / "million.dat";
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(MillionSessions) * HistoryRecordSize);
    for (int i = 0; i < MillionSessions; ++i) {
        const auto encoded =
            EncodeHistoryRecord({1'000'000'000 + i * 100, 1'000'000'050 + i * 100});
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    testing::WriteFileBytes(original, bytes);

    const int limit = static_cast<int>(state.range(0));
    PrepareHistoryList(limit);
    for (auto _ : state) {
        state.PauseTiming();
        platform::ClearItems(control::HistoryList);
        fs::remove(historyFile);
        fs::create_hard_link(original, historyFile);
        state.ResumeTiming();

        LoadAndTrimHistory(app);
    }
    if (platform::ItemCount(control::HistoryList) != limit ||
        fs::file_size(historyFile) != static_cast<std::uintmax_t>(limit) * HistoryRecordSize)
        state.SkipWithError("the history was not trimmed");
    headless::Reset();
}
BENCHMARK(LoadAndTrimAMillionSessions)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lumidor
