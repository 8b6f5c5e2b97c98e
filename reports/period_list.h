// The recorded periods as items of the period selector and the export lists:
// one item per entry of the week or year folder, listed anew on every fill.
#pragma once

#include "core/app.h"
#include "core/data_folder.h"
#include "core/date.h"
#include "platform/files.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumidor {

inline constexpr int WeekView = 0;
inline constexpr int YearView = 1;

// "Weeks" for the week view, "Months" for any other, with a trailing separator.
inline std::filesystem::path UsageFolder(const std::filesystem::path& dataFolder, int view) {
    return view == WeekView ? WeeksFolder(dataFolder) : MonthsFolder(dataFolder);
}

// The name of the current period's usage file without ".dat": year "-" week
// for the week view (2011-42; 1 January 2011 gives 2011-52), the year alone
// for the year view.
std::string CurrentPeriodText(int view, DateValue now);

// The period texts of a folder listing: every entry but ".", ".." and a
// usage file's sibling left half written by a crash, each
// without its last four characters, sorted by bytes (stable).
std::vector<std::string> PeriodTextsOf(const std::vector<platform::FolderEntry>& entries);

// Refills a list (21, 32 or 34) from the view's usage folder; the period
// selector (21) then selects the current period when it is listed.
void FillPeriodList(const App& app, int view, int control);

} // namespace lumidor
