// The week and year usage files: bytes, names, and reading and writing the
// current records on the headless platform (real files).
#include "core/data_folder.h"
#include "platform/headless/headless.h"
#include "recording/usage_files.h"
#include "tests/recording/record_printing.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Zeros(std::size_t count) {
    return Bytes(count, 0);
}

template <std::size_t N>
Bytes ToVector(const std::array<std::uint8_t, N>& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

// Every field distinct, so a field at a wrong offset cannot go unnoticed.
WeekRecord DistinctWeekRecord() {
    return {-7, -2012, {1, -2, 0x01020304, 0x7FFFFFFF, -2147483647 - 1, 1440, 1500}};
}

YearRecord DistinctYearRecord() {
    YearRecord record{-1, {}};
    for (int month = 0; month < 12; ++month)
        record.Minutes[month] = (month + 1) * 0x01010101 * (month % 2 == 0 ? 1 : -1);
    return record;
}

TEST(UsageRecords, WeekAndYearBytesAreLittleEndianAndPacked) {
    WeekRecord week{42, 2011, {120, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(ToVector(EncodeWeekRecord(week)),
              Concat({{0x2A, 0xDB, 0x07, 0x78, 0x00, 0x00, 0x00}, Zeros(24)}));

    YearRecord year{2011, {}};
    year.Minutes[9] = 600;
    EXPECT_EQ(ToVector(EncodeYearRecord(year)),
              Concat({{0xDB, 0x07}, Zeros(36), {0x58, 0x02, 0x00, 0x00}, Zeros(8)}));
    EXPECT_EQ(DecodeYearRecord(EncodeYearRecord(year)), year);
    EXPECT_EQ(DecodeWeekRecord(EncodeWeekRecord(week)), week);
}

TEST(UsageRecords, EveryFieldSurvivesTheRoundTripAtItsOffset) {
    const WeekRecordBytes week = EncodeWeekRecord(DistinctWeekRecord());
    EXPECT_EQ(week[0], 0xF9);
    EXPECT_EQ(week[1], 0x24); // -2012 = 0xF824
    EXPECT_EQ(week[2], 0xF8);
    EXPECT_EQ((Bytes{week[11], week[12], week[13], week[14]}), (Bytes{4, 3, 2, 1}));
    EXPECT_EQ((Bytes{week[27], week[28], week[29], week[30]}), (Bytes{0xDC, 0x05, 0, 0}));
    EXPECT_EQ(DecodeWeekRecord(week), DistinctWeekRecord());

    const YearRecordBytes year = EncodeYearRecord(DistinctYearRecord());
    EXPECT_EQ((Bytes{year[46], year[47], year[48], year[49]}),
              (Bytes{0xF4, 0xF3, 0xF3, 0xF3})); // December: -12 * 0x01010101
    EXPECT_EQ(DecodeYearRecord(year), DistinctYearRecord());
}

TEST(UsageRecords, WeekdaysMapMondayFirst) {
    const int counters[] = {6, 0, 1, 2, 3, 4, 5};
    for (int weekday = 0; weekday < 7; ++weekday)
        EXPECT_EQ(WeekdayCounter(weekday), counters[weekday]) << weekday;
}

struct NamesCase {
    const char* moment;
    DateValue value;
    const char* weekFile;
    const char* yearFile;
};

TEST(UsageFileNames, ComeFromTheCalendarYearAndTheIsoWeekWithoutLeadingZeros) {
    const NamesCase cases[] = {
        {"Wed 19 Oct 2011", DateFromFields(2011, 10, 19, 12, 0, 0), "2011-42.dat", "2011.dat"},
        {"Tue 1 Mar 2011", DateFromFields(2011, 3, 1, 0, 0, 0), "2011-9.dat", "2011.dat"},
        {"Mon 29 Dec 2014", DateFromFields(2014, 12, 29, 0, 0, 0), "2014-1.dat", "2014.dat"},
        {"Wed 31 Dec 2014, last second", DateFromFields(2014, 12, 31, 23, 59, 59), "2014-1.dat",
         "2014.dat"},
        {"Thu 1 Jan 2015", DateFromFields(2015, 1, 1, 0, 0, 0), "2015-1.dat", "2015.dat"},
        {"Fri 1 Jan 2016", DateFromFields(2016, 1, 1, 0, 0, 0), "2016-53.dat", "2016.dat"},
        {"Sun 3 Jan 2016", DateFromFields(2016, 1, 3, 23, 59, 59), "2016-53.dat", "2016.dat"},
        {"Mon 4 Jan 2016", DateFromFields(2016, 1, 4, 0, 0, 0), "2016-1.dat", "2016.dat"},
        {"Sun 2 Jan 2011", DateFromFields(2011, 1, 2, 0, 0, 0), "2011-52.dat", "2011.dat"},
    };
    const fs::path data = fs::path("C:/Lumidor/Data/");
    for (const NamesCase& c : cases) {
        EXPECT_EQ(WeekFilePath(data, c.value), fs::path("C:/Lumidor/Data/Weeks") / c.weekFile)
            << c.moment;
        EXPECT_EQ(YearFilePath(data, c.value), fs::path("C:/Lumidor/Data/Months") / c.yearFile)
            << c.moment;
    }
}

TEST(UsageFileNames, OnlyTheProgramsOwnNamesParse) {
    EXPECT_EQ(ParseWeekFileName("2011-9.dat"), (WeekOfYear{2011, 9}));
    EXPECT_EQ(ParseWeekFileName("2011-53.dat"), (WeekOfYear{2011, 53}));
    EXPECT_EQ(ParseWeekFileName("1970-1.dat"), (WeekOfYear{1970, 1}));
    EXPECT_EQ(ParseWeekFileName("2038-2.dat"), (WeekOfYear{2038, 2}));
    for (const char* foreign :
         {"2011-09.dat", "02011-9.dat", "2011-9.DAT", "2011-9.dat.bak", "2011-0.dat", "2011-54.dat",
          "1969-52.dat", "2039-1.dat", "+2011-9.dat", "2011-+9.dat", "2011--9.dat", "-9.dat",
          "2011-.dat", "2011-9-1.dat", "2011.dat", ".dat", "2011 -9.dat", "Thumbs.db", ""})
        EXPECT_EQ(ParseWeekFileName(foreign), std::nullopt) << foreign;

    EXPECT_EQ(ParseYearFileName("2011.dat"), 2011);
    EXPECT_EQ(ParseYearFileName("1970.dat"), 1970);
    for (const char* foreign : {"02011.dat", "11.dat", "2039.dat", "2011.Dat", "2011-9.dat",
                                "-2011.dat", "2011x.dat", "desktop.ini", ".dat"})
        EXPECT_EQ(ParseYearFileName(foreign), std::nullopt) << foreign;
    EXPECT_EQ(WeekFileName(2011, 9), "2011-9.dat");
    EXPECT_EQ(YearFileName(2011), "2011.dat");
}

class UsageFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        CreateDataFolders(data);
        recorder.CurrentWeekRecord = DistinctWeekRecord();
        recorder.CurrentYearRecord = DistinctYearRecord();
    }
    void TearDown() override { headless::Reset(); }

    fs::path WeekFile() const { return data / "Weeks" / "2011-42.dat"; }
    fs::path YearFile() const { return data / "Months" / "2011.dat"; }

    testing::TempFolder temp;
    const fs::path data = temp / "Data" / "";
    const DateValue now = DateFromFields(2011, 10, 19, 12, 0, 30);
    Recorder recorder;
};

TEST_F(UsageFiles, ReadingTakesTheFilesWhole) {
    const WeekRecord week{42, 2011, {1, 2, 3, 4, 5, 6, 7}};
    YearRecord year{2011, {}};
    year.Minutes[9] = 600;
    testing::WriteFileBytes(WeekFile(), ToVector(EncodeWeekRecord(week)));
    testing::WriteFileBytes(YearFile(), ToVector(EncodeYearRecord(year)));
    EXPECT_TRUE(ReadUsageRecords(data, now, recorder));
    EXPECT_EQ(recorder.CurrentWeekRecord, week);
    EXPECT_EQ(recorder.CurrentYearRecord, year);
    EXPECT_EQ(headless::FileOpenCount(), 2);
}

TEST_F(UsageFiles, AShortFileReplacesOnlyTheBytesItHas) {
    const Bytes tenBytes = {42, 0xDB, 0x07, 9, 0, 0, 0, 8, 0, 0};
    testing::WriteFileBytes(WeekFile(), tenBytes);
    testing::WriteFileBytes(YearFile(), {});
    EXPECT_TRUE(ReadUsageRecords(data, now, recorder));

    Bytes expected = ToVector(EncodeWeekRecord(DistinctWeekRecord()));
    std::copy(tenBytes.begin(), tenBytes.end(), expected.begin());
    EXPECT_EQ(ToVector(EncodeWeekRecord(recorder.CurrentWeekRecord)), expected);
    EXPECT_EQ(recorder.CurrentYearRecord, DistinctYearRecord()) << "an empty file changes nothing";
}

TEST_F(UsageFiles, ALongFileGivesItsFirstRecordOnly) {
    const WeekRecord week{42, 2011, {0, 0, 77, 0, 0, 0, 0}};
    testing::WriteFileBytes(WeekFile(), Concat({ToVector(EncodeWeekRecord(week)), Bytes(9, 0xEE)}));
    ReadUsageRecords(data, now, recorder);
    EXPECT_EQ(recorder.CurrentWeekRecord, week);
}

TEST_F(UsageFiles, AMissingWeekFileLeavesItsRecordAndTheYearIsStillRead) {
    const YearRecord year{2011, {5}};
    testing::WriteFileBytes(YearFile(), ToVector(EncodeYearRecord(year)));
    EXPECT_FALSE(ReadUsageRecords(data, now, recorder));
    EXPECT_EQ(recorder.CurrentWeekRecord, DistinctWeekRecord());
    EXPECT_EQ(recorder.CurrentYearRecord, year);
}

TEST_F(UsageFiles, NewFilesAreExactlyOneRecordLong) {
    EXPECT_TRUE(WriteUsageRecords(data, now, recorder));
    EXPECT_EQ(testing::ReadFileBytes(WeekFile()), ToVector(EncodeWeekRecord(DistinctWeekRecord())));
    EXPECT_EQ(testing::ReadFileBytes(YearFile()), ToVector(EncodeYearRecord(DistinctYearRecord())));
}

TEST_F(UsageFiles, WritingOverALongerFileKeepsItsTail) {
    const Bytes forty = Bytes(40, 0xEE);
    testing::WriteFileBytes(WeekFile(), forty);
    testing::WriteFileBytes(YearFile(), Bytes(10, 0xEE));
    EXPECT_TRUE(WriteUsageRecords(data, now, recorder));
    EXPECT_EQ(testing::ReadFileBytes(WeekFile()),
              Concat({ToVector(EncodeWeekRecord(DistinctWeekRecord())), Bytes(9, 0xEE)}));
    EXPECT_EQ(testing::ReadFileBytes(YearFile()).size(), YearRecordSize);
}

// A damaged file far longer than its record is not copied every minute: the
// record goes over its first bytes in place, and the rest stays.
TEST_F(UsageFiles, AHugeDamagedFileKeepsItsTailToo) {
    const Bytes huge(YearRecordSize + 100 * 1024, 0xEE);
    testing::WriteFileBytes(YearFile(), huge);
    EXPECT_TRUE(WriteUsageRecords(data, now, recorder));
    Bytes expected = huge;
    const YearRecordBytes record = EncodeYearRecord(DistinctYearRecord());
    std::copy(record.begin(), record.end(), expected.begin());
    EXPECT_EQ(testing::ReadFileBytes(YearFile()), expected);
}

// At the end of a run, minutes that a held file kept out reach it once it is free.
TEST_F(UsageFiles, UnsavedRecordsAreStoredIntoTheirOwnFilesOnceFree) {
    const WeekRecord week{42, 2011, {0, 0, 9}};
    const YearRecord year{2011, {0, 0, 0, 0, 0, 0, 0, 0, 0, 9}};
    recorder.CurrentWeekRecord = week;
    recorder.CurrentYearRecord = year;
    ASSERT_TRUE(headless::HoldFile(WeekFile(), true));
    EXPECT_FALSE(WriteUsageRecords(data, now, recorder));
    EXPECT_FALSE(StoreUnsavedRecords(data, recorder));
    EXPECT_EQ(testing::ReadFileBytes(YearFile()), ToVector(EncodeYearRecord(year)));
    headless::ReleaseHeldFiles();

    // No date is needed: each record names its own file.
    EXPECT_TRUE(StoreUnsavedRecords(data, recorder));
    EXPECT_EQ(testing::ReadFileBytes(WeekFile()), ToVector(EncodeWeekRecord(week)));
    EXPECT_FALSE(recorder.weekUnsaved);
    EXPECT_FALSE(recorder.yearUnsaved);
    EXPECT_TRUE(StoreUnsavedRecords(data, recorder));
}

TEST_F(UsageFiles, ARemovedWeeksFolderIsNotCreatedAndTheYearIsStillWritten) {
    fs::remove(data / "Weeks");
    EXPECT_FALSE(WriteUsageRecords(data, now, recorder));
    EXPECT_FALSE(fs::exists(data / "Weeks"));
    EXPECT_EQ(testing::ReadFileBytes(YearFile()), ToVector(EncodeYearRecord(DistinctYearRecord())));
    EXPECT_FALSE(ReadUsageRecords(data, now, recorder));
    EXPECT_EQ(recorder.CurrentYearRecord, DistinctYearRecord());
}

TEST_F(UsageFiles, FilesHeldByAnotherProcessAreSkippedOneByOne) {
    const WeekRecord onDisk{42, 2011, {3}};
    testing::WriteFileBytes(WeekFile(), ToVector(EncodeWeekRecord(onDisk)));
    testing::WriteFileBytes(YearFile(), ToVector(EncodeYearRecord(YearRecord{2011, {4}})));

    ASSERT_TRUE(headless::HoldFile(WeekFile(), true));
    EXPECT_FALSE(ReadUsageRecords(data, now, recorder)) << "a writer shuts readers out";
    EXPECT_EQ(recorder.CurrentWeekRecord, DistinctWeekRecord());
    EXPECT_EQ(recorder.CurrentYearRecord, (YearRecord{2011, {4}}));
    headless::ReleaseHeldFiles();

    ASSERT_TRUE(headless::HoldFile(YearFile(), false));
    EXPECT_TRUE(ReadUsageRecords(data, now, recorder)) << "readers share";
    recorder.CurrentYearRecord.Minutes[0] = 5;
    EXPECT_FALSE(WriteUsageRecords(data, now, recorder)) << "a reader shuts writers out";
    EXPECT_EQ(testing::ReadFileBytes(YearFile()),
              ToVector(EncodeYearRecord(YearRecord{2011, {4}})));
    EXPECT_EQ(testing::ReadFileBytes(WeekFile()), ToVector(EncodeWeekRecord(onDisk)));
}

TEST_F(UsageFiles, ARecordWhoseWriteFailedIsKeptOverTheOlderFile) {
    recorder.CurrentWeekRecord = WeekRecord{42, 2011, {3}};
    ASSERT_TRUE(WriteUsageRecords(data, now, recorder));
    recorder.CurrentWeekRecord.Minutes[0] = 4;
    ASSERT_TRUE(headless::HoldFile(WeekFile(), false));
    EXPECT_FALSE(WriteUsageRecords(data, now, recorder));
    headless::ReleaseHeldFiles();

    ReadUsageRecords(data, now, recorder);
    EXPECT_EQ(recorder.CurrentWeekRecord, (WeekRecord{42, 2011, {4}}));
    EXPECT_TRUE(WriteUsageRecords(data, now, recorder));
    EXPECT_EQ(testing::ReadFileBytes(WeekFile()),
              ToVector(EncodeWeekRecord(WeekRecord{42, 2011, {4}})));

    ReadUsageRecords(data, now, recorder);
    testing::WriteFileBytes(WeekFile(), ToVector(EncodeWeekRecord(WeekRecord{42, 2011, {9}})));
    ReadUsageRecords(data, now, recorder);
    EXPECT_EQ(recorder.CurrentWeekRecord, (WeekRecord{42, 2011, {9}}))
        << "once stored, the file is read again";
}

TEST_F(UsageFiles, AnUnsavedRecordOfAnEarlierWeekReachesItsOwnFileFirst) {
    recorder.CurrentWeekRecord = WeekRecord{42, 2011, {0, 0, 0, 0, 0, 0, 7}};
    recorder.CurrentYearRecord = YearRecord{2010, {}};
    recorder.CurrentYearRecord.Minutes[11] = 8;
    headless::SetWriteBudget(0);
    EXPECT_FALSE(WriteUsageRecords(data, now, recorder));
    headless::SetWriteBudget(-1);

    const DateValue nextWeek = DateFromFields(2011, 10, 24, 0, 0, 30);
    EXPECT_FALSE(ReadUsageRecords(data, nextWeek, recorder));
    EXPECT_EQ(testing::ReadFileBytes(WeekFile()),
              ToVector(EncodeWeekRecord(WeekRecord{42, 2011, {0, 0, 0, 0, 0, 0, 7}})));
    EXPECT_EQ(testing::ReadFileBytes(data / "Months" / "2010.dat"),
              ToVector(EncodeYearRecord(recorder.CurrentYearRecord)));
    EXPECT_FALSE(fs::exists(data / "Weeks" / "2011-43.dat")) << "reading creates no file";
}

TEST_F(UsageFiles, AnInvalidMomentTouchesNothing) {
    EXPECT_FALSE(ReadUsageRecords(data, InvalidDate, recorder));
    EXPECT_FALSE(WriteUsageRecords(data, InvalidDate, recorder));
    EXPECT_EQ(headless::FileOpenCount(), 0);
    EXPECT_EQ(recorder.CurrentWeekRecord, DistinctWeekRecord());
}

} // namespace
} // namespace lumidor
