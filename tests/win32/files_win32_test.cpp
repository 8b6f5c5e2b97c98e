// The Win32 file layer: share modes, atomic replacement, listings.
#include "platform/files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using namespace platform;

TEST(Win32Files, ReadersShareAndExcludeWriters) {
    testing::TempFolder temp;
    const fs::path file = temp / "2011-42.dat";
    testing::WriteFileText(file, "abc");

    OpenFile* reader = OpenForReading(file);
    ASSERT_NE(reader, nullptr);
    OpenFile* secondReader = OpenForReading(file);
    EXPECT_NE(secondReader, nullptr);
    EXPECT_EQ(OpenForReadingAndWriting(file), nullptr) << "a write open must fail while read";
    EXPECT_FALSE(ReplaceFileAtomically(file, std::vector<std::uint8_t>{1}));
    CloseFile(secondReader);
    CloseFile(reader);

    OpenFile* writer = OpenForReadingAndWriting(file);
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(OpenForReading(file), nullptr) << "a read open must fail while written";
    EXPECT_EQ(OpenForReadingAndWriting(file), nullptr);
    EXPECT_FALSE(RemoveFile(file));
    CloseFile(writer);
    EXPECT_EQ(testing::ReadFileBytes(file).size(), 3u);
}

TEST(Win32Files, OpenForWritingKeepsContentsAndCreateAnewEmpties) {
    testing::TempFolder temp;
    const fs::path file = temp / "f.dat";
    EXPECT_EQ(OpenForReading(file), nullptr);

    OpenFile* created = OpenForReadingAndWriting(file);
    ASSERT_NE(created, nullptr);
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
    EXPECT_TRUE(WriteBytes(created, bytes, 5));
    EXPECT_TRUE(CloseFile(created));

    OpenFile* again = OpenForReadingAndWriting(file);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(FileLength(again), std::optional<std::uint64_t>(5));
    EXPECT_TRUE(SeekTo(again, 1));
    EXPECT_TRUE(WriteBytes(again, bytes, 2));
    EXPECT_TRUE(SeekToEnd(again));
    EXPECT_TRUE(WriteBytes(again, bytes, 1));
    CloseFile(again);
    EXPECT_EQ(testing::ReadFileBytes(file), (std::vector<std::uint8_t>{1, 1, 2, 4, 5, 1}));

    OpenFile* reader = OpenForReading(file);
    std::uint8_t buffer[10] = {};
    EXPECT_EQ(ReadBytes(reader, buffer, sizeof buffer), 6u);
    EXPECT_EQ(ReadBytes(reader, buffer, sizeof buffer), 0u);
    CloseFile(reader);

    OpenFile* emptied = CreateAnew(file);
    ASSERT_NE(emptied, nullptr);
    CloseFile(emptied);
    EXPECT_EQ(QueryPath(file).size, 0u);
}

TEST(Win32Files, AtomicReplacementLeavesNoSiblingBehind) {
    testing::TempFolder temp;
    const fs::path file = temp / L"Settings.ini";
    testing::WriteFileText(file, "old");
    EXPECT_TRUE(ReplaceFileAtomically(file, std::vector<std::uint8_t>{'n', 'e', 'w', '!'}));
    EXPECT_EQ(testing::ReadFileBytes(file), (std::vector<std::uint8_t>{'n', 'e', 'w', '!'}));
    EXPECT_FALSE(fs::exists(temp / L"Settings.ini.new"));
    EXPECT_FALSE(ReplaceFileAtomically(temp / L"missing" / L"x", std::vector<std::uint8_t>{1}));
}

TEST(Win32Files, ListsEveryEntryAndTellsFoldersApart) {
    testing::TempFolder temp;
    EXPECT_FALSE(ListFolder(temp / "missing").has_value());
    ASSERT_TRUE(MakeFolder(temp / "Weeks"));
    EXPECT_FALSE(MakeFolder(temp / "Weeks"));
    testing::WriteFileText(temp / "Weeks" / "2011-9.dat", "x");
    testing::WriteFileText(temp / "Weeks" / "Thumbs.db", "x");
    ASSERT_TRUE(MakeFolder(temp / "Weeks" / "sub"));

    auto entries = ListFolder(temp / "Weeks");
    ASSERT_TRUE(entries.has_value());
    std::vector<std::string> names;
    for (const FolderEntry& entry : *entries) {
        names.push_back(entry.name);
        EXPECT_EQ(entry.isFolder, entry.name == "sub" || entry.name == "." || entry.name == "..");
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "2011-9.dat", "Thumbs.db", "sub"}));

    EXPECT_FALSE(RemoveFile(temp / "Weeks" / "sub"));
    EXPECT_TRUE(RemoveFile(temp / "Weeks" / "Thumbs.db"));
    EXPECT_FALSE(QueryPath(temp / "Weeks" / "Thumbs.db").exists);
    EXPECT_TRUE(QueryPath(temp / "Weeks" / "sub").isFolder);
}

} // namespace
} // namespace lumidor
