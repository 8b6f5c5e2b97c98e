#include "history/history.h"

#include "core/control_numbers.h"
#include "core/date_text.h"
#include "history/history_file.h"
#include "platform/toolkit.h"

#include <algorithm>
#include <vector>

namespace lumidor {
namespace {

// The bounds of the history limit field.
constexpr int FewestItems = 1;
constexpr int MostItems = 100;

void AddHistoryRow(const HistoryRecord& record) {
    const int row = platform::AddItem(control::HistoryList, SessionLabel(record.switchOn));
    if (row >= 0)
        platform::SetCellText(control::HistoryList, row, 1, SessionLabel(record.switchOff));
}

// A cell's session label back to its value: the text after the weekday's comma.
DateValue ReadBackCell(int row, int column) {
    const std::string text = platform::CellText(control::HistoryList, row, column);
    return ParseDateText(ReadBackDateMask, TextField(text, 2, ","));
}

} // namespace

void LoadAndTrimHistory(const App& app) {
    const int limit =
        std::clamp(platform::ControlState(control::HistoryLimitField), FewestItems, MostItems);
    const std::filesystem::path file = app.DataFolder / HistoryFileName;
    const std::optional<HistoryTail> tail = ReadHistoryTail(file, static_cast<std::size_t>(limit));
    if (!tail)
        return;
    for (const HistoryRecord& record : tail->newest)
        AddHistoryRow(record);
    if (tail->recordCount <= static_cast<std::uint64_t>(limit))
        return;

    // A list that could not take the rows must not empty the file.
    const int rows = platform::ItemCount(control::HistoryList);
    if (rows != static_cast<int>(tail->newest.size()))
        return;
    std::vector<HistoryRecord> kept;
    kept.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        kept.push_back({ReadBackCell(row, 0), ReadBackCell(row, 1)});
    ReplaceHistoryFile(file, kept);
}

void AddStartRow(const App& app) {
    platform::AddItem(control::HistoryList, SessionLabel(app.currentSession.switchOn));
}

void AppendSession(App& app) {
    if (!app.recordingMode || app.sessionAppended)
        return;
    app.currentSession.switchOff = CurrentDate();
    if (AppendHistoryRecord(app.DataFolder / HistoryFileName, app.currentSession))
        app.sessionAppended = true;
}

} // namespace lumidor
