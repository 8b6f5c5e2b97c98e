// The headless file layer stands in for Windows: its share rules and faults
// must behave as the Win32 layer does, or the program tests prove nothing.
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using namespace platform;

class HeadlessFiles : public ::testing::Test {
  protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { headless::Reset(); }
    testing::TempFolder temp;
};

TEST_F(HeadlessFiles, ShareRulesMatchTheWindowsOpens) {
    const fs::path file = temp / "2011-42.dat";
    testing::WriteFileText(file, "abc");

    ASSERT_TRUE(headless::HoldFile(file, false));
    OpenFile* reader = OpenForReading(file);
    EXPECT_NE(reader, nullptr) << "readers share";
    EXPECT_EQ(OpenForReadingAndWriting(file), nullptr);
    EXPECT_EQ(CreateAnew(file), nullptr);
    EXPECT_FALSE(RemoveFile(file));
    EXPECT_FALSE(ReplaceFileAtomically(file, std::vector<std::uint8_t>{1}));
    CloseFile(reader);
    headless::ReleaseHeldFiles();

    ASSERT_TRUE(headless::HoldFile(file, true));
    EXPECT_EQ(OpenForReading(file), nullptr);
    EXPECT_EQ(OpenForReadingAndWriting(file), nullptr);
    EXPECT_FALSE(headless::HoldFile(file, true));
    headless::ReleaseHeldFiles();

    OpenFile* writer = OpenForReadingAndWriting(file);
    ASSERT_NE(writer, nullptr);
    CloseFile(writer);
    EXPECT_EQ(testing::ReadFileBytes(file).size(), 3u);
}

TEST_F(HeadlessFiles, AWriteBudgetFailsWritesPartWay) {
    const fs::path file = temp / "f.dat";
    headless::SetWriteBudget(5);
    OpenFile* writer = CreateAnew(file);
    const std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(WriteBytes(writer, bytes, 3));
    EXPECT_FALSE(WriteBytes(writer, bytes, 3));
    EXPECT_FALSE(WriteBytes(writer, bytes, 1));
    CloseFile(writer);
    EXPECT_EQ(testing::ReadFileBytes(file), (std::vector<std::uint8_t>{1, 2, 3, 1, 2}));

    testing::WriteFileText(temp / "g.dat", "old");
    headless::SetWriteBudget(2);
    EXPECT_FALSE(ReplaceFileAtomically(temp / "g.dat", std::vector<std::uint8_t>{'n', 'e', 'w'}));
    EXPECT_EQ(testing::ReadFileBytes(temp / "g.dat"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_FALSE(fs::exists(temp / "g.dat.new"));
    headless::SetWriteBudget(-1);
    EXPECT_TRUE(ReplaceFileAtomically(temp / "g.dat", std::vector<std::uint8_t>{'n', 'e', 'w'}));
    EXPECT_EQ(testing::ReadFileBytes(temp / "g.dat"), (std::vector<std::uint8_t>{'n', 'e', 'w'}));
}

TEST_F(HeadlessFiles, ListingYieldsEveryEntryLikeFindFirstFile) {
    EXPECT_FALSE(ListFolder(temp / "missing").has_value());
    testing::WriteFileText(temp / "2011-9.dat", "x");
    ASSERT_TRUE(MakeFolder(temp / "sub"));
    EXPECT_FALSE(MakeFolder(temp / "sub"));
    EXPECT_FALSE(MakeFolder(temp / "no" / "parents"));
    auto entries = ListFolder(temp.path());
    ASSERT_TRUE(entries.has_value());
    std::vector<std::string> names;
    for (const FolderEntry& entry : *entries) {
        names.push_back(entry.name);
        EXPECT_EQ(entry.isFolder, entry.name != "2011-9.dat");
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "2011-9.dat", "sub"}));
    EXPECT_FALSE(RemoveFile(temp / "sub"));
    EXPECT_EQ(OpenForReading(temp / "sub"), nullptr);
    EXPECT_TRUE(QueryPath(temp / "sub").isFolder);
    EXPECT_EQ(QueryPath(temp / "2011-9.dat").size, 1u);
}

} // namespace
} // namespace lumidor
