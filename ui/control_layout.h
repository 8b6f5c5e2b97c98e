// The main window's fixed look: title, place and size, the tabs, and every
// numbered control with its tab, kind, position within the tab's page area,
// size and text at creation.
#pragma once

#include "core/control_numbers.h"
#include "platform/toolkit.h"

#include <array>
#include <string_view>

namespace lumidor::ui {

inline constexpr std::string_view MainWindowTitle = "Quorrel - Lumidor 1.2.2";
inline constexpr int MainWindowX = 432;
inline constexpr int MainWindowY = 46;
inline constexpr int ClientWidth = 384;
inline constexpr int ClientHeight = 310;

inline constexpr std::string_view NotificationTooltip = "Quorrel - Lumidor";

// The tab panel reaches past the left, top and right edges of the client area.
inline constexpr platform::ControlSetup TabPanelSetup{
    control::TabPanel, platform::ControlKind::TabPanel, 0, -2, -2, 395, 295, ""};

enum Tab { Aktuell, Grafik, Verlauf, Einstellungen, Export, TabCount };

inline constexpr std::array<std::string_view, TabCount> TabCaptions{"Aktuell", "Grafik", "Verlauf",
                                                                    "Einstellungen", "Export"};

struct ControlLayout {
    int number;
    int tab;
    platform::ControlKind kind;
    int x;
    int y;
    int width;
    int height;
    // For lists: the title of the first column.
    std::string_view text;
    // For lists: the width of the first column.
    int columnWidth = 0;
};

// In creation order: per tab, the order in which the window is built.
inline constexpr auto ControlLayouts = [] {
    using enum platform::ControlKind;
    namespace c = control;
    return std::array<ControlLayout, 35>{{
        {c::YearsCaption, Aktuell, Label, 53, 44, 44, 15, "Jahre:"},
        {c::YearsField, Aktuell, RightAlignedLabel, 123, 44, 138, 15, "0"},
        {c::MonthsCaption, Aktuell, Label, 53, 71, 52, 15, "Monate:"},
        {c::MonthsField, Aktuell, RightAlignedLabel, 123, 71, 138, 15, "0"},
        {c::WeeksCaption, Aktuell, Label, 53, 97, 61, 15, "Wochen:"},
        {c::WeeksField, Aktuell, RightAlignedLabel, 123, 97, 138, 15, "0"},
        {c::DaysCaption, Aktuell, Label, 53, 124, 42, 14, "Tage:"},
        {c::DaysField, Aktuell, RightAlignedLabel, 123, 124, 138, 15, "0"},
        {c::HoursCaption, Aktuell, Label, 53, 150, 57, 14, "Stunden:"},
        {c::HoursField, Aktuell, RightAlignedLabel, 123, 150, 138, 15, "0"},
        {c::MinutesCaption, Aktuell, Label, 53, 177, 57, 13, "Minuten:"},
        {c::MinutesField, Aktuell, RightAlignedLabel, 123, 177, 138, 15, "0"},
        {c::SecondsCaption, Aktuell, Label, 53, 203, 61, 16, "Sekunden:"},
        {c::SecondsField, Aktuell, RightAlignedLabel, 123, 203, 138, 15, "0"},
        {c::CounterWarningLabel, Aktuell, WrappingLabel, 29, 238, 310, 29,
         "Kein Hochleistung-Counter gefunden. Standard-Counter mit 49,7-Tage-Beschränkung ist "
         "in Verwendung."},
        {c::ViewCaption, Grafik, Label, 8, 11, 40, 15, "Ansicht:"},
        {c::ViewSelector, Grafik, DropDownList, 58, 8, 115, 20, ""},
        {c::PeriodCaption, Grafik, RightAlignedLabel, 208, 11, 82, 16, "Kalenderwoche:"},
        {c::PeriodSelector, Grafik, DropDownList, 303, 8, 74, 20, ""},
        {c::ChartFrame, Grafik, GroupBox, 3, 33, 375, 233, ""},
        {c::ChartView, Grafik, ImageView, 8, 40, 365, 220, ""},
        {c::HistoryList, Verlauf, ReportList, 3, 1, 378, 264, "PC eingeschaltet", 178},
        {c::AutostartCheckbox, Einstellungen, Checkbox, 13, 18, 320, 15,
         "Laufzeiten aufzeichnen (setzt Programm in Startmenü/Autostart)"},
        {c::WeekLimitCaption, Einstellungen, Label, 12, 46, 245, 17,
         "Anzahl der zu aufbewahrenden Kalenderwochen:"},
        {c::WeekLimitField, Einstellungen, SpinField, 270, 46, 43, 18, ""},
        {c::YearLimitCaption, Einstellungen, Label, 12, 73, 245, 17,
         "Anzahl der zu aufbewahrenden Jahre:"},
        {c::YearLimitField, Einstellungen, SpinField, 270, 73, 43, 17, ""},
        {c::HistoryLimitCaption, Einstellungen, Label, 12, 100, 245, 17,
         "Anzahl der zu aufbewahrenden Einträge im Verlauf:"},
        {c::HistoryLimitField, Einstellungen, SpinField, 270, 100, 43, 18, ""},
        {c::WeekExportFrame, Export, GroupBox, 5, 5, 180, 195, "Wochen-Grafiken"},
        {c::WeekExportList, Export, CheckboxList, 10, 20, 170, 175, "", 150},
        {c::YearExportFrame, Export, GroupBox, 195, 5, 180, 195, "Monate-Grafiken"},
        {c::YearExportList, Export, CheckboxList, 200, 20, 170, 175, "", 150},
        {c::IncludeHistoryCheckbox, Export, Checkbox, 120, 205, 135, 20,
         "Verlauf-Liste integrieren"},
        {c::ExportButton, Export, PushButton, 120, 235, 140, 25, "HTML-Datei erzeugen"},
    }};
}();

inline constexpr std::string_view ViewSelectorItems[] = {"Tage", "Monate"};
inline constexpr std::string_view HistorySecondColumn = "PC ausgeschaltet";
inline constexpr int HistorySecondColumnWidth = 178;

// The status bar text for each tab; every one begins with a blank.
inline constexpr std::array<std::string_view, TabCount> StatusTexts{
    " Zeigt Laufzeit seit dem Anmelden", " Zeigt Laufzeit in einer Tage/Monate-Ansicht an",
    " Zeigt Ein- und Ausschaltzeiten", " Legen Sie hier Ihre Einstellungen fest",
    " Exportieren Sie hier die gespeicherten Daten"};

inline constexpr std::string_view MessageTitle = "Lumidor";
inline constexpr std::string_view CloseQuestion =
    "Nach dem Beenden werden keine Laufzeiten mehr aufgezeichnet.\r\nWirklich beenden?";

} // namespace lumidor::ui
