// Retention of usage files at shutdown: the oldest usage files beyond the limits
// go, everything else in "Weeks" and "Months" stays.
#include "core/data_folder.h"
#include "platform/headless/headless.h"
#include "recording/retention.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// "name/" stands for a subfolder.
void CreateEntries(const fs::path& folder, const Names& names) {
    for (const std::string& name : names) {
        if (name.ends_with("/"))
            fs::create_directory(folder / name.substr(0, name.size() - 1));
        else
            testing::WriteFileText(folder / name, "x");
    }
}

Names EntriesOf(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

Names WeekFiles(int year, int firstWeek, int lastWeek) {
    Names names;
    for (int week = firstWeek; week <= lastWeek; ++week)
        names.push_back(std::to_string(year) + "-" + std::to_string(week) + ".dat");
    return names;
}

Names operator+(Names a, const Names& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct PruneCase {
    const char* name;
    Names weeks;
    Names months;
    std::int32_t weekLimit;
    std::int32_t yearLimit;
    Names weeksLeft;
    Names monthsLeft;
};

class Retention : public ::testing::Test {
  protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { headless::Reset(); }

    testing::TempFolder temp;
    const fs::path data = temp / "Data" / "";
};

TEST_F(Retention, DeletesTheOldestUsageFilesBeyondTheLimitsAndNothingElse) {
    const Names foreignWeeks = {"Thumbs.db",   "2011-09.dat", "2011-9.DAT",   "02011-9.dat",
                                "2011-54.dat", "2011-0.dat",  "1969-5.dat",   "2011-9.dat.bak",
                                "2011.dat",    "-2011-9.dat", "2011-9-1.dat", "2009-1.dat/",
                                "Alt/"};
    const Names foreignMonths = {"2011-9.dat", "11.dat",      "02011.dat",
                                 "2039.dat",   "desktop.ini", "2000.dat/"};
    const PruneCase cases[] = {
        {"five week files, limit 8", WeekFiles(2011, 1, 5), {}, 8, 4, WeekFiles(2011, 1, 5), {}},
        {"eight week files, limit 8", WeekFiles(2011, 1, 8), {}, 8, 4, WeekFiles(2011, 1, 8), {}},
        {"weeks 1 to 10, limit 8: week 10 is the newest",
         WeekFiles(2011, 1, 10),
         {},
         8,
         4,
         WeekFiles(2011, 3, 10),
         {}},
        {"across New Year, limit 4",
         WeekFiles(2010, 50, 52) + WeekFiles(2011, 1, 3),
         {},
         4,
         4,
         Names{"2010-52.dat"} + WeekFiles(2011, 1, 3),
         {}},
        {"years 2008 to 2012, limit 4",
         {},
         {"2008.dat", "2009.dat", "2010.dat", "2011.dat", "2012.dat"},
         8,
         4,
         {},
         {"2009.dat", "2010.dat", "2011.dat", "2012.dat"}},
        {"weeks 9 and 10 of two years, limit 3",
         {"2010-10.dat", "2010-9.dat", "2011-10.dat", "2011-9.dat"},
         {},
         3,
         4,
         {"2010-10.dat", "2011-10.dat", "2011-9.dat"},
         {}},
        {"foreign files and subfolders neither count nor go", foreignWeeks + WeekFiles(2011, 1, 9),
         foreignMonths + Names{"2010.dat", "2011.dat"}, 8, 1, foreignWeeks + WeekFiles(2011, 2, 9),
         foreignMonths + Names{"2011.dat"}},
        {"limit 0 deletes every usage file", foreignWeeks + WeekFiles(2011, 40, 42),
         foreignMonths + Names{"2011.dat"}, 0, 0, foreignWeeks, foreignMonths},
        {"a limit below 0 counts as 0",
         WeekFiles(2011, 40, 42),
         {"2011.dat"},
         -1,
         -2147483647 - 1,
         {},
         {}},
        {"a write cut off by a crash leaves a sibling that goes; other names stay",
         {"2011-42.dat", "2011-42.dat.new", "notes.new", "2011-42.new"},
         {"2011.dat.new", "2011.dat"},
         8,
         4,
         {"2011-42.dat", "2011-42.new", "notes.new"},
         {"2011.dat"}},
        {"folders that are empty", {}, {}, 8, 4, {}, {}},
    };
    for (const PruneCase& c : cases) {
        fs::remove_all(temp / "Data");
        CreateDataFolders(data);
        CreateEntries(data / "Weeks", c.weeks);
        CreateEntries(data / "Months", c.months);
        PruneUsageFiles(data, c.weekLimit, c.yearLimit);
        EXPECT_EQ(EntriesOf(data / "Weeks"), Sorted(c.weeksLeft)) << c.name;
        EXPECT_EQ(EntriesOf(data / "Months"), Sorted(c.monthsLeft)) << c.name;
    }
}

TEST_F(Retention, AMissingWeeksFolderStillPrunesTheYears) {
    fs::create_directories(data / "Months");
    CreateEntries(data / "Months", {"2010.dat", "2011.dat"});
    PruneUsageFiles(data, 0, 1);
    EXPECT_EQ(EntriesOf(data / "Months"), (Names{"2011.dat"}));
    EXPECT_FALSE(fs::exists(data / "Weeks"));
}

TEST_F(Retention, AFileThatCannotBeDeletedStillCountsAsGone) {
    CreateDataFolders(data);
    CreateEntries(data / "Weeks", WeekFiles(2011, 1, 5));
    ASSERT_TRUE(headless::HoldFile(data / "Weeks" / "2011-1.dat", false));
    PruneUsageFiles(data, 3, 4);
    headless::ReleaseHeldFiles();
    EXPECT_EQ(EntriesOf(data / "Weeks"), Sorted(Names{"2011-1.dat"} + WeekFiles(2011, 3, 5)))
        << "no newer week is deleted in its place";
}

} // namespace
} // namespace lumidor
