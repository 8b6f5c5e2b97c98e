#include "reports/period_list.h"

#include "core/control_numbers.h"
#include "platform/toolkit.h"
#include "recording/usage_files.h"
#include "reports/utf8.h"

#include <algorithm>

namespace lumidor {

std::string CurrentPeriodText(int view, DateValue now) {
    // One moment for year, month and day, so the text never mixes two days.
    const int year = YearOfDate(now);
    if (view != WeekView)
        return std::to_string(year);
    const int week =
        CalendarWeek(static_cast<std::int16_t>(year), static_cast<std::int8_t>(MonthOfDate(now)),
                     static_cast<std::int8_t>(DayOfDate(now)));
    return std::to_string(year) + "-" + std::to_string(week);
}

std::vector<std::string> PeriodTextsOf(const std::vector<platform::FolderEntry>& entries) {
    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const platform::FolderEntry& entry : entries) {
        // Also the program's own write that a crash left half done.
        if (entry.name == "." || entry.name == ".." || IsLeftoverReplacement(entry.name))
            continue;
        // Whatever the last four characters are: a subfolder or another file
        // becomes an item too, and choosing it shows the empty chart.
        texts.emplace_back(WithoutLastCharacters(entry.name, 4));
    }
    // std::string compares its bytes as unsigned values.
    std::stable_sort(texts.begin(), texts.end());
    return texts;
}

void FillPeriodList(const App& app, int view, int control) {
    platform::ClearItems(control);
    const auto entries = platform::ListFolder(UsageFolder(app.DataFolder, view));
    const std::vector<std::string> texts =
        entries ? PeriodTextsOf(*entries) : std::vector<std::string>{};
    const bool selectsCurrent = control == control::PeriodSelector;
    const std::string current = selectsCurrent ? CurrentPeriodText(view, CurrentDate()) : "";
    int currentItem = -1;
    for (const std::string& text : texts) {
        const int item = platform::AddItem(control, text);
        if (selectsCurrent && currentItem < 0 && text == current)
            currentItem = item;
    }
    if (currentItem >= 0)
        platform::SetControlState(control, currentItem);
}

} // namespace lumidor
