#include "settings/settings.h"

#include "settings/preference_file.h"

namespace lumidor {
namespace {

constexpr std::string_view CalendarWeeksKey = "CalendarWeeksLimit";
constexpr std::string_view YearKey = "YearLimit";
constexpr std::string_view HistoryItemsKey = "HistoryItemsLimit";

} // namespace

Limits LoadSettings(const std::filesystem::path& dataFolder) {
    const Limits defaults;
    PreferenceFile file;
    OpenPreferenceFile(file, dataFolder / SettingsFileName);
    Limits limits;
    limits.calendarWeeks = ReadPreferenceNumber(file, CalendarWeeksKey, defaults.calendarWeeks);
    limits.years = ReadPreferenceNumber(file, YearKey, defaults.years);
    limits.historyItems = ReadPreferenceNumber(file, HistoryItemsKey, defaults.historyItems);
    ClosePreferenceFile(file);
    return limits;
}

void SaveSettings(const std::filesystem::path& dataFolder, const Limits& limits) {
    PreferenceFile file;
    if (!CreatePreferenceFile(file, dataFolder / SettingsFileName))
        return;
    WritePreferenceNumber(file, CalendarWeeksKey, limits.calendarWeeks);
    WritePreferenceNumber(file, YearKey, limits.years);
    WritePreferenceNumber(file, HistoryItemsKey, limits.historyItems);
    ClosePreferenceFile(file);
}

} // namespace lumidor
