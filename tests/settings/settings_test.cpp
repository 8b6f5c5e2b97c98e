// "Settings.ini": what a start reads into the limit fields and what a shutdown
// leaves on disk.
#include "settings/settings.h"

#include "core/control_numbers.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view StandardFile =
    "CalendarWeeksLimit = 8\r\nYearLimit = 4\r\nHistoryItemsLimit = 30\r\n";
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        fs::create_directory(temp / "Data");
        ASSERT_TRUE(platform::CreateMainWindow({}));
        for (int field :
             {control::WeekLimitField, control::YearLimitField, control::HistoryLimitField})
            ASSERT_TRUE(platform::CreateControl(
                {field, platform::ControlKind::SpinField, 3, 0, 0, 0, 0, ""}));
    }
    void TearDown() override { headless::Reset(); }

    // What a start does: the file's values into the three fields.
    Limits LoadIntoFields() {
        const Limits loaded = LoadSettings(dataFolder);
        platform::SetControlState(control::WeekLimitField, loaded.calendarWeeks);
        platform::SetControlState(control::YearLimitField, loaded.years);
        platform::SetControlState(control::HistoryLimitField, loaded.historyItems);
        return loaded;
    }
    static Limits Fields() {
        return {platform::ControlState(control::WeekLimitField),
                platform::ControlState(control::YearLimitField),
                platform::ControlState(control::HistoryLimitField)};
    }
    std::string FileText() const {
        const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(settingsFile);
        return {bytes.begin(), bytes.end()};
    }

    testing::TempFolder temp;
    const fs::path dataFolder = temp / "Data" / "";
    const fs::path settingsFile = temp / "Data" / "Settings.ini";
};

TEST_F(SettingsFile, FilesGiveTheseLimits) {
    struct FileCase {
        std::string_view name;
        std::optional<std::string> content; // nullopt: no file
        Limits loaded;                      // what LoadSettings gives
        Limits shown;                       // what the limit fields then hold
    };
    const FileCase cases[] = {
        {"missing", std::nullopt, {8, 4, 30}, {8, 4, 30}},
        {"empty", "", {8, 4, 30}, {8, 4, 30}},
        {"standard", std::string(StandardFile), {8, 4, 30}, {8, 4, 30}},
        {"lower case, no spaces", "yearlimit=12", {8, 12, 30}, {8, 12, 30}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "CalendarWeeksLimit = 9\r\nYearLimit = 5\r\nHistoryItemsLimit = 31\r\n",
         {9, 5, 31},
         {9, 5, 31}},
        {"inside a group", "[Einstellungen]\r\nCalendarWeeksLimit = 5\r\n", {8, 4, 30}, {8, 4, 30}},
        {"before a group",
         "YearLimit = 7\r\n[Einstellungen]\r\nYearLimit = 9\r\n",
         {8, 7, 30},
         {8, 7, 30}},
        {"comment", "; CalendarWeeksLimit = 5\r\n", {8, 4, 30}, {8, 4, 30}},
        {"text after the number", "CalendarWeeksLimit = 12 Wochen\r\n", {12, 4, 30}, {12, 4, 30}},
        {"nothing after the sign", "CalendarWeeksLimit =\r\n", {0, 4, 30}, {1, 4, 30}},
        {"letters only", "HistoryItemsLimit = viele\r\n", {8, 4, 0}, {8, 4, 1}},
        {"above the range", "CalendarWeeksLimit = 250\r\n", {250, 4, 30}, {100, 4, 30}},
        {"negative", "YearLimit = -3\r\n", {8, -3, 30}, {8, 1, 30}},
        {"explicit plus", "YearLimit = +6\r\n", {8, 6, 30}, {8, 6, 30}},
        {"first line counts",
         "CalendarWeeksLimit = 5\r\nCalendarWeeksLimit = 6\r\n",
         {5, 4, 30},
         {5, 4, 30}},
        {"beyond 32 bits",
         "CalendarWeeksLimit = 99999999999\r\nYearLimit = -99999999999\r\n",
         {Int32Max, Int32Min, 30},
         {100, 1, 30}},
        {"leading blanks and tabs", "  \tHistoryItemsLimit\t =\t 44  \r\n", {8, 4, 44}, {8, 4, 44}},
        {"a further equals sign", "YearLimit = =5\r\n", {8, 0, 30}, {8, 1, 30}},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(settingsFile);
        if (c.content)
            testing::WriteFileText(settingsFile, *c.content);
        EXPECT_EQ(LoadIntoFields(), c.loaded);
        EXPECT_EQ(Fields(), c.shown);
        EXPECT_EQ(fs::exists(settingsFile), c.content.has_value()) << "loading never writes";
        if (c.content) {
            EXPECT_EQ(FileText(), *c.content) << "loading never writes";
        }
    }
}

TEST_F(SettingsFile, LineEndsOfEveryKindReadTheSame) {
    for (std::string_view end : {"\r\n", "\n", "\r", "\n\r", "\r\n\r\n"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(end)));
        const std::string e(end);
        testing::WriteFileText(settingsFile, "CalendarWeeksLimit = 11" + e + "No equals sign" + e +
                                                 "YearLimit = 22" + e + "HistoryItemsLimit = 33");
        EXPECT_EQ(LoadSettings(dataFolder), (Limits{11, 22, 33}));
    }
}

TEST_F(SettingsFile, TheDefaultsSaveAsTheSixtyThreeByteStandardFile) {
    SaveSettings(dataFolder, Limits{});
    EXPECT_EQ(FileText(), StandardFile);
    EXPECT_EQ(FileText().size(), 63u);
    EXPECT_FALSE(fs::exists(temp / "Data" / "Settings.ini.new"));
}

TEST_F(SettingsFile, ASaveLeavesOnlyTheThreeStandardLines) {
    testing::WriteFileText(settingsFile,
                           "; mine\r\nyearlimit=12\r\nOther = 1\r\n[Gruppe]\r\nX=2\r\n");
    LoadIntoFields();
    SaveSettings(dataFolder, Fields());
    EXPECT_EQ(FileText(), "CalendarWeeksLimit = 8\r\nYearLimit = 12\r\nHistoryItemsLimit = 30\r\n");

    SaveSettings(dataFolder, {100, 1, -7});
    EXPECT_EQ(FileText(),
              "CalendarWeeksLimit = 100\r\nYearLimit = 1\r\nHistoryItemsLimit = -7\r\n");
}

TEST_F(SettingsFile, AFailedSaveLeavesTheOldFileWhole) {
    const std::string mine =
        "CalendarWeeksLimit = 52\r\nYearLimit = 10\r\nHistoryItemsLimit = 99\r\n";

    // Another process reads the file: the rename over it fails.
    testing::WriteFileText(settingsFile, mine);
    ASSERT_TRUE(headless::HoldFile(settingsFile, false));
    SaveSettings(dataFolder, Limits{});
    headless::ReleaseHeldFiles();
    EXPECT_EQ(FileText(), mine);

    // The disk fills part-way through the write.
    headless::SetWriteBudget(20);
    SaveSettings(dataFolder, Limits{});
    headless::SetWriteBudget(-1);
    EXPECT_EQ(FileText(), mine);
    EXPECT_FALSE(fs::exists(temp / "Data" / "Settings.ini.new"));
    EXPECT_EQ(LoadSettings(dataFolder), (Limits{52, 10, 99}));

    // No data folder at all: nothing is created.
    SaveSettings(temp / "Gone" / "", Limits{});
    EXPECT_FALSE(fs::exists(temp / "Gone"));
}

} // namespace
} // namespace lumidor
