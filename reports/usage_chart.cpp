#include "reports/usage_chart.h"

#include "core/bytes.h"
#include "platform/drawing.h"
#include "platform/files.h"
#include "reports/period_list.h"
#include "reports/utf8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace lumidor {

namespace {

struct ChartLayout {
    std::size_t recordSize;   // bytes read from the usage file
    std::size_t firstCounter; // offset of the first minute counter
    std::string_view axisText;
    int axisTextX;
    int scaleStep;
    int scaleTop;
    std::string_view unit;
    double pixelsPerUnit;
    std::span<const int> barLefts;
};

constexpr std::array<int, 7> WeekBarLefts = {45, 90, 133, 177, 223, 265, 309};
constexpr std::array<int, 12> YearBarLefts = {38,  64,  92,  118, 145, 174,
                                              200, 225, 252, 280, 306, 336};

// Week record: week (1 byte), year (2), then Monday .. Sunday. Year record:
// year (2), then January .. December.
const ChartLayout WeekLayout{
    .recordSize = 31,
    .firstCounter = 3,
    .axisText = "Mo       Di       Mi       Do       Fr       Sa       So",
    .axisTextX = 40,
    .scaleStep = 2,
    .scaleTop = 24,
    .unit = " Std.",
    .pixelsPerUnit = 6.875,
    .barLefts = WeekBarLefts,
};
const ChartLayout YearLayout{
    .recordSize = 50,
    .firstCounter = 2,
    .axisText = "Jan Feb Mär Apr Mai Jun Jul Aug Sep Okt Nov Dez",
    .axisTextX = 30,
    .scaleStep = 3,
    .scaleTop = 30,
    .unit = " Tage",
    .pixelsPerUnit = 5.5,
    .barLefts = YearBarLefts,
};

constexpr std::int32_t WeekClampFrom = 1420; // 23 hours 40 minutes
constexpr std::int32_t WeekClampTo = 1440;
constexpr std::int32_t YearClampFrom = 40060; // 27 days 19 hours 40 minutes
constexpr std::int32_t YearClampTo = 43200;
constexpr std::int32_t MostDays = 30;

constexpr int BarWidth = 8;
// The zero line lies this far above the bottom edge, the axis text starts 30
// above it, and each scale label 6 rows above its line.
constexpr int ZeroLineFromBottom = 40;
constexpr int AxisTextFromBottom = 30;
constexpr int LabelAboveLine = 6;
constexpr int GridLeft = 30;
constexpr int GridRightMargin = 10;
constexpr int LabelLeft = 2;

} // namespace

int RoundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double nearest = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        nearest = below + 1.0;
    return static_cast<int>(nearest);
}

std::string PadScaleNumber(std::string_view text) {
    if (text.size() == 1)
        return "  " + std::string(text);
    return std::string(text);
}

int WeekBarHeight(std::int32_t minutes) {
    if (minutes >= WeekClampFrom)
        minutes = WeekClampTo;
    const std::int32_t hours = minutes / 60;
    return RoundHalfToEven(hours * WeekLayout.pixelsPerUnit);
}

int YearBarHeight(std::int32_t minutes) {
    if (minutes >= YearClampFrom)
        minutes = YearClampTo;
    const std::int32_t days = std::min(minutes / 60 / 24, MostDays);
    return RoundHalfToEven(days * YearLayout.pixelsPerUnit);
}

void DrawUsageChart(Image& image, const App& app, int view, std::string_view periodText) {
    if (!CanDrawOn(image))
        return;
    const bool weekView = view == WeekView;
    const ChartLayout& layout = weekView ? WeekLayout : YearLayout;
    const int width = image.width;
    const int height = image.height;

    FillBox(image, 0, 0, width, height, White);

    // Cleared on every call: a short or missing file leaves zeros.
    std::array<std::uint8_t, 50> record{};
    const std::string fileName = std::string(periodText) + ".dat";
    if (auto path = FileInFolder(UsageFolder(app.DataFolder, view), fileName)) {
        if (platform::OpenFile* file = platform::OpenForReading(*path)) {
            platform::ReadBytes(file, record.data(), layout.recordSize);
            platform::CloseFile(file);
        }
    }

    // The axis text in the surface's default font, the rest in the chart font.
    platform::DrawTextOnImage(image, nullptr, layout.axisTextX, height - AxisTextFromBottom,
                              layout.axisText, Black);

    for (int units = 0; units <= layout.scaleTop; units += layout.scaleStep) {
        const int offset = RoundHalfToEven(units * layout.pixelsPerUnit);
        const int lineRow = height - offset - ZeroLineFromBottom;
        HorizontalLine(image, GridLeft, lineRow, width - GridLeft - GridRightMargin, Yellow);
        const std::string label = PadScaleNumber(std::to_string(units)) + std::string(layout.unit);
        platform::DrawTextOnImage(image, app.ChartFont, LabelLeft, lineRow - LabelAboveLine, label,
                                  Black);
    }

    for (std::size_t i = 0; i < layout.barLefts.size(); ++i) {
        const std::int32_t minutes = LoadInt32(record.data() + layout.firstCounter + 4 * i);
        // A negative counter is never written; its bar has no height and draws nothing.
        const int barHeight = weekView ? WeekBarHeight(minutes) : YearBarHeight(minutes);
        FillBox(image, layout.barLefts[i], height - barHeight - ZeroLineFromBottom, BarWidth,
                barHeight, Green);
    }
}

} // namespace lumidor
