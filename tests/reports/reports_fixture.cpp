#include "tests/reports/reports_fixture.h"

#include "core/bytes.h"
#include "core/control_numbers.h"
#include "platform/drawing.h"
#include "platform/toolkit.h"

namespace lumidor::testing {

std::vector<std::uint8_t> WeekFileBytes(int week, int year,
                                        const std::array<std::int32_t, 7>& minutes) {
    std::vector<std::uint8_t> bytes(31);
    bytes[0] = static_cast<std::uint8_t>(week);
    StoreInt16(bytes.data() + 1, static_cast<std::int16_t>(year));
    for (std::size_t i = 0; i < minutes.size(); ++i)
        StoreInt32(bytes.data() + 3 + 4 * i, minutes[i]);
    return bytes;
}

std::vector<std::uint8_t> YearFileBytes(int year, const std::array<std::int32_t, 12>& minutes) {
    std::vector<std::uint8_t> bytes(50);
    StoreInt16(bytes.data(), static_cast<std::int16_t>(year));
    for (std::size_t i = 0; i < minutes.size(); ++i)
        StoreInt32(bytes.data() + 2 + 4 * i, minutes[i]);
    return bytes;
}

void ReportsTest::SetUp() {
    headless::Reset();
    app.DataFolder = temp / "Data" / "";
    std::filesystem::create_directories(Weeks());
    std::filesystem::create_directories(Months());
    app.ChartImage = MakeImage(ChartImageWidth, ChartImageHeight);
    app.ExportImage = MakeImage(ExportImageWidth, ExportImageHeight);
    app.ChartFont = platform::LoadFont("Arial", 7);
    ASSERT_NE(app.ChartFont, nullptr);

    platform::MainWindowSetup window;
    window.visible = true;
    ASSERT_TRUE(platform::CreateMainWindow(window));
    using platform::ControlKind;
    const platform::ControlSetup controls[] = {
        {control::ViewSelector, ControlKind::DropDownList, 1, 0, 0, 0, 0, ""},
        {control::PeriodSelector, ControlKind::DropDownList, 1, 0, 0, 0, 0, ""},
        {control::ChartView, ControlKind::ImageView, 1, 0, 0, 365, 220, ""},
        {control::WeekExportList, ControlKind::CheckboxList, 4, 0, 0, 0, 0, ""},
        {control::YearExportList, ControlKind::CheckboxList, 4, 0, 0, 0, 0, ""},
        {control::IncludeHistoryCheckbox, ControlKind::Checkbox, 4, 0, 0, 0, 0,
         "Verlauf-Liste integrieren"},
    };
    for (const platform::ControlSetup& setup : controls)
        ASSERT_TRUE(platform::CreateControl(setup));
    platform::AddItem(control::ViewSelector, "Tage");
    platform::AddItem(control::ViewSelector, "Monate");
    platform::SetControlState(control::ViewSelector, 0);
}

void ReportsTest::TearDown() {
    platform::ReleaseFont(app.ChartFont);
    app.ChartFont = nullptr;
    headless::Reset();
}

void ReportsTest::WriteWeek(const std::string& name, const std::array<std::int32_t, 7>& minutes) {
    WriteFileBytes(Weeks() / (name + ".dat"), WeekFileBytes(1, 2011, minutes));
}

void ReportsTest::WriteYear(const std::string& name, const std::array<std::int32_t, 12>& minutes) {
    WriteFileBytes(Months() / (name + ".dat"), YearFileBytes(2011, minutes));
}

std::vector<std::string> ReportsTest::Items(int control) const {
    std::vector<std::string> items;
    for (int i = 0; i < platform::ItemCount(control); ++i)
        items.push_back(platform::CellText(control, i, 0));
    return items;
}

} // namespace lumidor::testing
