// History.dat from outside: a damaged, short, long or foreign file. Loading and
// trimming it into the list, appending a session and exporting its rows must
// neither crash nor lose the sessions that survive the trim.
#include "app/lumidor.h"
#include "core/control_numbers.h"
#include "history/history.h"
#include "history/history_file.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "reports/html_export.h"
#include "tests/support/temp_folder.h"

#include <cstddef>
#include <cstdint>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumidor;
    static testing::TempFolder temp;
    if (size == 0)
        return 0;
    static App prepared = [] {
        App app;
        PrepareApp(app, temp / "Lumidor.exe", "Lumidor.exe /autorun");
        return app;
    }();
    headless::Reset();
    App app = prepared;
    app.currentSession.switchOn = DateFromFields(2011, 3, 7, 8, 15, 0);
    platform::CreateMainWindow({});
    platform::CreateControl({control::HistoryList, platform::ControlKind::ReportList, 2, 3, 1, 378,
                             264, "PC eingeschaltet"});
    platform::AddColumn(control::HistoryList, "PC eingeschaltet", 178);
    platform::AddColumn(control::HistoryList, "PC ausgeschaltet", 178);
    platform::CreateControl(
        {control::HistoryLimitField, platform::ControlKind::SpinField, 3, 270, 100, 43, 18, ""});
    const int limit = data[0] % 100 + 1;
    platform::SetControlState(control::HistoryLimitField, limit);

    const std::filesystem::path file = app.DataFolder / HistoryFileName;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    const std::size_t records = (size - 1) / 8;

    LoadAndTrimHistory(app);
    const std::size_t rows = static_cast<std::size_t>(platform::ItemCount(control::HistoryList));
    if (rows != std::min<std::size_t>(records, static_cast<std::size_t>(limit)))
        __builtin_trap();
    const std::size_t kept = std::filesystem::file_size(file);
    if (records > static_cast<std::size_t>(limit) ? kept != rows * 8 : kept != size - 1)
        __builtin_trap();

    AddStartRow(app);
    AppendSession(app);
    AppendSession(app);
    // One record, after the last whole one.
    if (std::filesystem::file_size(file) != kept / 8 * 8 + 8)
        __builtin_trap();
    HistoryRowsHtml(app.DataFolder);
    headless::Reset();
    return 0;
}
