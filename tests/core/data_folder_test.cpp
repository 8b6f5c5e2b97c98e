#include "core/data_folder.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

TEST(DataFolder, LiesBesideTheProgramFileWithATrailingSeparator) {
    testing::TempFolder temp;
    const fs::path program = temp / "Mit Leerzeichen" / "Lumidor.exe";
    const fs::path data = DataFolderFor(program);
    EXPECT_EQ(data, temp / "Mit Leerzeichen" / "Data" / "");
    EXPECT_EQ(data.filename(), fs::path());
    EXPECT_EQ(ProgramFolderOf(program), temp / "Mit Leerzeichen" / "");
}

TEST(DataFolder, StripsTrailingSeparatorsAndSpacesBeforeCreating) {
    EXPECT_EQ(StripTrailingSeparators(fs::path("abc/ / ")), fs::path("abc"));
    EXPECT_EQ(StripTrailingSeparators(fs::path("abc\\\\")), fs::path("abc"));
    EXPECT_EQ(StripTrailingSeparators(fs::path("a b")), fs::path("a b"));
    EXPECT_EQ(StripTrailingSeparators(fs::path("")), fs::path(""));
}

TEST(DataFolder, CreatesDataWeeksAndMonthsAndLeavesExistingOnesAlone) {
    testing::TempFolder temp;
    const fs::path data = DataFolderFor(temp / "Lumidor.exe");
    CreateDataFolders(data);
    EXPECT_TRUE(fs::is_directory(temp / "Data" / "Weeks"));
    EXPECT_TRUE(fs::is_directory(temp / "Data" / "Months"));

    testing::WriteFileText(temp / "Data" / "Weeks" / "2011-42.dat", "kept");
    CreateDataFolders(data);
    EXPECT_EQ(testing::ReadFileBytes(temp / "Data" / "Weeks" / "2011-42.dat").size(), 4u);
}

TEST(DataFolder, CreatesNoParentFolders) {
    testing::TempFolder temp;
    const fs::path data = DataFolderFor(temp / "missing" / "Lumidor.exe");
    CreateDataFolders(data);
    EXPECT_FALSE(fs::exists(temp / "missing"));
}

TEST(DataFolder, UsageFoldersAreInsideTheDataFolder) {
    const fs::path data = DataFolderFor(fs::path("prog") / "Lumidor.exe");
    EXPECT_EQ(WeeksFolder(data), fs::path("prog") / "Data" / "Weeks" / "");
    EXPECT_EQ(MonthsFolder(data), fs::path("prog") / "Data" / "Months" / "");
}

} // namespace
} // namespace lumidor
