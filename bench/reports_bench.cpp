// The heavy paths of the reports: one chart, one PNG file at level 9, and a
// large export (100 weeks, 100 years, 10,000 sessions).
#include "core/app.h"
#include "core/bytes.h"
#include "core/control_numbers.h"
#include "platform/drawing.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "reports/html_export.h"
#include "reports/period_list.h"
#include "reports/png_writer.h"
#include "reports/usage_chart.h"
#include "tests/support/headless_support.h"
#include "tests/support/temp_folder.h"

#include <benchmark/benchmark.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

struct ReportScene {
    testing::TempFolder temp;
    App app;

    ReportScene() {
        headless::Reset();
        app.DataFolder = temp / "Data" / "";
        fs::create_directories(app.DataFolder / "Weeks");
        fs::create_directories(app.DataFolder / "Months");
        app.ChartImage = MakeImage(ChartImageWidth, ChartImageHeight);
        app.ExportImage = MakeImage(ExportImageWidth, ExportImageHeight);
        app.ChartFont = platform::LoadFont("Arial", 7);
    }
    ~ReportScene() {
        platform::ReleaseFont(app.ChartFont);
        headless::Reset();
    }

    void WriteWeek(int year, int week) {
        std::vector<std::uint8_t> bytes(31);
        bytes[0] = static_cast<std::uint8_t>(week);
        StoreInt16(bytes.data() + 1, static_cast<std::int16_t>(year));
        for (int day = 0; day < 7; ++day)
            StoreInt32(bytes.data() + 3 + 4 * day, (week * 97 + day * 211) % 1440);
        testing::WriteFileBytes(app.DataFolder / "Weeks" /
                                    (std::to_string(year) + "-" + std::to_string(week) + ".dat"),
                                bytes);
    }
    void WriteYear(int year) {
        std::vector<std::uint8_t> bytes(50);
        StoreInt16(bytes.data(), static_cast<std::int16_t>(year));
        for (int month = 0; month < 12; ++month)
            StoreInt32(bytes.data() + 2 + 4 * month, (year * 7919 + month * 3001) % 43200);
        testing::WriteFileBytes(app.DataFolder / "Months" / (std::to_string(year) + ".dat"), bytes);
    }
};

void DrawWeekChart(benchmark::State& state) {
    ReportScene scene;
    scene.WriteWeek(2011, 42);
    for (auto _ : state) {
        DrawUsageChart(scene.app.ChartImage, scene.app, 0, "2011-42");
        benchmark::DoNotOptimize(scene.app.ChartImage.pixels.data());
    }
}
BENCHMARK(DrawWeekChart)->Unit(benchmark::kMicrosecond);

void EncodeChartPng(benchmark::State& state) {
    ReportScene scene;
    scene.WriteYear(2011);
    DrawUsageChart(scene.app.ExportImage, scene.app, 1, "2011");
    std::size_t size = 0;
    for (auto _ : state) {
        const auto bytes = EncodePng(scene.app.ExportImage);
        size = bytes ? bytes->size() : 0;
        benchmark::DoNotOptimize(size);
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(EncodeChartPng)->Unit(benchmark::kMillisecond);

void WriteChartPngFile(benchmark::State& state) {
    ReportScene scene;
    scene.WriteYear(2011);
    DrawUsageChart(scene.app.ExportImage, scene.app, 1, "2011");
    for (auto _ : state)
        benchmark::DoNotOptimize(WritePngFile(scene.app.ExportImage, scene.temp / "2011.png"));
}
BENCHMARK(WriteChartPngFile)->Unit(benchmark::kMillisecond);

void ExportHundredWeeksHundredYearsTenThousandSessions(benchmark::State& state) {
    ReportScene scene;
    for (int i = 0; i < 100; ++i) {
        scene.WriteWeek(2000 + i / 50, 1 + i % 50);
        scene.WriteYear(1900 + i);
    }
    std::vector<std::uint8_t> history;
    for (int i = 0; i < 10000; ++i) {
        const auto record =
            EncodeHistoryRecord({1300000000 + i * 7200, 1300000000 + i * 7200 + 3600});
        history.insert(history.end(), record.begin(), record.end());
    }
    testing::WriteFileBytes(scene.app.DataFolder / "History.dat", history);

    platform::MainWindowSetup window;
    platform::CreateMainWindow(window);
    using platform::ControlKind;
    platform::CreateControl(
        {control::WeekExportList, ControlKind::CheckboxList, 4, 0, 0, 0, 0, ""});
    platform::CreateControl(
        {control::YearExportList, ControlKind::CheckboxList, 4, 0, 0, 0, 0, ""});
    platform::CreateControl(
        {control::IncludeHistoryCheckbox, ControlKind::Checkbox, 4, 0, 0, 0, 0, ""});
    FillPeriodList(scene.app, 0, control::WeekExportList);
    FillPeriodList(scene.app, 1, control::YearExportList);
    for (int item = 0; item < 100; ++item) {
        headless::SetItemChecked(control::WeekExportList, item, true);
        headless::SetItemChecked(control::YearExportList, item, true);
    }
    platform::SetControlState(control::IncludeHistoryCheckbox, 1);
    const fs::path folder = scene.temp / "Export";
    fs::create_directories(folder);

    for (auto _ : state) {
        headless::QueueChosenFolder(folder);
        ExportHtml(scene.app);
    }
    state.counters["document bytes"] =
        static_cast<double>(fs::file_size(folder / "Lumidor Export.html"));
    if (headless::ShownMessages().back().text != ExportDoneMessage)
        state.SkipWithError("the export failed");
}
BENCHMARK(ExportHundredWeeksHundredYearsTenThousandSessions)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace lumidor
