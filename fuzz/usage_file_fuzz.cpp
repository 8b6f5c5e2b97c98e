// Usage files from outside: any bytes may stand in a week or year file (a
// damaged disk, a file copied from elsewhere). Counting a minute into them and
// drawing their charts must neither crash nor misbehave.
#include "app/lumidor.h"
#include "core/data_folder.h"
#include "platform/headless/headless.h"
#include "recording/minute_accumulator.h"
#include "recording/usage_files.h"
#include "reports/usage_chart.h"
#include "tests/support/temp_folder.h"

#include <cstddef>
#include <cstdint>
#include <fstream>

namespace {

using namespace lumidor;

void WriteBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::TempFolder temp;
    static App app = [] {
        App prepared;
        PrepareApp(prepared, temp / "Lumidor.exe", "Lumidor.exe /autorun");
        return prepared;
    }();
    // Wednesday 19 October 2011: week 42.
    const DateValue now = DateFromFields(2011, 10, 19, 12, 0, 0);
    const std::size_t split = size / 2;
    WriteBytes(WeekFilePath(app.DataFolder, now), data, split);
    WriteBytes(YearFilePath(app.DataFolder, now), data + split, size - split);

    Recorder recorder;
    ReadUsageRecords(app.DataFolder, now, recorder);
    const Recorder before = recorder;
    CountMinute(recorder, now);
    WriteUsageRecords(app.DataFolder, now, recorder);

    // A matching record gains exactly one minute, on Wednesday and in October.
    if (before.CurrentWeekRecord.Week == 42 && before.CurrentWeekRecord.Year == 2011 &&
        before.CurrentWeekRecord.Minutes[2] < INT32_MAX &&
        recorder.CurrentWeekRecord.Minutes[2] != before.CurrentWeekRecord.Minutes[2] + 1)
        __builtin_trap();

    Recorder reread;
    ReadUsageRecords(app.DataFolder, now, reread);
    if (!(reread.CurrentWeekRecord == recorder.CurrentWeekRecord) ||
        !(reread.CurrentYearRecord == recorder.CurrentYearRecord))
        __builtin_trap();

    // Drawing renders text too, which is slow: one chart per input.
    if (size % 2 == 0)
        DrawUsageChart(app.ChartImage, app, 0, "2011-42");
    else
        DrawUsageChart(app.ExportImage, app, 1, "2011");
    return 0;
}
