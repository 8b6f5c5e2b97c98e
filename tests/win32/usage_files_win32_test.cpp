// The usage files on real Win32 files: what reading and writing do while
// another process holds a file, and the bytes on disk.
#include "core/data_folder.h"
#include "platform/files.h"
#include "recording/usage_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

template <std::size_t N>
Bytes ToVector(const std::array<std::uint8_t, N>& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

class Win32UsageFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(data.parent_path().parent_path());
        CreateDataFolders(data);
        ASSERT_TRUE(fs::is_directory(data / L"Weeks"));
        testing::WriteFileBytes(weekFile, ToVector(EncodeWeekRecord(onDiskWeek)));
        testing::WriteFileBytes(yearFile, ToVector(EncodeYearRecord(onDiskYear)));
    }

    testing::TempFolder temp;
    // A program folder whose name is not of one code page.
    const fs::path data = temp / L"Zeit \u00e4\u00df \u0416" / L"Data" / L"";
    const fs::path weekFile = data / L"Weeks" / L"2011-42.dat";
    const fs::path yearFile = data / L"Months" / L"2011.dat";
    const DateValue now = DateFromFields(2011, 10, 19, 12, 0, 30);
    const WeekRecord onDiskWeek{42, 2011, {0, 0, 100, 0, 0, 0, 0}};
    const YearRecord onDiskYear{2011, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1000, 0, 0}};
};

TEST_F(Win32UsageFiles, AWriterShutsTheReadOutAndTheOtherFileIsStillRead) {
    Recorder recorder;
    recorder.CurrentWeekRecord = WeekRecord{42, 2011, {0, 0, 7, 0, 0, 0, 0}};
    // Another process writing the week file, with the same share mode.
    platform::OpenFile* writer = platform::OpenForReadingAndWriting(weekFile);
    ASSERT_NE(writer, nullptr);
    EXPECT_FALSE(ReadUsageRecords(data, now, recorder));
    EXPECT_EQ(recorder.CurrentWeekRecord, (WeekRecord{42, 2011, {0, 0, 7, 0, 0, 0, 0}}));
    EXPECT_EQ(recorder.CurrentYearRecord, onDiskYear);
    platform::CloseFile(writer);

    EXPECT_TRUE(ReadUsageRecords(data, now, recorder));
    EXPECT_EQ(recorder.CurrentWeekRecord, onDiskWeek);
}

TEST_F(Win32UsageFiles, AReaderShutsTheWriteOutAndTheOtherFileIsStillWritten) {
    Recorder recorder;
    // Another process drawing a chart of this year: readers still share.
    platform::OpenFile* reader = platform::OpenForReading(yearFile);
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(ReadUsageRecords(data, now, recorder));
    recorder.CurrentWeekRecord.Minutes[2] = 101;
    recorder.CurrentYearRecord.Minutes[9] = 1001;
    EXPECT_FALSE(WriteUsageRecords(data, now, recorder));
    EXPECT_EQ(testing::ReadFileBytes(yearFile), ToVector(EncodeYearRecord(onDiskYear)));
    EXPECT_EQ(testing::ReadFileBytes(weekFile),
              ToVector(EncodeWeekRecord(recorder.CurrentWeekRecord)));
    platform::CloseFile(reader);

    // The unsaved year minute is not lost to the older file.
    ReadUsageRecords(data, now, recorder);
    EXPECT_EQ(recorder.CurrentYearRecord.Minutes[9], 1001);
    EXPECT_TRUE(WriteUsageRecords(data, now, recorder));
    EXPECT_EQ(testing::ReadFileBytes(yearFile),
              ToVector(EncodeYearRecord(recorder.CurrentYearRecord)));
}

TEST_F(Win32UsageFiles, WritingKeepsALongerFilesTailAndCreatesNoFolder) {
    testing::WriteFileBytes(weekFile, Bytes(40, 0xEE));
    Recorder recorder;
    recorder.CurrentWeekRecord = onDiskWeek;
    recorder.CurrentYearRecord = onDiskYear;
    const DateValue nextYear = DateFromFields(2012, 1, 9, 0, 0, 30);
    fs::remove_all(data / L"Months");
    EXPECT_FALSE(WriteUsageRecords(data, nextYear, recorder));
    EXPECT_FALSE(fs::exists(data / L"Months"));
    EXPECT_EQ(testing::ReadFileBytes(data / L"Weeks" / L"2012-2.dat"),
              ToVector(EncodeWeekRecord(onDiskWeek)));

    EXPECT_FALSE(WriteUsageRecords(data, now, recorder));
    Bytes expected(40, 0xEE);
    const WeekRecordBytes record = EncodeWeekRecord(onDiskWeek);
    std::copy(record.begin(), record.end(), expected.begin());
    EXPECT_EQ(testing::ReadFileBytes(weekFile), expected);
}

} // namespace
} // namespace lumidor
