// Every control is addressed by a fixed number; there is no number 1 (the
// status bar is not a numbered control).
#pragma once

namespace lumidor::control {

inline constexpr int TabPanel = 0;

// "Aktuell"
inline constexpr int YearsCaption = 2;
inline constexpr int YearsField = 3;
inline constexpr int MonthsCaption = 4;
inline constexpr int MonthsField = 5;
inline constexpr int WeeksCaption = 6;
inline constexpr int WeeksField = 7;
inline constexpr int DaysCaption = 8;
inline constexpr int DaysField = 9;
inline constexpr int HoursCaption = 10;
inline constexpr int HoursField = 11;
inline constexpr int MinutesCaption = 12;
inline constexpr int MinutesField = 13;
inline constexpr int SecondsCaption = 14;
inline constexpr int SecondsField = 15;
inline constexpr int CounterWarningLabel = 16;

// "Grafik"
inline constexpr int ChartFrame = 17;
inline constexpr int ViewCaption = 18;
inline constexpr int ViewSelector = 19;
inline constexpr int PeriodCaption = 20;
inline constexpr int PeriodSelector = 21;
inline constexpr int ChartView = 22;

// "Verlauf"
inline constexpr int HistoryList = 23;

// "Einstellungen"
inline constexpr int AutostartCheckbox = 24;
inline constexpr int WeekLimitCaption = 25;
inline constexpr int WeekLimitField = 26;
inline constexpr int YearLimitCaption = 27;
inline constexpr int YearLimitField = 28;
inline constexpr int HistoryLimitCaption = 29;
inline constexpr int HistoryLimitField = 30;

// "Export"
inline constexpr int WeekExportFrame = 31;
inline constexpr int WeekExportList = 32;
inline constexpr int YearExportFrame = 33;
inline constexpr int YearExportList = 34;
inline constexpr int IncludeHistoryCheckbox = 35;
inline constexpr int ExportButton = 36;

} // namespace lumidor::control
