// The period selector and the export lists, built from the usage folders.
#include "core/control_numbers.h"
#include "platform/toolkit.h"
#include "reports/period_list.h"
#include "tests/reports/reports_fixture.h"
#include "tests/support/headless_support.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

TEST(PeriodTexts, DropFourCharactersSkipDotEntriesAndSortByBytes) {
    struct Case {
        std::vector<std::string> names;
        Texts texts;
    };
    const Case cases[] = {
        {{".", "..", "2011-1.dat", "2011-2.dat", "2011-10.dat", "2010-52.dat"},
         {"2010-52", "2011-1", "2011-10", "2011-2"}},
        {{"2011.dat", "2010.dat"}, {"2010", "2011"}},
        // Any other name is listed, whatever the name or kind.
        {{"notes.txt", "abc", ".dat", "x", "...", "2011-42.dat.bak"},
         {"", "", "", "", "2011-42.dat", "notes"}},
        // Upper case before lower case, and UTF-8 after ASCII (unsigned bytes).
        {{"b.dat", "B.dat", "\xC3\xA4.dat", "z.dat"}, {"B", "b", "z", "\xC3\xA4"}},
        // Four characters, not four bytes.
        {{"M\xC3\xA4rz\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"}, {"M\xC3\xA4rz"}},
        // A usage file's sibling that a crash left half written is no period.
        {{"2011-42.dat", "2011-42.dat.new", "2011.dat.new", "x.new"}, {"2011-42", "x"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::vector<platform::FolderEntry> entries;
        for (const std::string& name : c.names)
            entries.push_back({name, false});
        EXPECT_EQ(PeriodTextsOf(entries), c.texts) << ::testing::PrintToString(c.names);
    }
}

TEST(CurrentPeriod, NamesTheCurrentUsageFiles) {
    struct Case {
        DateValue now;
        int view;
        std::string text;
    };
    const Case cases[] = {
        {DateFromFields(2011, 10, 19, 8, 15, 0), 0, "2011-42"},
        {DateFromFields(2011, 10, 19, 8, 15, 0), 1, "2011"},
        {DateFromFields(2011, 3, 7, 0, 0, 0), 0, "2011-10"},
        {DateFromFields(2011, 3, 1, 23, 59, 59), 0, "2011-9"},
        // Early January in the previous year's last week keeps the new year.
        {DateFromFields(2011, 1, 1, 12, 0, 0), 0, "2011-52"},
        {DateFromFields(2016, 1, 1, 0, 0, 0), 0, "2016-53"},
        // Late December in next year's first week keeps its own year.
        {DateFromFields(2014, 12, 29, 9, 0, 0), 0, "2014-1"},
        {DateFromFields(2014, 12, 29, 9, 0, 0), 1, "2014"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CurrentPeriodText(c.view, c.now), c.text) << c.now << " view " << c.view;
}

class PeriodList : public testing::ReportsTest {};

TEST_F(PeriodList, SelectorListsTheWeeksAndSelectsTheCurrentOne) {
    testing::SetNow(DateFromFields(2011, 10, 19, 8, 15, 0));
    for (const char* name : {"2011-42", "2011-9", "2010-52", "2011-41"})
        WriteWeek(name, {});
    FillPeriodList(app, 0, control::PeriodSelector);
    EXPECT_EQ(Items(control::PeriodSelector), (Texts{"2010-52", "2011-41", "2011-42", "2011-9"}));
    EXPECT_EQ(platform::ControlState(control::PeriodSelector), 2);
    EXPECT_EQ(platform::ControlText(control::PeriodSelector), "2011-42");

    // Viewing mode in a week without a file yet: the others, none selected.
    fs::remove(Weeks() / "2011-42.dat");
    FillPeriodList(app, 0, control::PeriodSelector);
    EXPECT_EQ(Items(control::PeriodSelector), (Texts{"2010-52", "2011-41", "2011-9"}));
    EXPECT_EQ(platform::ControlState(control::PeriodSelector), -1);
    EXPECT_EQ(platform::ControlText(control::PeriodSelector), "");
}

TEST_F(PeriodList, SelectorListsTheYearsInTheYearView) {
    testing::SetNow(DateFromFields(2011, 6, 1, 12, 0, 0));
    WriteYear("2011", {});
    WriteYear("2010", {});
    WriteWeek("2011-22", {});
    FillPeriodList(app, 1, control::PeriodSelector);
    EXPECT_EQ(Items(control::PeriodSelector), (Texts{"2010", "2011"}));
    EXPECT_EQ(platform::ControlText(control::PeriodSelector), "2011");
}

TEST_F(PeriodList, EveryEntryOfTheFolderBecomesAnItem) {
    testing::SetNow(DateFromFields(2011, 6, 1, 12, 0, 0));
    testing::WriteFileText(Weeks() / "notes.txt", "x");
    fs::create_directory(Weeks() / "abc");
    WriteWeek("2011-22", {});
    FillPeriodList(app, 0, control::WeekExportList);
    EXPECT_EQ(Items(control::WeekExportList), (Texts{"", "2011-22", "notes"}));
}

TEST_F(PeriodList, EmptyOrMissingFolderGivesAnEmptyListWithoutSelection) {
    testing::SetNow(DateFromFields(2011, 6, 1, 12, 0, 0));
    WriteWeek("2011-22", {});
    FillPeriodList(app, 0, control::PeriodSelector);
    ASSERT_EQ(platform::ControlState(control::PeriodSelector), 0);

    fs::remove(Weeks() / "2011-22.dat");
    FillPeriodList(app, 0, control::PeriodSelector);
    EXPECT_EQ(platform::ItemCount(control::PeriodSelector), 0);
    EXPECT_EQ(platform::ControlState(control::PeriodSelector), -1);

    fs::remove_all(Months());
    FillPeriodList(app, 1, control::PeriodSelector);
    EXPECT_EQ(platform::ItemCount(control::PeriodSelector), 0);
    EXPECT_EQ(platform::ControlText(control::PeriodSelector), "");
}

TEST_F(PeriodList, ExportListsAreRebuiltAndLoseTheirCheckMarks) {
    testing::SetNow(DateFromFields(2011, 6, 1, 12, 0, 0));
    WriteWeek("2011-22", {});
    WriteYear("2011", {});
    FillPeriodList(app, 0, control::WeekExportList);
    FillPeriodList(app, 1, control::YearExportList);
    headless::SetItemChecked(control::WeekExportList, 0, true);
    headless::SetItemChecked(control::YearExportList, 0, true);

    // A file written in between shows up on the next opening of the tab.
    WriteWeek("2011-21", {});
    FillPeriodList(app, 0, control::WeekExportList);
    FillPeriodList(app, 1, control::YearExportList);
    EXPECT_EQ(Items(control::WeekExportList), (Texts{"2011-21", "2011-22"}));
    EXPECT_EQ(Items(control::YearExportList), (Texts{"2011"}));
    for (int item = 0; item < 2; ++item)
        EXPECT_FALSE(platform::IsItemChecked(control::WeekExportList, item));
    EXPECT_FALSE(platform::IsItemChecked(control::YearExportList, 0));
}

} // namespace
} // namespace lumidor
