// Settings.ini and History.dat on Windows files: any character in the data
// folder's path, and a file held open by another process.
#include "history/history_file.h"
#include "settings/settings.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

// Opened as another program would, sharing reading only.
HANDLE HoldOpen(const fs::path& file) {
    return CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(Win32Settings, SaveAndLoadInAFolderOfAnyNameAndKeepTheOldFileWhenHeld) {
    testing::TempFolder temp;
    const fs::path data = temp / L"Daten \u0416 \u00FC" / L"";
    fs::create_directories(data);

    SaveSettings(data, Limits{});
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(data / L"Settings.ini");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "CalendarWeeksLimit = 8\r\nYearLimit = 4\r\nHistoryItemsLimit = 30\r\n");
    SaveSettings(data, {12, 3, 45});
    EXPECT_EQ(LoadSettings(data), (Limits{12, 3, 45}));

    HANDLE held = HoldOpen(data / L"Settings.ini");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SaveSettings(data, Limits{});
    CloseHandle(held);
    EXPECT_EQ(LoadSettings(data), (Limits{12, 3, 45}));
    EXPECT_FALSE(fs::exists(data / L"Settings.ini.new"));
}

TEST(Win32History, TailReplaceAndAlignedAppend) {
    testing::TempFolder temp;
    const fs::path file = temp / L"Verlauf \u0105" / L"History.dat";
    fs::create_directories(file.parent_path());
    std::vector<HistoryRecord> records;
    for (int i = 0; i < 50; ++i)
        records.push_back({1000 * i, 1000 * i + 500});
    ASSERT_TRUE(ReplaceHistoryFile(file, records));
    std::vector<std::uint8_t> bytes = testing::ReadFileBytes(file);
    ASSERT_EQ(bytes.size(), 400u);
    bytes.insert(bytes.end(), {1, 2, 3});
    testing::WriteFileBytes(file, bytes);

    const std::optional<HistoryTail> tail = ReadHistoryTail(file, 30);
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->recordCount, 50u);
    EXPECT_TRUE(tail->trailingPiece);
    EXPECT_EQ(tail->newest, std::vector<HistoryRecord>(records.begin() + 20, records.end()));

    ASSERT_TRUE(AppendHistoryRecord(file, {77, 88}));
    EXPECT_EQ(fs::file_size(file), 408u);
    EXPECT_EQ(ReadHistoryTail(file, 1)->newest, (std::vector<HistoryRecord>{{77, 88}}));

    HANDLE held = HoldOpen(file);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(
        ReplaceHistoryFile(file, std::vector<HistoryRecord>(records.begin(), records.begin() + 1)));
    EXPECT_FALSE(AppendHistoryRecord(file, {1, 2}));
    CloseHandle(held);
    EXPECT_EQ(fs::file_size(file), 408u);
}

} // namespace
} // namespace lumidor
