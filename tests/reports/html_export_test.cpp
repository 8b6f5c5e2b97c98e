// The export button from the chooser to the closing message, on real files.
#include "core/control_numbers.h"
#include "platform/toolkit.h"
#include "reports/html_document.h"
#include "reports/html_export.h"
#include "reports/period_list.h"
#include "reports/usage_chart.h"
#include "tests/reports/png_test_support.h"
#include "tests/reports/reports_fixture.h"
#include "tests/support/headless_support.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

const std::string WeeksTitle =
    "<br><br><span class=\"titles\"><big><big>Diagramme der Tage</big></big></span><br><br>\r\n";
const std::string YearsTitle =
    "<br><br><span class=\"titles\"><big><big>Diagramme der Monate</big></big></span><br><br>\r\n";
const std::string HistoryHead =
    "<br><br><span class=\"titles\"><big><big>Verlauf</big></big></span><br><br>\r\n"
    "<table border=\"0\" cellpadding=\"1\" cellspacing=\"1\"><tbody>\r\n"
    "<tr>\r\n"
    "<td style=\"width: 338px; font-weight: bold;\">PC eingeschaltet</td>\r\n"
    "<td style=\"width: 338px; font-weight: bold;\">PC ausgeschaltet</td>\r\n"
    "</tr>\r\n";
const std::string HistoryEnd = "</tbody></table>\r\n";
const std::string End = "</body></html>\r\n";

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class HtmlExport : public testing::ReportsTest {
  protected:
    void SetUp() override {
        testing::ReportsTest::SetUp();
        testing::SetNow(DateFromFields(2011, 2, 9, 12, 0, 0));
        fs::create_directories(exportFolder);
    }

    void FillExportLists() {
        FillPeriodList(app, 0, control::WeekExportList);
        FillPeriodList(app, 1, control::YearExportList);
    }
    void Tick(int control, const std::string& text) {
        const std::vector<std::string> items = Items(control);
        const auto found = std::find(items.begin(), items.end(), text);
        ASSERT_NE(found, items.end()) << text;
        headless::SetItemChecked(control, static_cast<int>(found - items.begin()), true);
    }
    void WriteHistory(const std::vector<HistoryRecord>& records) {
        std::vector<std::uint8_t> bytes;
        for (const HistoryRecord& record : records) {
            const auto encoded = EncodeHistoryRecord(record);
            bytes.insert(bytes.end(), encoded.begin(), encoded.end());
        }
        testing::WriteFileBytes(app.DataFolder / "History.dat", bytes);
    }
    void IncludeHistory() { platform::SetControlState(control::IncludeHistoryCheckbox, 1); }
    void Export() {
        headless::QueueChosenFolder(exportFolder);
        ExportHtml(app);
    }
    std::string Document() const { return Text(testing::ReadFileBytes(DocumentFile())); }
    fs::path DocumentFile() const { return exportFolder / "Lumidor Export.html"; }
    fs::path Png(const std::string& name) const {
        return exportFolder / "Images" / (name + ".png");
    }

    // The last message box shown, and that it is the count-th of the test.
    void ExpectMessage(std::size_t count, std::string_view text, platform::MessageIcon icon) {
        const auto& messages = headless::ShownMessages();
        ASSERT_EQ(messages.size(), count);
        EXPECT_EQ(messages.back().title, "Lumidor");
        EXPECT_EQ(messages.back().text, text);
        EXPECT_EQ(messages.back().icon, icon);
        EXPECT_EQ(messages.back().buttons, platform::MessageButtons::Ok);
    }
    void ExpectOnlyMessage(std::string_view text, platform::MessageIcon icon) {
        ExpectMessage(1, text, icon);
    }

    fs::path exportFolder = temp / "Export mit Ümlaut";
};

TEST_F(HtmlExport, OneWeekAloneGivesItsChartAndTheDaysSection) {
    WriteWeek("2011-5", {1440, 600, 60, 0, 720, 1000, 30});
    WriteWeek("2011-6", {60, 60, 60, 60, 60, 60, 60});
    WriteYear("2011", {});
    WriteHistory({{DateFromFields(2011, 1, 3, 8, 15, 0), DateFromFields(2011, 1, 3, 17, 30, 5)}});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    Export();

    ASSERT_EQ(headless::FolderChooserCalls().size(), 1u);
    EXPECT_EQ(headless::FolderChooserCalls()[0].caption, "Exportiere HTML-Datei");
    EXPECT_EQ(headless::FolderChooserCalls()[0].initialSelection, fs::path("Lumidor Export"));
    ExpectOnlyMessage("Daten wurden exportiert!", platform::MessageIcon::Information);
    EXPECT_EQ(Document(), std::string(ExportHeadBlock()) + WeeksTitle +
                              "<img src=\"Images/2011-5.png\" border=\"1\">\r\n\r\n" + End);
    std::vector<std::string> images;
    for (const auto& entry : fs::directory_iterator(exportFolder / "Images"))
        images.push_back(entry.path().filename().string());
    EXPECT_EQ(images, std::vector<std::string>{"2011-5.png"});
    EXPECT_TRUE(platform::IsItemChecked(control::WeekExportList, 0)) << "ticks stay";
}

TEST_F(HtmlExport, TheWeekChartIsTheChartTwentyRowsLowerWithItsCaption) {
    WriteWeek("2011-5", {1440, 600, 60, 0, 720, 1000, 30});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    Export();

    const auto png = testing::CheckedPngPixels(testing::ReadFileBytes(Png("2011-5")));
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->pixels, app.ExportImage.pixels) << "the export image keeps the last chart";
    DrawUsageChart(app.ChartImage, app, 0, "2011-5");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 365; ++x)
            ASSERT_EQ(PixelAt(*png, x, y), White) << x << ", " << y;
    for (int y = 0; y < 206; ++y)
        for (int x = 0; x < 365; ++x)
            ASSERT_EQ(PixelAt(*png, x, y + 20), PixelAt(app.ChartImage, x, y)) << x << ", " << y;

    // " Woche: 2011-5 " at (2, 226), black on its white cell, nothing else below the axis.
    int dark = 0;
    for (int y = 226; y < 240; ++y)
        for (int x = 0; x < 365; ++x) {
            const Rgb pixel = PixelAt(*png, x, y);
            ASSERT_TRUE(pixel.red == pixel.green && pixel.green == pixel.blue) << x << ", " << y;
            if (pixel.red < 128) {
                ++dark;
                EXPECT_TRUE(x >= 2 && x < 100 && y < 236) << x << ", " << y;
            }
        }
    EXPECT_GT(dark, 40);
}

TEST_F(HtmlExport, TheCaptionCellIsFilledWhiteOverWhatLiesBelow) {
    WriteWeek("2011-5", {});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    // Whatever the image held before is covered by the white chart, then the
    // caption cell is filled again before its glyphs.
    FillBox(app.ExportImage, 0, 0, 365, 240, Green);
    Export();
    for (int y = 220; y < 240; ++y)
        for (int x = 0; x < 365; ++x)
            ASSERT_NE(PixelAt(app.ExportImage, x, y), Green);
}

TEST_F(HtmlExport, HistoryAloneGivesTheTableAndAnEmptyImagesFolder) {
    WriteWeek("2011-5", {60});
    WriteHistory({{DateFromFields(2011, 1, 3, 8, 15, 0), DateFromFields(2011, 1, 3, 17, 30, 5)},
                  {DateFromFields(2011, 1, 4, 23, 0, 0), DateFromFields(2011, 1, 5, 1, 2, 3)}});
    FillExportLists();
    IncludeHistory();
    Export();

    ExpectOnlyMessage("Daten wurden exportiert!", platform::MessageIcon::Information);
    EXPECT_EQ(Document(), std::string(ExportHeadBlock()) + HistoryHead +
                              "<tr><td>Montag, 03.01.2011 - 08:15:00</td><td>Montag, 03.01.2011 - "
                              "17:30:05</td></tr>\r\n"
                              "<tr><td>Dienstag, 04.01.2011 - 23:00:00</td><td>Mittwoch, "
                              "05.01.2011 - 01:02:03</td></tr>\r\n" +
                              HistoryEnd + End);
    EXPECT_TRUE(fs::is_directory(exportFolder / "Images"));
    EXPECT_TRUE(fs::is_empty(exportFolder / "Images"));
}

TEST_F(HtmlExport, AWeekAndAYearOfTheSameYearGiveTwoFiles) {
    WriteWeek("2011-5", {1440});
    WriteWeek("2010-52", {60});
    WriteYear("2011", {44640});
    WriteYear("2010", {1440});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    Tick(control::WeekExportList, "2010-52");
    Tick(control::YearExportList, "2011");
    Export();

    EXPECT_EQ(Document(), std::string(ExportHeadBlock()) + WeeksTitle +
                              "<img src=\"Images/2010-52.png\" border=\"1\">\r\n"
                              "<img src=\"Images/2011-5.png\" border=\"1\">\r\n\r\n" +
                              YearsTitle + "<img src=\"Images/2011.png\" border=\"1\">\r\n\r\n" +
                              End);
    const auto week = testing::CheckedPngPixels(testing::ReadFileBytes(Png("2011-5")));
    const auto year = testing::CheckedPngPixels(testing::ReadFileBytes(Png("2011")));
    ASSERT_TRUE(week && year);
    EXPECT_TRUE(fs::exists(Png("2010-52")));
    // Each chart is its own view: Monday's bar in the week, January's in the year.
    EXPECT_EQ(PixelAt(*week, 45, 100), Green);
    EXPECT_EQ(PixelAt(*week, 38, 100), White);
    EXPECT_EQ(PixelAt(*year, 38, 100), Green);
    EXPECT_EQ(PixelAt(*year, 45, 100), Green);
    EXPECT_EQ(PixelAt(*year, 64, 100), White);
}

TEST_F(HtmlExport, NothingToExportWarnsAndWritesNoDocument) {
    WriteWeek("2011-5", {60});
    FillExportLists();
    struct Case {
        bool includeHistory;
        std::optional<std::vector<std::uint8_t>> history;
    };
    const Case cases[] = {
        {false, std::nullopt},
        {false, std::vector<std::uint8_t>(16, 1)},
        {true, std::nullopt},
        {true, std::vector<std::uint8_t>{}},
        {true, std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7}},
    };
    std::size_t shown = 0;
    for (const Case& c : cases) {
        fs::remove(app.DataFolder / "History.dat");
        if (c.history)
            testing::WriteFileBytes(app.DataFolder / "History.dat", *c.history);
        platform::SetControlState(control::IncludeHistoryCheckbox, c.includeHistory ? 1 : 0);
        Export();
        ExpectMessage(++shown, "Keine Daten zum exportieren gewählt!",
                      platform::MessageIcon::Warning);
        EXPECT_FALSE(fs::exists(DocumentFile()));
        EXPECT_TRUE(fs::is_directory(exportFolder / "Images"));
    }
}

TEST_F(HtmlExport, CancelledChooserEndsSilently) {
    WriteWeek("2011-5", {60});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    headless::QueueChosenFolder({});
    ExportHtml(app);
    EXPECT_EQ(headless::FolderChooserCalls().size(), 1u);
    EXPECT_TRUE(headless::ShownMessages().empty());
    EXPECT_TRUE(fs::is_empty(exportFolder));
}

TEST_F(HtmlExport, ADocumentThatCannotBeWrittenIsReportedAndTheOldOneKept) {
    WriteWeek("2011-5", {60});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    testing::WriteFileText(DocumentFile(), "earlier export");

    // Held open by a browser as Windows would refuse to replace it.
    ASSERT_TRUE(headless::HoldFile(DocumentFile(), false));
    Export();
    ExpectOnlyMessage("Daten konnten nicht exportiert werden!", platform::MessageIcon::Error);
    EXPECT_EQ(Document(), "earlier export");
    EXPECT_TRUE(fs::exists(Png("2011-5"))) << "the images already written stay";
    headless::ReleaseHeldFiles();

    // A disk that fills up while the document is written: not a success.
    const auto chartSize = static_cast<long long>(fs::file_size(Png("2011-5")));
    fs::remove(Png("2011-5"));
    headless::SetWriteBudget(chartSize + 100);
    Export();
    headless::SetWriteBudget(-1);
    ExpectMessage(2, "Daten konnten nicht exportiert werden!", platform::MessageIcon::Error);
    EXPECT_EQ(Document(), "earlier export");
    EXPECT_TRUE(fs::exists(Png("2011-5")));
    EXPECT_FALSE(fs::exists(exportFolder / "Lumidor Export.html.new"));
}

TEST_F(HtmlExport, ImagesThatCannotBeWrittenAreLeftOutButStillNamed) {
    WriteWeek("2011-5", {60});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    testing::WriteFileText(exportFolder / "Images", "a file where the folder belongs");
    Export();
    ExpectOnlyMessage("Daten wurden exportiert!", platform::MessageIcon::Information);
    EXPECT_EQ(Document(), std::string(ExportHeadBlock()) + WeeksTitle +
                              "<img src=\"Images/2011-5.png\" border=\"1\">\r\n\r\n" + End);
}

TEST_F(HtmlExport, ExportingAgainReplacesDocumentAndCharts) {
    WriteWeek("2011-5", {60});
    WriteWeek("2011-6", {60});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    Tick(control::WeekExportList, "2011-6");
    Export();
    const auto firstChart = testing::ReadFileBytes(Png("2011-5"));
    const auto untouched = testing::ReadFileBytes(Png("2011-6"));

    WriteWeek("2011-5", {1440, 1440});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    Export();
    EXPECT_NE(testing::ReadFileBytes(Png("2011-5")), firstChart);
    EXPECT_EQ(testing::ReadFileBytes(Png("2011-6")), untouched) << "earlier files stay";
    EXPECT_EQ(Document(), std::string(ExportHeadBlock()) + WeeksTitle +
                              "<img src=\"Images/2011-5.png\" border=\"1\">\r\n\r\n" + End);
    EXPECT_EQ(headless::ShownMessages().size(), 2u);
}

TEST_F(HtmlExport, AnyFileNameGivesAValidDocumentAndItsOwnImage) {
    for (const char* name : {"<b>&\"x\"", "M\xC3\xA4rz", "bad\xFF", "abc"})
        testing::WriteFileText(Weeks() / (std::string(name) + ".dat"), "");
    fs::create_directory(Weeks() / "abc");
    FillExportLists();
    ASSERT_EQ(Items(control::WeekExportList),
              (std::vector<std::string>{"", "<b>&\"x\"", "M\xC3\xA4rz", "abc", "bad\xFF"}));
    for (int item = 0; item < 5; ++item)
        headless::SetItemChecked(control::WeekExportList, item, true);
    Export();

    EXPECT_EQ(Document(),
              std::string(ExportHeadBlock()) + WeeksTitle +
                  "<img src=\"Images/.png\" border=\"1\">\r\n"
                  "<img src=\"Images/&lt;b&gt;&amp;&quot;x&quot;.png\" border=\"1\">\r\n"
                  "<img src=\"Images/M&#228;rz.png\" border=\"1\">\r\n"
                  "<img src=\"Images/abc.png\" border=\"1\">\r\n"
                  "<img src=\"Images/bad&#65533;.png\" border=\"1\">\r\n\r\n" +
                  End);
    for (const char* name : {"", "<b>&\"x\"", "M\xC3\xA4rz", "abc", "bad\xFF"})
        EXPECT_TRUE(fs::exists(Png(name))) << name;
    for (char byte : Document())
        EXPECT_TRUE(static_cast<unsigned char>(byte) < 0x80) << "ASCII only";
}

TEST_F(HtmlExport, APeriodWhoseFileVanishedExportsTheEmptyChart) {
    WriteWeek("2011-5", {1440, 1440, 1440, 1440, 1440, 1440, 1440});
    FillExportLists();
    Tick(control::WeekExportList, "2011-5");
    fs::remove(Weeks() / "2011-5.dat");
    Export();
    const auto png = testing::CheckedPngPixels(testing::ReadFileBytes(Png("2011-5")));
    ASSERT_TRUE(png.has_value());
    for (std::size_t i = 0; i < png->pixels.size(); i += 3)
        ASSERT_NE(PixelAt(*png, int(i / 3 % 365), int(i / 3 / 365)), Green);
    EXPECT_NE(Document().find("Images/2011-5.png"), std::string::npos);
}

TEST_F(HtmlExport, HistoryRowsComeFromWholeRecordsOnly) {
    WriteHistory(
        {{DateFromFields(2011, 1, 3, 8, 15, 0), DateFromFields(2011, 1, 3, 17, 30, 5)}, {-5, 0}});
    std::vector<std::uint8_t> bytes = testing::ReadFileBytes(app.DataFolder / "History.dat");
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    testing::WriteFileBytes(app.DataFolder / "History.dat", bytes);
    EXPECT_EQ(HistoryRowsHtml(app.DataFolder),
              "<tr><td>Montag, 03.01.2011 - 08:15:00</td><td>Montag, 03.01.2011 - "
              "17:30:05</td></tr>\r\n"
              "<tr><td>Sonntag, 00.00.0000 - 00:00:00</td><td>Donnerstag, 01.01.1970 - "
              "00:00:00</td></tr>\r\n");

    // Many records, read in pieces of any size.
    std::vector<HistoryRecord> many;
    for (int i = 0; i < 10000; ++i)
        many.push_back({1300000000 + i * 3600, 1300000000 + i * 3600 + 1800});
    WriteHistory(many);
    const std::string rows = HistoryRowsHtml(app.DataFolder);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 10000);
    EXPECT_EQ(rows.substr(rows.size() - ExportHistoryRow(many.back()).size()),
              ExportHistoryRow(many.back()));
    EXPECT_EQ(HistoryRowsHtml(temp / "nowhere" / ""), "");
}

} // namespace
} // namespace lumidor
