// The charts drawn with GDI's fonts: the layout holds whatever the glyphs look
// like, and the pictures are kept for a look (LUMIDOR_ARTIFACTS).
#include "core/bytes.h"
#include "platform/drawing.h"
#include "reports/png_writer.h"
#include "reports/usage_chart.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

void KeepForALook(const Image& image, const wchar_t* name) {
    const wchar_t* artifacts = _wgetenv(L"LUMIDOR_ARTIFACTS");
    if (artifacts == nullptr)
        return;
    std::error_code error;
    fs::create_directories(artifacts, error);
    WritePngFile(image, fs::path(artifacts) / name);
}

TEST(Win32Chart, BarsGridAndTextKeepTheirPlaces) {
    testing::TempFolder temp;
    App app;
    app.DataFolder = temp / L"Data" / L"";
    fs::create_directories(app.DataFolder / L"Weeks");
    fs::create_directories(app.DataFolder / L"Months");
    app.ChartImage = MakeImage(ChartImageWidth, ChartImageHeight);
    app.ExportImage = MakeImage(ExportImageWidth, ExportImageHeight);
    app.ChartFont = platform::LoadFont("Arial", 7);
    ASSERT_NE(app.ChartFont, nullptr);

    std::vector<std::uint8_t> week(31);
    const std::int32_t minutes[7] = {1440, 600, 60, 0, 720, 1000, 30};
    for (int i = 0; i < 7; ++i)
        StoreInt32(week.data() + 3 + 4 * i, minutes[i]);
    testing::WriteFileBytes(app.DataFolder / L"Weeks" / L"2011-5.dat", week);
    std::vector<std::uint8_t> year(50);
    const std::int32_t months[12] = {44640, 30000, 1440,  20000, 5000, 0,
                                     7000,  12000, 40059, 100,   1,    43200};
    for (int i = 0; i < 12; ++i)
        StoreInt32(year.data() + 2 + 4 * i, months[i]);
    testing::WriteFileBytes(app.DataFolder / L"Months" / L"2011.dat", year);

    DrawUsageChart(app.ChartImage, app, 0, "2011-5");
    KeepForALook(app.ChartImage, L"chart-week-win32.png");
    const Image& image = app.ChartImage;
    // Away from the labels (x < 40) and the axis text (rows 190 .. 209).
    const int heights[7] = {165, 69, 7, 0, 82, 110, 0};
    const int lefts[7] = {45, 90, 133, 177, 223, 265, 309};
    const int grid[13] = {0, 14, 28, 41, 55, 69, 82, 96, 110, 124, 138, 151, 165};
    int misses = 0;
    for (int y = 0; y < 220; ++y)
        for (int x = 40; x < 365; ++x) {
            if (y >= 190 && y < 210)
                continue;
            Rgb want = White;
            for (int offset : grid)
                if (y == 220 - offset - 40 && x <= 354)
                    want = Yellow;
            for (int i = 0; i < 7; ++i)
                if (x >= lefts[i] && x < lefts[i] + 8 && y >= 180 - heights[i] && y < 180)
                    want = Green;
            misses += PixelAt(image, x, y) == want ? 0 : 1;
        }
    EXPECT_EQ(misses, 0);
    int dark = 0;
    for (int y = 190; y < 210; ++y)
        for (int x = 40; x < 365; ++x)
            dark += PixelAt(image, x, y).red < 128 ? 1 : 0;
    EXPECT_GT(dark, 60) << "the axis text in the system font";

    DrawUsageChart(app.ExportImage, app, 1, "2011");
    platform::DrawTextOnImage(app.ExportImage, app.ChartFont, 2, 226, " Jahr: 2011 ", Black,
                              &White);
    KeepForALook(app.ExportImage, L"chart-year-win32.png");
    platform::ReleaseFont(app.ChartFont);
}

} // namespace
} // namespace lumidor
