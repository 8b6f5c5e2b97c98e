// The chart layout to the pixel: grid rows, bar edges and heights, and text
// only where text belongs.
#include "core/control_numbers.h"
#include "platform/toolkit.h"
#include "reports/chart_view.h"
#include "reports/usage_chart.h"
#include "tests/reports/reports_fixture.h"

#include <gtest/gtest.h>

#include <climits>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

TEST(ChartNumbers, RoundHalfToEven) {
    const std::pair<double, int> cases[] = {
        {27.5, 28}, {82.5, 82}, {16.5, 16}, {5.5, 6},  {148.5, 148}, {13.75, 14}, {41.25, 41},
        {0.0, 0},   {0.49, 0},  {0.51, 1},  {-0.5, 0}, {-1.5, -2},   {-2.5, -2},  {165.0, 165},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(RoundHalfToEven(value), rounded) << value;
}

TEST(ChartNumbers, PadScaleNumber) {
    EXPECT_EQ(PadScaleNumber(""), "");
    EXPECT_EQ(PadScaleNumber("5"), "  5");
    EXPECT_EQ(PadScaleNumber("0"), "  0");
    EXPECT_EQ(PadScaleNumber("12"), "12");
    EXPECT_EQ(PadScaleNumber("123"), "123");
}

TEST(ChartNumbers, BarHeightsOfWholeHoursAndDays) {
    const int hourHeights[25] = {0,  7,  14,  21,  28,  34,  41,  48,  55,  62,  69,  76, 82,
                                 89, 96, 103, 110, 117, 124, 131, 138, 144, 151, 158, 165};
    for (int hours = 0; hours <= 24; ++hours) {
        EXPECT_EQ(WeekBarHeight(hours * 60), hourHeights[hours]) << hours << " hours";
        const int minutes = hours * 60 + 59;
        EXPECT_EQ(WeekBarHeight(minutes), minutes >= 1420 ? 165 : hourHeights[hours]) << minutes;
    }
    const int dayHeights[31] = {0,   6,   11,  16,  22,  28,  33,  38,  44,  50,  55,
                                60,  66,  72,  77,  82,  88,  94,  99,  104, 110, 116,
                                121, 126, 132, 138, 143, 148, 154, 160, 165};
    for (int days = 0; days <= 30; ++days)
        EXPECT_EQ(YearBarHeight(days * 1440), days <= 27 ? dayHeights[days] : 165) << days;

    const std::pair<std::int32_t, int> weekCases[] = {
        {0, 0},      {59, 0},        {60, 7}, {1419, 158}, {1420, 165},  {1500, 165},
        {2880, 165}, {INT_MAX, 165}, {-1, 0}, {-60, 0},    {INT_MIN, 0},
    };
    for (const auto& [minutes, height] : weekCases)
        EXPECT_EQ(std::max(WeekBarHeight(minutes), 0), height) << minutes;
    // From 27 days 19 hours 40 minutes on, a month is drawn full: 28 and 29 days never show.
    const std::pair<std::int32_t, int> yearCases[] = {
        {0, 0},       {1439, 0},    {1440, 6},    {40059, 148},   {40060, 165},
        {40320, 165}, {41760, 165}, {44640, 165}, {INT_MAX, 165}, {INT_MIN, 0},
    };
    for (const auto& [minutes, height] : yearCases)
        EXPECT_EQ(std::max(YearBarHeight(minutes), 0), height) << minutes;
}

// What a chart must look like apart from its text, from the layout table.
struct Expected {
    std::vector<int> gridOffsets;
    std::vector<int> barLefts;
    std::vector<int> barHeights;
};

const std::vector<int> WeekGrid = {0, 14, 28, 41, 55, 69, 82, 96, 110, 124, 138, 151, 165};
const std::vector<int> YearGrid = {0, 16, 33, 50, 66, 82, 99, 116, 132, 148, 165};
const std::vector<int> WeekLefts = {45, 90, 133, 177, 223, 265, 309};
const std::vector<int> YearLefts = {38, 64, 92, 118, 145, 174, 200, 225, 252, 280, 306, 336};

// Text cells: the scale labels left of x 40 (they reach into the grid's
// first pixels), and the axis text in its band of rows.
bool InTextArea(int x, int y, int height) {
    const bool labels = x < 40;
    const bool axis = y >= height - 30 && y < height - 30 + 17;
    return labels || axis;
}

Rgb ExpectedPixel(const Expected& expected, int x, int y, int width, int height) {
    for (std::size_t i = 0; i < expected.barLefts.size(); ++i) {
        const int left = expected.barLefts[i];
        const int bar = expected.barHeights[i];
        if (x >= left && x < left + 8 && y >= height - 40 - bar && y < height - 40)
            return Green;
    }
    for (int offset : expected.gridOffsets)
        if (y == height - offset - 40 && x >= 30 && x <= width - 11)
            return Yellow;
    return White;
}

// Compares every pixel outside the text cells, and reports the first few misses.
void ExpectChart(const Image& image, const Expected& expected) {
    int misses = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            if (InTextArea(x, y, image.height))
                continue;
            const Rgb want = ExpectedPixel(expected, x, y, image.width, image.height);
            const Rgb got = PixelAt(image, x, y);
            if (got != want && ++misses <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << int(got.red) << ","
                              << int(got.green) << "," << int(got.blue);
        }
    EXPECT_EQ(misses, 0);
}

bool IsGrey(Rgb pixel) {
    return pixel.red == pixel.green && pixel.green == pixel.blue;
}

int DarkPixels(const Image& image, int left, int top, int right, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            dark += PixelAt(image, x, y).red < 128 ? 1 : 0;
    return dark;
}

class UsageChart : public testing::ReportsTest {};

TEST_F(UsageChart, WeekBarsAndGridFollowTheLayout) {
    WriteWeek("2011-42", {0, 59, 60, 1419, 1420, 5000, 240});
    DrawUsageChart(app.ChartImage, app, 0, "2011-42");
    ExpectChart(app.ChartImage, {WeekGrid, WeekLefts, {0, 0, 7, 158, 165, 165, 28}});

    WriteWeek("2011-43", {240, 720, 1200, 0, 0, 0, 0});
    DrawUsageChart(app.ChartImage, app, 0, "2011-43");
    ExpectChart(app.ChartImage, {WeekGrid, WeekLefts, {28, 82, 138, 0, 0, 0, 0}});
}

TEST_F(UsageChart, YearBarsAndGridFollowTheLayout) {
    WriteYear("2011",
              {1439, 1440, 40059, 40060, 44640, 0, 7 * 1440, 20 * 1440, 41760, 100, 1, 30 * 1440});
    DrawUsageChart(app.ChartImage, app, 1, "2011");
    ExpectChart(app.ChartImage,
                {YearGrid, YearLefts, {0, 6, 148, 165, 165, 0, 38, 110, 165, 0, 0, 165}});
}

TEST_F(UsageChart, FullMondayCoversItsColumnsFromTheTopLineToTheZeroLine) {
    WriteWeek("2011-42", {1440, 0, 0, 0, 0, 0, 0});
    DrawUsageChart(app.ChartImage, app, 0, "2011-42");
    const Image& image = app.ChartImage;
    int green = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (PixelAt(image, x, y) == Green) {
                ++green;
                EXPECT_TRUE(x >= 45 && x <= 52 && y >= 15 && y <= 179) << x << ", " << y;
            }
    EXPECT_EQ(green, 8 * 165);
    EXPECT_EQ(PixelAt(image, 45, 180), Yellow) << "the zero line stays visible";
    EXPECT_EQ(PixelAt(image, 100, 15), Yellow) << "top line";
}

TEST_F(UsageChart, GridEndsAtBothEdgesBetweenColumns30And354) {
    DrawUsageChart(app.ChartImage, app, 0, "");
    for (int offset : WeekGrid) {
        const int row = 220 - offset - 40;
        // Label glyphs may cover the line's first pixels; the line never
        // starts left of 30 (grey there) and stops after 354.
        EXPECT_EQ(PixelAt(app.ChartImage, 30, row).blue, 0) << row;
        EXPECT_TRUE(IsGrey(PixelAt(app.ChartImage, 29, row))) << row;
        EXPECT_EQ(PixelAt(app.ChartImage, 354, row), Yellow) << row;
        EXPECT_EQ(PixelAt(app.ChartImage, 355, row), White) << row;
    }
}

TEST_F(UsageChart, TextStandsAtTheAxisAndBesideEveryGridLine) {
    DrawUsageChart(app.ChartImage, app, 0, "");
    const Image& image = app.ChartImage;
    EXPECT_GT(DarkPixels(image, 40, 190, 365, 207), 40) << "axis text";
    for (int offset : WeekGrid) {
        const int top = 220 - offset - 46;
        EXPECT_GT(DarkPixels(image, 2, top, 40, top + 10), 10) << "label at row " << top;
    }
    // Nothing is drawn in the default font left of the axis text's start.
    EXPECT_EQ(DarkPixels(image, 30, 190, 40, 207), 0);

    DrawUsageChart(app.ChartImage, app, 1, "");
    EXPECT_GT(DarkPixels(image, 30, 190, 365, 207), 40);
    for (int offset : YearGrid) {
        const int top = 220 - offset - 46;
        EXPECT_GT(DarkPixels(image, 2, top, 40, top + 10), 10) << "label at row " << top;
    }
}

TEST_F(UsageChart, OnTheExportImageTheSameChartLies20RowsLower) {
    WriteWeek("2011-42", {1440, 600, 60, 0, 720, 1000, 30});
    DrawUsageChart(app.ChartImage, app, 0, "2011-42");
    DrawUsageChart(app.ExportImage, app, 0, "2011-42");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 365; ++x)
            ASSERT_EQ(PixelAt(app.ExportImage, x, y), White) << x << ", " << y;
    for (int y = 0; y < 220; ++y)
        for (int x = 0; x < 365; ++x)
            ASSERT_EQ(PixelAt(app.ExportImage, x, y + 20), PixelAt(app.ChartImage, x, y))
                << x << ", " << y;
    ExpectChart(app.ExportImage, {WeekGrid, WeekLefts, {165, 69, 7, 0, 82, 110, 0}});
}

TEST_F(UsageChart, MissingEmptyAndShortFilesCountAsZeros) {
    WriteWeek("zeros", {});
    DrawUsageChart(app.ChartImage, app, 0, "zeros");
    const Image emptyChart = app.ChartImage;
    ExpectChart(emptyChart, {WeekGrid, WeekLefts, {0, 0, 0, 0, 0, 0, 0}});

    // A previous chart's bars never survive into the next one.
    WriteWeek("full", {1440, 1440, 1440, 1440, 1440, 1440, 1440});
    testing::WriteFileBytes(Weeks() / "empty.dat", {});
    fs::create_directories(Weeks() / "folder.dat");
    for (const char* period : {"2011-1", "", "empty", "folder"}) {
        DrawUsageChart(app.ChartImage, app, 0, "full");
        DrawUsageChart(app.ChartImage, app, 0, period);
        EXPECT_EQ(app.ChartImage.pixels, emptyChart.pixels) << period;
    }

    // Ten bytes: week, year, Monday and three bytes of Tuesday; the fourth is zero.
    std::vector<std::uint8_t> bytes =
        testing::WeekFileBytes(42, 2011, {120, 0x7F000258, 1440, 1440, 1440, 1440, 1440});
    bytes.resize(10);
    testing::WriteFileBytes(Weeks() / "short.dat", bytes);
    DrawUsageChart(app.ChartImage, app, 0, "short");
    ExpectChart(app.ChartImage, {WeekGrid, WeekLefts, {14, 69, 0, 0, 0, 0, 0}});

    // Bytes beyond the record are not read; a year file is read as a year.
    bytes = testing::YearFileBytes(2011, {0, 0, 0, 0, 0, 0, 0, 0, 0, 600 * 24, 0, 1440});
    bytes.resize(60, 0xFF);
    testing::WriteFileBytes(Months() / "2011.dat", bytes);
    DrawUsageChart(app.ChartImage, app, 1, "2011");
    ExpectChart(app.ChartImage, {YearGrid, YearLefts, {0, 0, 0, 0, 0, 0, 0, 0, 0, 55, 0, 6}});
}

TEST_F(UsageChart, AnyViewButZeroIsTheYearView) {
    WriteYear("2011", {44640, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    DrawUsageChart(app.ChartImage, app, 1, "2011");
    const std::vector<std::uint8_t> yearChart = app.ChartImage.pixels;
    for (int view : {-1, 2, 7}) {
        DrawUsageChart(app.ChartImage, app, view, "2011");
        EXPECT_EQ(app.ChartImage.pixels, yearChart) << view;
    }
}

TEST_F(UsageChart, AnImageThatCannotBeDrawnOnIsLeftAlone) {
    Image nothing;
    DrawUsageChart(nothing, app, 0, "2011-42");
    EXPECT_TRUE(nothing.pixels.empty());
}

TEST_F(UsageChart, ShowSelectedChartShowsTheSelectorsPeriod) {
    WriteYear("2011", {0, 0, 0, 0, 0, 0, 14400, 0, 0, 0, 0, 0});
    platform::AddItem(control::PeriodSelector, "2010");
    platform::AddItem(control::PeriodSelector, "2011");
    platform::SetControlState(control::ViewSelector, 1);
    platform::SetControlState(control::PeriodSelector, 1);
    ShowSelectedChart(app);
    const headless::Control* view = headless::FindControl(control::ChartView);
    ASSERT_TRUE(view->image.has_value());
    EXPECT_EQ(view->image->pixels, app.ChartImage.pixels);
    ExpectChart(*view->image, {YearGrid, YearLefts, {0, 0, 0, 0, 0, 0, 55, 0, 0, 0, 0, 0}});

    // Nothing selected: the empty text names no usage file.
    platform::SetControlState(control::PeriodSelector, -1);
    ShowSelectedChart(app);
    ExpectChart(*headless::FindControl(control::ChartView)->image,
                {YearGrid, YearLefts, std::vector<int>(12, 0)});
}

} // namespace
} // namespace lumidor
