// "History.dat" and the history list: loading, trimming, the start row and the
// append at the end of a recording session.
#include "history/history.h"

#include "core/control_numbers.h"
#include "core/date_text.h"
#include "history/history_file.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "tests/support/headless_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;
using Row = std::pair<std::string, std::string>;

const DateValue Monday = DateFromFields(2011, 3, 7, 8, 15, 0);

// Session i: one every two hours from Monday 2011-03-07 08:15, about an hour long.
HistoryRecord Session(int i) {
    const DateValue on = Monday + i * 7200 + (i % 60);
    return {on, on + 3600 + 25 * 60 + 5};
}

std::vector<HistoryRecord> Sessions(int first, int count) {
    std::vector<HistoryRecord> sessions;
    for (int i = first; i < first + count; ++i)
        sessions.push_back(Session(i));
    return sessions;
}

std::vector<std::uint8_t> Encode(const std::vector<HistoryRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const HistoryRecord& record : records) {
        const auto encoded = EncodeHistoryRecord(record);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    return bytes;
}

std::vector<Row> RowsOf(const std::vector<HistoryRecord>& records) {
    std::vector<Row> rows;
    for (const HistoryRecord& record : records)
        rows.emplace_back(SessionLabel(record.switchOn), SessionLabel(record.switchOff));
    return rows;
}

class History : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        fs::create_directory(temp / "Data");
        app.programFile = temp / "Lumidor.exe";
        app.DataFolder = temp / "Data" / "";
        ASSERT_TRUE(platform::CreateMainWindow({}));
        ASSERT_TRUE(platform::CreateControl(
            {control::HistoryList, platform::ControlKind::ReportList, 2, 0, 0, 400, 300, ""}));
        platform::AddColumn(control::HistoryList, "PC eingeschaltet", 200);
        platform::AddColumn(control::HistoryList, "PC ausgeschaltet", 200);
        ASSERT_TRUE(platform::CreateControl(
            {control::HistoryLimitField, platform::ControlKind::SpinField, 3, 0, 0, 50, 20, ""}));
        SetLimit(30);
    }
    void TearDown() override { headless::Reset(); }

    static void SetLimit(int limit) {
        platform::SetControlState(control::HistoryLimitField, limit);
    }
    static std::vector<Row> Rows() {
        std::vector<Row> rows;
        for (int row = 0; row < platform::ItemCount(control::HistoryList); ++row)
            rows.emplace_back(platform::CellText(control::HistoryList, row, 0),
                              platform::CellText(control::HistoryList, row, 1));
        return rows;
    }
    std::vector<std::uint8_t> FileBytes() const { return testing::ReadFileBytes(historyFile); }
    // Loads as a fresh start does, then tells whether the file was rewritten.
    bool LoadAndTellWhetherRewritten() {
        platform::ClearItems(control::HistoryList);
        const int opensBefore = headless::FileOpenCount();
        LoadAndTrimHistory(app);
        return headless::FileOpenCount() - opensBefore > 1;
    }

    testing::TempFolder temp;
    App app;
    const fs::path historyFile = temp / "Data" / "History.dat";
};

TEST_F(History, ShowsTheNewestSessionsAndTrimsTheFileToTheLimit) {
    struct TrimCase {
        std::string_view name;
        int records;
        int limit;
        std::vector<std::uint8_t> piece; // a damaged tail after the records
    };
    const TrimCase cases[] = {
        {"0 bytes", 0, 30, {}},
        {"fewer than the limit", 3, 30, {}},
        {"exactly the limit", 30, 30, {}},
        {"limit + 3", 33, 30, {}},
        {"limit 1", 5, 1, {}},
        {"limit 100, 100 records", 100, 100, {}},
        {"limit 100, 101 records", 101, 100, {}},
        {"damaged tail, no trim", 4, 30, {1, 2, 3, 4, 5}},
        {"damaged tail, trimmed", 35, 30, {9, 9, 9}},
        {"only a damaged piece", 0, 30, {1, 2, 3, 4, 5, 6, 7}},
        {"many blocks", 40000, 100, {1}},
    };
    for (const TrimCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> original = Encode(Sessions(0, c.records));
        original.insert(original.end(), c.piece.begin(), c.piece.end());
        testing::WriteFileBytes(historyFile, original);
        SetLimit(c.limit);

        const bool rewritten = LoadAndTellWhetherRewritten();

        const int shown = std::min(c.records, c.limit);
        const std::vector<HistoryRecord> newest = Sessions(c.records - shown, shown);
        EXPECT_EQ(Rows(), RowsOf(newest));
        EXPECT_EQ(rewritten, c.records > c.limit);
        EXPECT_EQ(FileBytes(), c.records > c.limit ? Encode(newest) : original);
        EXPECT_FALSE(fs::exists(temp / "Data" / "History.dat.new"));
    }
}

TEST_F(History, CellsHoldTheSessionLabels) {
    const std::vector<HistoryRecord> sessions = {
        {Monday, DateFromFields(2011, 3, 7, 17, 40, 5)},
        // Over midnight: the two cells name different days.
        {DateFromFields(2011, 3, 12, 22, 0, 0), DateFromFields(2011, 3, 13, 1, 2, 3)},
    };
    testing::WriteFileBytes(historyFile, Encode(sessions));
    LoadAndTrimHistory(app);
    EXPECT_EQ(Rows(), (std::vector<Row>{
                          {"Montag, 07.03.2011 - 08:15:00", "Montag, 07.03.2011 - 17:40:05"},
                          {"Samstag, 12.03.2011 - 22:00:00", "Sonntag, 13.03.2011 - 01:02:03"},
                      }));
}

TEST_F(History, ADamagedNegativeValueShowsAsZerosAndIsWrittenBackAsMinusOne) {
    std::vector<HistoryRecord> sessions = Sessions(0, 3);
    sessions[1].switchOn = -123456;
    sessions[2].switchOff = InvalidDate;
    testing::WriteFileBytes(historyFile, Encode(sessions));
    SetLimit(2);

    EXPECT_TRUE(LoadAndTellWhetherRewritten());
    const Row expectedFirst = {"Sonntag, 00.00.0000 - 00:00:00",
                               SessionLabel(sessions[1].switchOff)};
    const Row expectedSecond = {SessionLabel(sessions[2].switchOn),
                                "Sonntag, 00.00.0000 - 00:00:00"};
    EXPECT_EQ(Rows(), (std::vector<Row>{expectedFirst, expectedSecond}));
    sessions[1].switchOn = -1;
    EXPECT_EQ(FileBytes(), Encode({sessions[1], sessions[2]}));

    // Within the limit the file is left as it is.
    sessions[1].switchOn = -99;
    testing::WriteFileBytes(historyFile, Encode(sessions));
    SetLimit(3);
    EXPECT_FALSE(LoadAndTellWhetherRewritten());
    EXPECT_EQ(FileBytes(), Encode(sessions));
}

TEST_F(History, WithoutAFileTheListIsEmptyAndNoFileIsMade) {
    LoadAndTrimHistory(app);
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(fs::exists(historyFile));

    app.recordingMode = true;
    app.currentSession.switchOn = Monday;
    AddStartRow(app);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"Montag, 07.03.2011 - 08:15:00", ""}}));
    EXPECT_FALSE(fs::exists(historyFile));
}

TEST_F(History, TheStartRowFollowsTheTrimmedListAndIsNeverWritten) {
    testing::WriteFileBytes(historyFile, Encode(Sessions(0, 12)));
    SetLimit(10);
    app.recordingMode = true;
    app.currentSession.switchOn = Session(12).switchOn;
    LoadAndTrimHistory(app);
    AddStartRow(app);

    std::vector<Row> expected = RowsOf(Sessions(2, 10));
    expected.emplace_back(SessionLabel(Session(12).switchOn), "");
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(FileBytes(), Encode(Sessions(2, 10)));
}

TEST_F(History, AFailedRewriteLeavesTheOldFileWhole) {
    const std::vector<std::uint8_t> original = Encode(Sessions(0, 33));
    testing::WriteFileBytes(historyFile, original);

    // Another process reads the file, so it cannot be renamed over.
    ASSERT_TRUE(headless::HoldFile(historyFile, false));
    LoadAndTrimHistory(app);
    headless::ReleaseHeldFiles();
    EXPECT_EQ(Rows(), RowsOf(Sessions(3, 30))) << "the list is trimmed all the same";
    EXPECT_EQ(FileBytes(), original);

    // The disk fills part-way through the new file.
    headless::SetWriteBudget(100);
    EXPECT_TRUE(LoadAndTellWhetherRewritten());
    headless::SetWriteBudget(-1);
    EXPECT_EQ(Rows(), RowsOf(Sessions(3, 30)));
    EXPECT_EQ(FileBytes(), original);
    EXPECT_FALSE(fs::exists(temp / "Data" / "History.dat.new"));

    // The next start trims it.
    LoadAndTellWhetherRewritten();
    EXPECT_EQ(FileBytes(), Encode(Sessions(3, 30)));
}

TEST(HistoryWithoutAList, NeverEmptiesTheFile) {
    headless::Reset();
    testing::TempFolder temp;
    fs::create_directory(temp / "Data");
    App app;
    app.DataFolder = temp / "Data" / "";
    ASSERT_TRUE(platform::CreateMainWindow({}));
    ASSERT_TRUE(platform::CreateControl(
        {control::HistoryLimitField, platform::ControlKind::SpinField, 3, 0, 0, 50, 20, ""}));
    const std::vector<std::uint8_t> original = Encode(Sessions(0, 33));
    testing::WriteFileBytes(temp / "Data" / "History.dat", original);
    LoadAndTrimHistory(app);
    EXPECT_EQ(testing::ReadFileBytes(temp / "Data" / "History.dat"), original);
    headless::Reset();
}

TEST_F(History, ARecordingSessionAppendsOneRecordWhenItEnds) {
    testing::WriteFileBytes(historyFile, Encode(Sessions(0, 2)));
    app.recordingMode = true;
    app.currentSession.switchOn = Session(2).switchOn;
    testing::SetNow(Session(2).switchOff);

    AppendSession(app);
    EXPECT_EQ(FileBytes(), Encode(Sessions(0, 3)));
    EXPECT_EQ(app.currentSession.switchOff, Session(2).switchOff);

    // A cancelled end of the Windows session, then the close: still one record.
    testing::AdvanceClock(600);
    AppendSession(app);
    EXPECT_EQ(FileBytes(), Encode(Sessions(0, 3)));

    // The next start shows it.
    LoadAndTrimHistory(app);
    EXPECT_EQ(Rows(), RowsOf(Sessions(0, 3)));
}

TEST_F(History, TheFirstAppendCreatesTheFileAndViewingModeAppendsNothing) {
    AppendSession(app);
    EXPECT_FALSE(fs::exists(historyFile));

    app.recordingMode = true;
    app.currentSession.switchOn = Monday;
    testing::SetNow(Monday + 60);
    AppendSession(app);
    EXPECT_EQ(FileBytes(), Encode({{Monday, Monday + 60}}));
}

TEST_F(History, AnAppendAfterADamagedTailKeepsTheRecordsAligned) {
    std::vector<std::uint8_t> damaged = Encode(Sessions(0, 2));
    damaged.insert(damaged.end(), {0xAA, 0xBB, 0xCC});
    testing::WriteFileBytes(historyFile, damaged);
    app.recordingMode = true;
    app.currentSession = {Session(2).switchOn, InvalidDate};
    testing::SetNow(Session(2).switchOff);

    AppendSession(app);
    EXPECT_EQ(FileBytes(), Encode(Sessions(0, 3)));
}

TEST_F(History, AFailedAppendIsTriedAgainByTheNextShutdown) {
    testing::WriteFileBytes(historyFile, Encode(Sessions(0, 1)));
    app.recordingMode = true;
    app.currentSession.switchOn = Session(1).switchOn;
    testing::SetNow(Session(1).switchOff - 120);

    // Another process writes the file: it cannot be opened.
    ASSERT_TRUE(headless::HoldFile(historyFile, true));
    AppendSession(app);
    headless::ReleaseHeldFiles();
    EXPECT_EQ(FileBytes(), Encode(Sessions(0, 1)));

    // The disk fills after 3 bytes: a piece is left behind...
    testing::AdvanceClock(60);
    headless::SetWriteBudget(3);
    AppendSession(app);
    headless::SetWriteBudget(-1);
    EXPECT_EQ(FileBytes().size(), 8u + 3u);

    // ...and the next shutdown writes the whole record over it.
    testing::AdvanceClock(60);
    AppendSession(app);
    EXPECT_EQ(FileBytes(), Encode(Sessions(0, 2)));
    AppendSession(app);
    EXPECT_EQ(FileBytes(), Encode(Sessions(0, 2)));
}

} // namespace
} // namespace lumidor
