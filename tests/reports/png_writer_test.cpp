// PNG files of exactly the agreed form, read back by hand and by libpng.
#include "reports/png_writer.h"
#include "reports/usage_chart.h"
#include "tests/reports/png_test_support.h"
#include "tests/reports/reports_fixture.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

class PngWriter : public testing::ReportsTest {};

TEST_F(PngWriter, WritesTruecolourUnfilteredAtLevelNineWithNoOtherChunks) {
    WriteWeek("2011-5", {1440, 600, 60, 0, 720, 1000, 30});
    DrawUsageChart(app.ExportImage, app, 0, "2011-5");
    // Pixels of every value, so no row happens to compress into one form.
    for (int x = 0; x < 256; ++x)
        SetPixel(app.ExportImage, x + 50, 5,
                 {std::uint8_t(x), std::uint8_t(255 - x), std::uint8_t(x * 7)});

    const auto bytes = EncodePng(app.ExportImage);
    ASSERT_TRUE(bytes.has_value());
    const auto checked = testing::CheckedPngPixels(*bytes);
    ASSERT_TRUE(checked.has_value());
    EXPECT_EQ(checked->width, 365);
    EXPECT_EQ(checked->height, 240);
    EXPECT_EQ(checked->pixels, app.ExportImage.pixels);

    const auto decoded = testing::PngPixelsByLibpng(*bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->pixels, app.ExportImage.pixels);
    EXPECT_EQ(EncodePng(app.ExportImage), bytes) << "the same image gives the same bytes";
}

TEST_F(PngWriter, FileReplacesAnOldOneWholeAndReportsFailure) {
    const fs::path file = temp / "2011-5.png";
    testing::WriteFileText(file, "old and much longer than nothing");
    FillBox(app.ExportImage, 0, 0, 365, 240, White);
    ASSERT_TRUE(WritePngFile(app.ExportImage, file));
    EXPECT_EQ(testing::ReadFileBytes(file), EncodePng(app.ExportImage));
    EXPECT_FALSE(fs::exists(temp / "2011-5.png.new"));

    EXPECT_FALSE(WritePngFile(app.ExportImage, temp / "missing" / "2011-5.png"));
    EXPECT_FALSE(WritePngFile(Image{}, temp / "empty.png"));
    EXPECT_FALSE(fs::exists(temp / "empty.png"));
    // libpng refuses a row this wide; its error comes back as a failure.
    EXPECT_FALSE(WritePngFile(MakeImage(1000001, 1), temp / "wide.png"));
    EXPECT_FALSE(fs::exists(temp / "wide.png"));

    // A full disk keeps the old file as it was.
    const std::vector<std::uint8_t> before = testing::ReadFileBytes(file);
    SetPixel(app.ExportImage, 3, 3, Green);
    headless::SetWriteBudget(100);
    EXPECT_FALSE(WritePngFile(app.ExportImage, file));
    headless::SetWriteBudget(-1);
    EXPECT_EQ(testing::ReadFileBytes(file), before);
}

} // namespace
} // namespace lumidor
